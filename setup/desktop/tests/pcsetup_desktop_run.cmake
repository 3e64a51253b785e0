# pcsetup on a fresh desktop, one CASE per test:
#   "install"     French, then English over it, then Uninstall.exe: the
#                 payloads (byte for byte), the uninstall key, the manager
#                 started, an existing directory reused, removal;
#   "no_manager"  no App Paths key: message 1 (golden), nothing written;
#   "cancel"      Cancel on either page: nothing written.
# REBASELINE=ON writes the goldens instead of comparing them.
set(root "${WORK}/desktop")
set(device "${WORK}/device")
set(folder "${root}/Program Files/ActiveSync/Quib Monitor")
set(hive "${root}/Windows/registry.reg")
set(extra)
if(REBASELINE)
    set(extra --rebaseline)
endif()

function(run_devsim script log)
    execute_process(COMMAND ${DEVSIM} --root ${root} --profile desktop --pair ${device} --script ${SCRIPTS}/${script}
                            --shots ${WORK}/shots --log ${log} ${extra} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "devsim ${script} failed (${result}); see ${log}")
    endif()
endfunction()

function(expect_same actual expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${actual}" "${expected}" RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "${actual} is not ${expected}")
    endif()
endfunction()

function(expect_in_hive text what)
    file(READ "${hive}" registry)
    string(FIND "${registry}" "${text}" at)
    if(at LESS 0)
        message(FATAL_ERROR "${what}: no ${text} in ${hive}")
    endif()
endfunction()

function(expect_not_in_hive text what)
    file(READ "${hive}" registry)
    string(FIND "${registry}" "${text}" at)
    if(NOT at LESS 0)
        message(FATAL_ERROR "${what}: ${text} still in ${hive}")
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${device}")
execute_process(COMMAND ${DEVSIM} --root ${root} --reset --profile desktop --fill-only RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "devsim could not fill ${root}")
endif()

if(CASE STREQUAL "install")
    run_devsim(install_french.devsim ${WORK}/french.log)
    expect_same("${folder}/quibmonitorinstall.ini" "${INI}")
    expect_same("${folder}/Uninstall.exe" "${UNINSTALLER}")
    expect_same("${folder}/QuibMonitorPPC.CAB" "${CABINET}")
    expect_same("${device}/Windows/AppMgr/Install/QuibMonitorPPC.CAB" "${CABINET}")
    string(CONCAT entry "\\CurrentVersion\\Uninstall\\Quib Monitor]\n\"DisplayName\"=\"Quib Monitor\"\n"
                        "\"UninstallString\"=\"C:\\\\Program Files\\\\ActiveSync\\\\Quib Monitor\\\\Uninstall.exe Quib Monitor\"")
    expect_in_hive("${entry}" "after setup")

    # A second run finds the directory there and writes every payload anew.
    file(WRITE "${folder}/quibmonitorinstall.ini" "damaged")
    file(WRITE "${folder}/QuibMonitorPPC.CAB" "")
    run_devsim(install_english.devsim ${WORK}/english.log)
    expect_same("${folder}/quibmonitorinstall.ini" "${INI}")
    expect_same("${folder}/QuibMonitorPPC.CAB" "${CABINET}")
    expect_in_hive("${entry}" "after the second setup")

    run_devsim(uninstall.devsim ${WORK}/uninstall.log)
    foreach(payload quibmonitorinstall.ini QuibMonitorPPC.CAB)
        if(EXISTS "${folder}/${payload}")
            message(FATAL_ERROR "Uninstall.exe left ${payload} in ${folder}")
        endif()
    endforeach()
    expect_not_in_hive("Uninstall\\Quib Monitor]" "after Uninstall.exe")
    # Its own file and the folder go at the desktop's next start.
    expect_in_hive("\"PendingFileRenameOperations\"=hex(7):" "after Uninstall.exe")
    run_devsim(next_start.devsim ${WORK}/next_start.log)
    if(EXISTS "${folder}")
        message(FATAL_ERROR "the next start left ${folder}")
    endif()
    expect_not_in_hive("PendingFileRenameOperations" "after the next start")
    return()
endif()

if(CASE STREQUAL "no_manager")
    # A filled root shares its files with the image, so the hive is written
    # anew, never edited in place.
    file(READ "${hive}" registry)
    string(REGEX REPLACE "\\[[^]\n]*App Paths\\\\CEAPPMGR.EXE\\]\n[^\n]*\n" "" registry "${registry}")
    file(REMOVE "${hive}")
    file(WRITE "${hive}" "${registry}")
    run_devsim(no_manager.devsim ${WORK}/run.log)
else()
    run_devsim(cancel.devsim ${WORK}/run.log)
endif()
if(EXISTS "${folder}")
    message(FATAL_ERROR "${CASE}: the install directory was created")
endif()
expect_not_in_hive("Uninstall\\Quib Monitor]" "${CASE}")
