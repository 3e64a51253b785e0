# The screen commands seen from outside: shot writes under --shots, match
# fails on another screen (naming the pixels, leaving the actual screen) or a
# missing golden, and --rebaseline writes a golden that then matches.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${GOLDEN}/clip_moved.png ${WORK}/wrong.png)
file(SHA256 ${GOLDEN}/clip_covered.png covered)

# Plays LINES after starting clip.exe; sets status, err and log.
function(play name lines)
    string(REPLACE ";" "\n" body "run \\Windows\\clip.exe;idle;${lines}")
    file(WRITE ${WORK}/${name}.devsim "${body}\n")
    execute_process(COMMAND ${DEVSIM} --root ${WORK}/root --reset --script ${WORK}/${name}.devsim
                            --shots ${WORK}/shots --log ${WORK}/${name}.log ${ARGN}
                    RESULT_VARIABLE code ERROR_VARIABLE stderr)
    file(READ ${WORK}/${name}.log events)
    set(status ${code} PARENT_SCOPE)
    set(err "${stderr}" PARENT_SCOPE)
    set(log "${events}" PARENT_SCOPE)
endfunction()

play(shot "shot sub/screen.png")
if(NOT status EQUAL 0 OR NOT log MATCHES "shot file=\"sub/screen.png\"")
    message(FATAL_ERROR "shot: exit ${status}, ${err}, log ${WORK}/shot.log")
endif()
file(SHA256 ${WORK}/shots/sub/screen.png shot)
if(NOT shot STREQUAL covered)
    message(FATAL_ERROR "the shot is not the clip_covered golden byte for byte")
endif()

play(mismatch "match wrong.png")
if(NOT status EQUAL 1 OR NOT log MATCHES "match file=\"wrong.png\" ok=0" OR
   NOT err MATCHES "script line 3: the screen differs from [^ ]*wrong.png: [0-9]+ pixels differ, the first at \\(40,64\\)")
    message(FATAL_ERROR "a mismatch: exit ${status}, ${err}")
endif()
file(SHA256 ${WORK}/shots/wrong.actual.png actual)
if(NOT actual STREQUAL covered)
    message(FATAL_ERROR "wrong.actual.png is not the screen")
endif()

play(missing "match none.png")
if(NOT status EQUAL 1 OR NOT err MATCHES "no golden [^ ]*none.png")
    message(FATAL_ERROR "a missing golden: exit ${status}, ${err}")
endif()

play(rebaseline "match fresh.png" --rebaseline)
if(NOT status EQUAL 0 OR NOT log MATCHES "rebaseline file=\"fresh.png\"" OR NOT EXISTS ${WORK}/fresh.png)
    message(FATAL_ERROR "rebaseline: exit ${status}, ${err}")
endif()
play(again "match fresh.png")
if(NOT status EQUAL 0 OR NOT log MATCHES "match file=\"fresh.png\" ok=1")
    message(FATAL_ERROR "the rebaselined golden does not match: exit ${status}, ${err}")
endif()
