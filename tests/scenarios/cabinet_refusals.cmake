# wceload.exe on a cabinet device after CASE: "truncated" or "corrupt" (the
# cabinet spoilt), "plain" (the profile's device refuses it), "blocked" (a
# folder where the Today library goes, so that a copy fails after most of
# the others and everything copied must go again), "reinstall"
# (installed once, the cabinet put back, installed again). Runs SCRIPT, then
# checks the event log for EXPECT and, except for a reinstall, that the
# device's files are as they were.
set(root "${WORK}/root")
set(cab "${root}/My Documents/QuibMonitorPPC.CAB")

function(run_devsim log)
    execute_process(COMMAND ${DEVSIM} --root ${root} --profile ${PROFILE} --image cabinet ${ARGN} --log ${log}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "devsim ${ARGN} failed (${result}); see ${log}")
    endif()
endfunction()

# Every file of the root but the registry hive and its copies, with its digest.
function(snapshot out)
    file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
    list(SORT files)
    set(lines)
    foreach(file IN LISTS files)
        if(file MATCHES "^Windows/registry[.]reg")
            continue()
        endif()
        set(digest "folder")
        if(NOT IS_DIRECTORY "${root}/${file}")
            file(SHA256 "${root}/${file}" digest)
        endif()
        list(APPEND lines "${file} ${digest}")
    endforeach()
    set(${out} "${lines}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
run_devsim(${WORK}/fill.log --reset --fill-only)
file(SIZE "${cab}" size)
if(CASE STREQUAL "truncated")
    math(EXPR cut "${size} * 2 / 3")
    execute_process(COMMAND truncate -s ${cut} "${cab}" COMMAND_ERROR_IS_FATAL ANY)
elseif(CASE STREQUAL "corrupt")
    math(EXPR middle "${size} / 2")
    execute_process(COMMAND sh -c "printf '\\377\\377\\377\\377' | dd of=\"$0\" bs=1 seek=${middle} conv=notrunc status=none"
                            "${cab}" COMMAND_ERROR_IS_FATAL ANY)
elseif(CASE STREQUAL "blocked")
    file(MAKE_DIRECTORY "${root}/Windows/QuibMonitorToday.dll")
elseif(CASE STREQUAL "reinstall")
    run_devsim(${WORK}/first.log --script ${SCRIPTS}/install.devsim)
    file(COPY_FILE "${CABINET}" "${cab}")
endif()
snapshot(before)
run_devsim(${WORK}/run.log --script ${SCRIPT})
file(READ ${WORK}/run.log log)
if(NOT log MATCHES "${EXPECT}")
    message(FATAL_ERROR "no log line matches ${EXPECT}; see ${WORK}/run.log")
endif()
snapshot(after)
if(CASE STREQUAL "reinstall")
    if(NOT log MATCHES "install-done app=\"Quib Monitor\" result=0" OR EXISTS "${cab}")
        message(FATAL_ERROR "the reinstall did not finish; see ${WORK}/run.log")
    endif()
    # What the old installation put there is there again, and nothing else.
    list(FILTER before EXCLUDE REGEX "^My Documents/QuibMonitorPPC.CAB ")
endif()
if(NOT before STREQUAL after)
    message(FATAL_ERROR "wceload.exe changed the device's files:\nbefore: ${before}\nafter: ${after}")
endif()
