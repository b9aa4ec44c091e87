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

add_subdirectory(src/platform)
add_subdirectory(src/support)

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
  support/test_number_format.cpp
  support/test_string_utils.cpp)
file(GLOB windows_tests CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/tests
     ${PROJECT_SOURCE_DIR}/tests/platform/windows/test_*.cpp)

foreach(test ${core_tests} ${windows_tests})
  get_filename_component(dir ${test} DIRECTORY)
  get_filename_component(stem ${test} NAME_WE)
  string(REPLACE "/" "_" area ${dir})
  set(target ${area}_${stem})
  file(GLOB helpers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/helper_*.cpp)
  if(dir STREQUAL "platform")
    # The Linux build's helpers are Qt's; the window helper has its own here.
    set(helpers ${PROJECT_SOURCE_DIR}/tests/platform/windows/helper_window_windows.cpp)
  endif()
  add_executable(${target} tests/${test} ${helpers})
  set(entry spectrion_test_main)
  if(dir STREQUAL "platform/windows" AND stem MATCHES "^test_window_")
    set(entry spectrion_test_main_gui)
  endif()
  target_link_libraries(${target} PRIVATE spectrion_support spectrion_platform ${entry}
                                          GTest::gtest GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    SPECTRION_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    SPECTRION_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/${dir}/data")
  if(dir STREQUAL "platform/windows")
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    set(labels windows-backend)
  else()
    set(labels windows-core)
  endif()
  string(REPLACE "/" "." prefix ${dir})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.${prefix}."
    PROPERTIES LABELS ${labels})
endforeach()
