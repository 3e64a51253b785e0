# Runs no_language.devsim on a copy of the device image without the language
# files, then checks that the program wrote its settings file back: the
# file is dated long ago before the run, so a rewrite shows in its date.
set(program "${ROOT}/Program Files/Quib Monitor")
file(REMOVE_RECURSE ${ROOT})
file(COPY ${IMAGE}/ DESTINATION ${ROOT})
file(REMOVE_RECURSE "${program}/lang")
execute_process(COMMAND touch -d @1000000000 "${program}/quibmonitor.ini" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot date ${program}/quibmonitor.ini")
endif()
execute_process(COMMAND ${DEVSIM} --root ${ROOT} --script ${SCRIPT} --log ${LOG} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SCRIPT} failed (${status}); the log is ${LOG}")
endif()
file(TIMESTAMP "${program}/quibmonitor.ini" written "%s" UTC)
if(NOT written OR written LESS_EQUAL 1000000000)
    message(FATAL_ERROR "quibmonitor.ini was not written back")
endif()
