# velmo_sim given a broken scenario file or a bad command line: exit status 2 and one line that
# names the file and the JSON path of the fault.
#   cmake -DSIM=velmo_sim -DOUT=dir -P bad_scenario.cmake
file(MAKE_DIRECTORY ${OUT})
set(broken ${OUT}/broken.json)
file(WRITE ${broken} [=[{"steps": [{"fire": {"model": 514, "event": "48"}}]}]=])
execute_process(COMMAND ${SIM} --scenario ${broken} --headless RESULT_VARIABLE rc
                ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "a broken file gave exit ${rc}, not 2:\n${err}")
endif()
string(FIND "${err}" "${broken}: steps[0].fire.event" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the message names neither the file nor the path:\n${err}")
endif()

execute_process(COMMAND ${SIM} --theme blue RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "a bad command line gave exit ${rc}, not 2:\n${err}")
endif()
