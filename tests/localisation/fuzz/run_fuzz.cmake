# Builds the fuzz targets with clang (STEP=build), or fuzzes one of them for a
# bounded time starting from its seed corpus (STEP=run). New interesting
# inputs go to a work directory in the build tree; a crashing input is left
# there as crash-*.
#   build: -DFUZZ_SOURCE_DIR -DFUZZ_BINARY_DIR -DFUZZ_COMPILER
#   run:   -DFUZZ_BINARY_DIR -DFUZZ_TARGET -DFUZZ_CORPUS -DFUZZ_SECONDS -DFUZZ_MAX_LEN
#          [-DFUZZ_DICT] [-DFUZZ_MALLOC_LIMIT_MB]
if(STEP STREQUAL "build")
  foreach(var FUZZ_SOURCE_DIR FUZZ_BINARY_DIR FUZZ_COMPILER)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "${var} is not set")
    endif()
  endforeach()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${FUZZ_SOURCE_DIR} -B ${FUZZ_BINARY_DIR}
            -DCMAKE_CXX_COMPILER=${FUZZ_COMPILER} -DCMAKE_BUILD_TYPE=RelWithDebInfo
    RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "configuring the fuzz targets failed")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${FUZZ_BINARY_DIR} --parallel 2
    RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "building the fuzz targets failed")
  endif()
  return()
endif()

foreach(var FUZZ_BINARY_DIR FUZZ_TARGET FUZZ_CORPUS FUZZ_SECONDS FUZZ_MAX_LEN)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
set(work ${FUZZ_BINARY_DIR}/work-${FUZZ_TARGET})
file(MAKE_DIRECTORY ${work})
if(NOT DEFINED FUZZ_MALLOC_LIMIT_MB)
  set(FUZZ_MALLOC_LIMIT_MB 4096)
endif()
set(dict "")
if(FUZZ_DICT)
  set(dict -dict=${FUZZ_DICT})
endif()
# A single allocation beyond 1 GB fails (returns null) rather than ending the
# run: the code under test must cope with a picture it cannot allocate.
set(ENV{ASAN_OPTIONS}
    "detect_leaks=1:abort_on_error=1:allocator_may_return_null=1:max_allocation_size_mb=1024")
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
set(ENV{LSAN_OPTIONS} "suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp")
set(ENV{QT_QPA_PLATFORM} "offscreen")
execute_process(
  COMMAND ${FUZZ_BINARY_DIR}/${FUZZ_TARGET}
          -max_total_time=${FUZZ_SECONDS} -max_len=${FUZZ_MAX_LEN} -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=${FUZZ_MALLOC_LIMIT_MB}
          -artifact_prefix=${FUZZ_BINARY_DIR}/${FUZZ_TARGET}- ${dict}
          ${work} ${FUZZ_CORPUS}
  RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "${FUZZ_TARGET} found a failing input (see ${FUZZ_BINARY_DIR}/${FUZZ_TARGET}-crash-*); "
                      "add it to ${FUZZ_CORPUS} once fixed")
endif()
