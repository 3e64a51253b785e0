# press without such a button in the active window fails the script at its
# line, naming the text.
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/press.devsim "run \"C:\\Windows\\dialog.exe\" 501\nwait 500\npress Stand-in Form\n")
execute_process(COMMAND ${DEVSIM} --root ${WORK}/root --reset --profile desktop --script ${WORK}/press.devsim
                        --log ${WORK}/press.log
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "script line 3: the active window has no button \"Stand-in Form\"")
    message(FATAL_ERROR "press of a missing button: exit ${status}, ${err}")
endif()
