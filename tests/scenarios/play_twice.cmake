# Plays one scenario headless twice and checks that every expect held both times, that the two
# traces are the same apart from wall time, and that the account token shows in neither the
# trace nor the log.
#   cmake -DSIM=velmo_sim -DSCENARIO=file.json -DOUT=dir -DTOKEN=secret -P play_twice.cmake
foreach(var SIM SCENARIO OUT TOKEN)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "play_twice.cmake needs -D${var}=")
  endif()
endforeach()
get_filename_component(name ${SCENARIO} NAME_WE)
file(MAKE_DIRECTORY ${OUT})
foreach(run 1 2)
  execute_process(
    COMMAND ${SIM} --scenario ${SCENARIO} --headless --trace ${OUT}/${name}.${run}.jsonl
            --screenshots ${OUT}/${name}.${run}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${name} run ${run}: exit ${rc}\n${err}\ntrace: ${OUT}/${name}.${run}.jsonl")
  endif()
  file(READ ${OUT}/${name}.${run}.jsonl trace${run})
  foreach(text trace${run} err)
    string(FIND "${${text}}" "${TOKEN}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${name} run ${run}: the account token appears in the ${text}")
    endif()
  endforeach()
  string(REGEX REPLACE "\"t_wall_ms\":[0-9]+," "" trace${run} "${trace${run}}")
  # Each run writes its pictures to its own folder; the paths differ by that alone.
  string(REPLACE "${OUT}/${name}.${run}/" "SCREENSHOTS/" trace${run} "${trace${run}}")
endforeach()
if(NOT trace1 STREQUAL trace2)
  message(FATAL_ERROR "${name}: the two headless runs wrote different traces "
                      "(compare ${OUT}/${name}.1.jsonl and ${OUT}/${name}.2.jsonl)")
endif()
