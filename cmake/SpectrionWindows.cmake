# The Windows build: the platform layer's core with its Windows back end,
# the support routines, and their tests, which CTest runs under Wine.
# Configured by scripts/build-windows.sh.

find_program(SPECTRION_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine REQUIRED
             NO_CMAKE_FIND_ROOT_PATH)
find_program(SPECTRION_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine /usr/lib64/wine
             REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(WINE64 ${SPECTRION_WINE64})
set(WINESERVER ${SPECTRION_WINESERVER})
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)

# GoogleTest from Debian's sources, built with the cross compiler.
set(SPECTRION_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${SPECTRION_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)
enable_testing()

# Resources (icon, cursors, manifest, version) for every executable of the
# build, given at the end of the configuration; the installer and portable zip
# of the programs; the tests of both.
enable_language(RC)
include(cmake/WindowsResources.cmake)
include(cmake/WindowsPackage.cmake)
add_subdirectory(tests/packaging/windows)
cmake_language(DEFER CALL spectrion_windows_resources_for_all)
cmake_language(DEFER CALL spectrion_windows_package_targets)

include(cmake/Spectrion.cmake)
# GCC 12's -Wrestrict misfires on std::string concatenation at -O2 (a known
# false alarm of that release); everything else stays a warning or an error.
add_compile_options(-Wno-restrict)

# Libraries, lowest first, as in the Linux build.
foreach(dir platform support axes chart widgets localisation hostlink simulation)
  add_subdirectory(src/${dir})
  if(dir STREQUAL "platform")
    # Picture files: Debian's single-header PNG/BMP reader and PNG writer (libstb-dev).
    target_include_directories(spectrion_platform SYSTEM PRIVATE /usr/include/stb)
  endif()
endforeach()

# Tests. The core's test files are the very files the Linux build runs;
# the Windows back end's own tests live in tests/platform/windows.
add_library(spectrion_test_main STATIC tests/common/test_main_windows.cpp)
target_link_libraries(spectrion_test_main PUBLIC GTest::gtest)

# Window tests (tests/platform/windows/test_window_*.cpp) start with the
# application object.
add_library(spectrion_test_main_gui STATIC tests/common/test_main_windows_gui.cpp)
target_link_libraries(spectrion_test_main_gui PUBLIC GTest::gtest spectrion_platform)

set(core_tests
  platform/test_window_fit.cpp
  platform/test_bounds_and_keys.cpp
  platform/test_screen_canvas_keys.cpp
  platform/test_xpm_picture.cpp
  platform/test_component_model.cpp
  platform/test_datetime_format.cpp
  platform/test_pixel_rules.cpp
  # The canvas, its device and bitmaps: the core's rules over GDI and DIB sections.
  platform/test_bitmap_streams.cpp
  platform/test_canvas_device.cpp
  platform/test_canvas_line_walk.cpp
  platform/test_canvas_pixels.cpp
  platform/test_canvas_scaled.cpp
  platform/test_canvas_text.cpp
  platform/test_shape_clip.cpp
  support/test_number_format.cpp
  support/test_string_utils.cpp)
# The core's control and form tests, on real windows through the window helper.
set(core_window_tests
  platform/test_controls.cpp
  platform/test_forms.cpp
  platform/test_key_shortcuts.cpp
  platform/test_framework_details.cpp
  platform/test_accessible.cpp
  platform/test_plain_texts.cpp)
list(APPEND core_tests ${core_window_tests})
file(GLOB windows_tests CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/tests
     ${PROJECT_SOURCE_DIR}/tests/platform/windows/test_*.cpp)

foreach(test ${core_tests} ${windows_tests})
  get_filename_component(dir ${test} DIRECTORY)
  get_filename_component(stem ${test} NAME_WE)
  string(REPLACE "/" "_" area ${dir})
  set(target ${area}_${stem})
  file(GLOB helpers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/helper_*.cpp)
  if(dir STREQUAL "platform")
    # The Linux build's window helper is Qt's; the Windows one is beside the
    # back end's tests.
    set(helpers ${PROJECT_SOURCE_DIR}/tests/platform/windows/helper_window_windows.cpp)
  endif()
  if(dir MATCHES "^platform")
    # The pixel helpers read pixels through the canvas device, on any system.
    list(APPEND helpers ${PROJECT_SOURCE_DIR}/tests/platform/helper_surface.cpp)
    list(REMOVE_DUPLICATES helpers)
  endif()
  add_executable(${target} tests/${test} ${helpers})
  set(entry spectrion_test_main)
  set(desktop "")
  if((dir STREQUAL "platform/windows" AND stem MATCHES "^test_window_")
     OR test IN_LIST core_window_tests)
    set(entry spectrion_test_main_gui)
    # Window tests run alone: the desktop has one active window and one
    # keyboard focus, which a window of any other test program would take.
    set(desktop RUN_SERIAL TRUE)
  endif()
  target_link_libraries(${target} PRIVATE spectrion_support spectrion_platform ${entry}
                                          GTest::gtest GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    SPECTRION_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    SPECTRION_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/${dir}/data")
  if(dir STREQUAL "platform/windows")
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform)
    set(labels windows-backend)
  else()
    set(labels windows-core)
  endif()
  string(REPLACE "/" "." prefix ${dir})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.${prefix}."
    PROPERTIES LABELS ${labels} ${desktop})
