# Build helpers shared by every folder.
#
# spectrion_library(<name> [DEPS <targets>...] [QT])
#   Builds src/<name>/*.cpp into the static library spectrion_<name>.
#   Sources are globbed so that adding a file needs no CMake edit.
#   QT links Qt privately-by-intent: only src/platform may pass it.
function(spectrion_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(target spectrion_${name})
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    if(ARG_QT)
      target_link_libraries(${target} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
      set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# spectrion_tests(LIBS <targets>...)
#   Every tests/<folder>/test_*.cpp becomes its own GoogleTest program, so a
#   half-written test file in one area never blocks building another.
function(spectrion_tests)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  file(GLOB extra CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/helper_*.cpp)
  get_filename_component(area ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(src ${tests})
    get_filename_component(stem ${src} NAME_WE)
    set(target ${area}_${stem})
    add_executable(${target} ${src} ${extra})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} spectrion_test_main GTest::gtest GTest::gmock)
    target_compile_definitions(${target} PRIVATE
      SPECTRION_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      SPECTRION_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "${area}."
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${area}")
  endforeach()
endfunction()
