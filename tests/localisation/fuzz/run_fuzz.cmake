# Configures and builds the fuzz target with clang, then fuzzes for a bounded
# time starting from the seed corpus. New interesting inputs go to a work
# directory in the build tree; a crashing input is left there as crash-*.
foreach(var FUZZ_SOURCE_DIR FUZZ_BINARY_DIR FUZZ_COMPILER FUZZ_SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
# Other fuzz targets of the same configuration name themselves and their seeds.
if(NOT DEFINED FUZZ_TARGET)
  set(FUZZ_TARGET fuzz_load_dictionary)
endif()
if(NOT DEFINED FUZZ_CORPUS)
  set(FUZZ_CORPUS ${FUZZ_SOURCE_DIR}/corpus)
endif()
if(NOT DEFINED FUZZ_OPTIONS)
  set(FUZZ_OPTIONS -max_len=65536)
endif()
separate_arguments(fuzz_options UNIX_COMMAND "${FUZZ_OPTIONS}")

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${FUZZ_SOURCE_DIR} -B ${FUZZ_BINARY_DIR}
          -DCMAKE_CXX_COMPILER=${FUZZ_COMPILER} -DCMAKE_BUILD_TYPE=RelWithDebInfo
  RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "configuring the fuzz target failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${FUZZ_BINARY_DIR} --parallel 2
  --target ${FUZZ_TARGET}
  RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "building the fuzz target failed")
endif()

set(work ${FUZZ_BINARY_DIR}/work-corpus-${FUZZ_TARGET})
file(MAKE_DIRECTORY ${work})
set(ENV{ASAN_OPTIONS} "detect_leaks=1:abort_on_error=1")
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
execute_process(
  COMMAND ${FUZZ_BINARY_DIR}/${FUZZ_TARGET}
          -max_total_time=${FUZZ_SECONDS} ${fuzz_options} -timeout=10 -rss_limit_mb=2048
          -artifact_prefix=${FUZZ_BINARY_DIR}/
          ${work} ${FUZZ_CORPUS}
  RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "the fuzz target found a failing input (see ${FUZZ_BINARY_DIR}/crash-*); "
                      "add it to ${FUZZ_CORPUS} once fixed")
endif()
