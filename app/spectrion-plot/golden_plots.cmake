# The golden pictures of the plot tool: one list of cases shared by the
# comparison test and the regeneration target.
#   -DTOOL=<spectrion-plot> -DCOMPARE=<comparer> -DGOLDEN=<tests/golden>
#   -DOUT=<scratch directory> -DMODE=check|regenerate
#
# (b) and (c): 5800 K with the visible band, the peak curve and snapshots of
# 3000, 4000 and 5000 K. The linear axis of (b) tops at 10^6.1, the track bar
# position 61, the lowest top that shows the whole 5800 K curve.
cmake_minimum_required(VERSION 3.20)
set(names plot_a_898K_linear plot_b_5800K_band_peak_snapshots_linear
          plot_c_5800K_band_peak_snapshots_log)
set(args_plot_a_898K_linear "")
set(args_plot_b_5800K_band_peak_snapshots_linear
    -t 5800 -s 3000,4000,5000 --band --peak-curve --top 1258925.4117941673)
set(args_plot_c_5800K_band_peak_snapshots_log -t 5800 -s 3000,4000,5000 --band --peak-curve --log)
set(ENV{QT_QPA_PLATFORM} offscreen)
file(MAKE_DIRECTORY ${OUT})
set(failed "")
foreach(name ${names})
  set(parts ${args_${name}})
  if(MODE STREQUAL "regenerate")
    set(target ${GOLDEN}/${name}.png)
  else()
    set(target ${OUT}/${name}.png)
  endif()
  execute_process(COMMAND ${TOOL} ${parts} --size 800x600 -o ${target} RESULT_VARIABLE rc
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${name}: spectrion-plot failed (${rc}): ${err}")
  endif()
  if(MODE STREQUAL "regenerate")
    message(STATUS "wrote ${target}")
  else()
    execute_process(COMMAND ${COMPARE} ${target} ${GOLDEN}/${name}.png RESULT_VARIABLE rc
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    message(STATUS "${name}: ${out}${err}")
    if(NOT rc EQUAL 0)
      list(APPEND failed ${name})
    endif()
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "pictures differ from their golden pictures: ${failed} (new ones in ${OUT})")
endif()
