# Resources of the Windows programs: the program icon MAINICON, the chart's
# cursors CURHAND, CURZOOMW, CURZOOMD and CURZOOMP, the application manifest
# (packaging/windows/spectrion.manifest) and the version information.
#
#   spectrion_windows_resources(<target> [DESCRIPTION <text>])
#     compiles them into the executable <target>; a second call for the same
#     target changes nothing. DESCRIPTION is the version information's file
#     description (known programs have one below).
#   spectrion_windows_resources_for_all()
#     gives them to every executable of the build that has none yet, tests
#     included, so that every program runs with the same manifest. Called
#     deferred at the end of the Windows configuration.
#
# The cursors are written at build time from the pictures and hot spots in
# src/chart/rchart_cursors.cpp (packaging/windows/make_cursors.py), so the
# pictures have one source. The icon is data/icons/spectrion.ico, made by
# data/icons/make_icons.py and committed.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(SPECTRION_PUBLISHER "The Spectrion developers")
set(SPECTRION_COPYRIGHT "Copyright (c) 2026 The Spectrion developers")

# Windows wants four numbers where CMake may give three.
set(SPECTRION_VERSION4 "${PROJECT_VERSION_MAJOR}")
foreach(part MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    string(APPEND SPECTRION_VERSION4 ".0")
  else()
    string(APPEND SPECTRION_VERSION4 ".${PROJECT_VERSION_${part}}")
  endif()
endforeach()
string(REPLACE "." "," SPECTRION_VERSION_COMMAS "${SPECTRION_VERSION4}")

set(SPECTRION_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
set(SPECTRION_RC_ICON ${PROJECT_SOURCE_DIR}/data/icons/spectrion.ico)
set(SPECTRION_RC_CURSORS ${SPECTRION_RESOURCE_DIR}/cursors)
set(SPECTRION_RC_MANIFEST ${SPECTRION_RESOURCE_DIR}/spectrion.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/spectrion.manifest
               ${SPECTRION_RC_MANIFEST} @ONLY)

set(spectrion_cursor_files)
foreach(name CURHAND CURZOOMW CURZOOMD CURZOOMP)
  list(APPEND spectrion_cursor_files ${SPECTRION_RC_CURSORS}/${name}.cur)
endforeach()
add_custom_command(OUTPUT ${spectrion_cursor_files}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/windows/make_cursors.py
          ${PROJECT_SOURCE_DIR}/src/chart/rchart_cursors.cpp ${SPECTRION_RC_CURSORS}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/make_cursors.py
          ${PROJECT_SOURCE_DIR}/src/chart/rchart_cursors.cpp
  COMMENT "Writing the chart's cursors" VERBATIM)
add_custom_target(spectrion_windows_resource_files DEPENDS ${spectrion_cursor_files})
set(SPECTRION_RESOURCE_INPUTS ${SPECTRION_RC_ICON} ${SPECTRION_RC_MANIFEST}
    ${spectrion_cursor_files})

# File descriptions of the shipped programs; other executables get their name.
set(SPECTRION_DESCRIPTION_spectrion "Spectrion - black-body radiation")
set(SPECTRION_DESCRIPTION_spectrion-plot "Spectrion plot tool")
set(SPECTRION_DESCRIPTION_spectrion-hostsim "Spectrion host simulator")

function(spectrion_windows_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION" "")
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "EXECUTABLE")
    message(FATAL_ERROR "spectrion_windows_resources: ${target} is not an executable")
  endif()
  get_target_property(done ${target} SPECTRION_WINDOWS_RESOURCES)
  if(done)
    return()
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(SPECTRION_RC_INTERNAL_NAME ${name})
  set(SPECTRION_RC_FILE_NAME ${name}${CMAKE_EXECUTABLE_SUFFIX})
  if(arg_DESCRIPTION)
    set(SPECTRION_RC_DESCRIPTION "${arg_DESCRIPTION}")
  elseif(DEFINED SPECTRION_DESCRIPTION_${name})
    set(SPECTRION_RC_DESCRIPTION "${SPECTRION_DESCRIPTION_${name}}")
  else()
    set(SPECTRION_RC_DESCRIPTION "Spectrion ${name}")
  endif()
  string(REPLACE "\"" "\"\"" SPECTRION_RC_DESCRIPTION "${SPECTRION_RC_DESCRIPTION}")
  set(rc ${SPECTRION_RESOURCE_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/resources.rc.in ${rc} @ONLY)
  # An object library of its own keeps the program's compile definitions
  # away from the resource compiler.
  add_library(${target}_resources OBJECT ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${SPECTRION_RESOURCE_INPUTS}")
  add_dependencies(${target}_resources spectrion_windows_resource_files)
  target_link_libraries(${target} PRIVATE ${target}_resources)
  set_target_properties(${target} PROPERTIES SPECTRION_WINDOWS_RESOURCES ON)
endfunction()

function(spectrion_windows_executables dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  set(found)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  foreach(sub IN LISTS subdirs)
    spectrion_windows_executables(${sub} sub_found)
    list(APPEND found ${sub_found})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(spectrion_windows_resources_for_all)
  spectrion_windows_executables(${PROJECT_SOURCE_DIR} executables)
  foreach(target IN LISTS executables)
    spectrion_windows_resources(${target})
  endforeach()
endfunction()