endforeach()

# The second process of the message-window and instance-lock tests, beside them.
add_executable(spectrion_window_peer tests/platform/windows/peer/window_peer.cpp)
target_link_libraries(spectrion_window_peer PRIVATE spectrion_platform)
target_compile_definitions(spectrion_window_peer PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
foreach(test ${windows_tests})
  get_filename_component(stem ${test} NAME_WE)
  add_dependencies(platform_windows_${stem} spectrion_window_peer)
endforeach()

# The suite's own tests above the platform layer, the very files the Linux
# build runs, on the Windows back end (label windows-suite). Left out: those
# that drive Qt directly; the host lookup's and single-instance tests of
# the per-user directory and its files, whose Windows counterparts are the
# back end's message-window and instance-lock tests; the stand-alone scales'
# golden picture, mostly text in the Linux fonts.
set(suite_tests
  axes/test_axis_map.cpp axes/test_dt_ticks.cpp axes/test_scale.cpp
  axes/test_scale_form.cpp axes/test_scale_props.cpp axes/test_tick_list.cpp
  axes/test_tick_math.cpp
  chart/test_display_list.cpp chart/test_layer_pixel_map.cpp chart/test_paint_geometry.cpp
  chart/test_rchart_axes.cpp chart/test_rchart_dt_axis.cpp chart/test_rchart_form.cpp
  chart/test_rchart_joints_sharing.cpp chart/test_rchart_layout.cpp chart/test_rchart_list.cpp
  chart/test_rchart_mouse.cpp chart/test_rchart_paint.cpp chart/test_text_labels.cpp
  widgets/test_num_lab.cpp widgets/test_num_lab_form.cpp widgets/test_num_lab_text.cpp
  localisation/test_form_translation.cpp localisation/test_form_translation_description.cpp
  localisation/test_tolkar2000.cpp
  hostlink/test_demon_client.cpp hostlink/test_message_stream.cpp
  simulation/test_blackbody.cpp simulation/test_body_colour.cpp simulation/test_energy_axis.cpp
  simulation/test_energy_fit.cpp simulation/test_hover_readout.cpp
  simulation/test_label_format.cpp simulation/test_plot_composer.cpp
  support/test_frame_painter.cpp)
foreach(test ${suite_tests})
  get_filename_component(dir ${test} DIRECTORY)
  get_filename_component(stem ${test} NAME_WE)
  set(target ${dir}_${stem})
  file(GLOB helpers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/helper_*.cpp)
  add_executable(${target} tests/${test} ${helpers})
  target_link_libraries(${target} PRIVATE spectrion_simulation spectrion_test_main_gui
                                          GTest::gtest GTest::gmock)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/${dir})
  target_compile_definitions(${target} PRIVATE _USE_MATH_DEFINES
    SPECTRION_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    SPECTRION_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/${dir}/data")
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.${dir}."
    PROPERTIES LABELS windows-suite RESOURCE_LOCK wine-desktop)
endforeach()

# The programs, with their checks under Wine (label windows-app).
add_subdirectory(app)
