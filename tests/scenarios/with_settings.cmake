# Runs a device script on a root filled from the device image whose settings file
# holds the lines of SETTINGS (a CMake list), so that a scenario can start
# the program with another theme or with the agreement accepted.
set(program "${ROOT}/Program Files/Quib Monitor")
execute_process(COMMAND ${DEVSIM} --root ${ROOT} --reset --profile ${PROFILE} --fill-only RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot fill ${ROOT} (${status})")
endif()
# The root shares the image's files; the settings file is replaced, never
# written through a shared link.
string(REPLACE ";" "\r\n" text "${SETTINGS}")
file(REMOVE "${program}/quibmonitor.ini")
file(WRITE "${program}/quibmonitor.ini" "${text}\r\n")
execute_process(COMMAND ${DEVSIM} --root ${ROOT} --profile ${PROFILE} --script ${SCRIPT} --shots ${SHOTS}
                        --log ${LOG} ${EXTRA}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SCRIPT} failed (${status}); the log is ${LOG}")
endif()
