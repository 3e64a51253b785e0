# pcsetup on a device root (vga96) with CASE "install" (the application
# manager recorded: French install, then Uninstall.exe), "no_manager" (no
# App Paths key: message 1, nothing written) or "declined" (Finish never
# enabled, Cancel: nothing written).
set(root "${WORK}/root")
set(folder "${root}/Program Files/ActiveSync/Quib Monitor")
set(hive "${root}/Windows/registry.reg")

function(run_devsim log)
    execute_process(COMMAND ${DEVSIM} --root ${root} --profile vga96 ${ARGN} --log ${log} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "devsim ${ARGN} failed (${result}); see ${log}")
    endif()
endfunction()

function(expect_log log pattern)
    file(READ ${log} text)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "no log line matches ${pattern}; see ${log}")
    endif()
endfunction()

function(expect_same actual expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${actual}" "${expected}" RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "${actual} is not ${expected}")
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
run_devsim(${WORK}/fill.log --reset --fill-only)
file(COPY_FILE "${PCSETUP}" "${root}/pcsetup.exe")
file(MAKE_DIRECTORY "${root}/Program Files/ActiveSync")
# A filled root shares its files with the device image, so the hive is
# written anew, never appended to.
file(READ "${hive}" registry)
string(APPEND registry "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\n")
if(NOT CASE STREQUAL "no_manager")
    string(APPEND registry "\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE]\n"
                           "@=\"\\\\Program Files\\\\ActiveSync\\\\CEAPPMGR.EXE\"\n")
endif()
file(REMOVE "${hive}")
file(WRITE "${hive}" "${registry}")

if(CASE STREQUAL "install")
    run_devsim(${WORK}/install.log --script ${SCRIPTS}/install_french.devsim)
    expect_log(${WORK}/install.log
        "shellexecute pid=[0-9]+ file=\"\\\\\\\\Program Files\\\\\\\\ActiveSync\\\\\\\\CEAPPMGR.EXE\" params=\"\\\\\"\\\\\\\\Program Files\\\\\\\\ActiveSync\\\\\\\\Quib Monitor\\\\\\\\quibmonitorinstall.ini\\\\\"\"")
    expect_same("${folder}/quibmonitorinstall.ini" "${INI}")
    expect_same("${folder}/Uninstall.exe" "${UNINSTALLER}")
    expect_same("${folder}/QuibMonitorPPC.CAB" "${CABINET}")
    # Key names keep the case they were first written with.
    file(READ "${hive}" registry)
    string(FIND "${registry}" "\\CurrentVersion\\Uninstall\\Quib Monitor]\n\"DisplayName\"=\"Quib Monitor\"\n\"UninstallString\"=\"\\\\Program Files\\\\ActiveSync\\\\Quib Monitor\\\\Uninstall.exe Quib Monitor\"" at)
    if(at LESS 0)
        message(FATAL_ERROR "no uninstall entry in ${hive}")
    endif()

    run_devsim(${WORK}/uninstall.log --script ${SCRIPTS}/uninstall.devsim)
    if(EXISTS "${folder}/quibmonitorinstall.ini" OR EXISTS "${folder}/QuibMonitorPPC.CAB")
        message(FATAL_ERROR "Uninstall.exe left payloads in ${folder}")
    endif()
    file(READ "${hive}" registry)
    string(FIND "${registry}" "Uninstall\\Quib Monitor]" at)
    if(NOT at LESS 0)
        message(FATAL_ERROR "Uninstall.exe left the uninstall key")
    endif()
    return()
endif()

if(CASE STREQUAL "no_manager")
    run_devsim(${WORK}/run.log --script ${SCRIPTS}/install_french.devsim)
    expect_log(${WORK}/run.log "msgbox pid=[0-9]+ caption=\"Installation\" text=\"ActiveSync est introuvable")
else()
    run_devsim(${WORK}/run.log --script ${SCRIPTS}/finish_declined.devsim)
    expect_log(${WORK}/run.log "process-exit pid=2 code=0")
endif()
if(EXISTS "${root}/Program Files/ActiveSync/Quib Monitor")
    message(FATAL_ERROR "${CASE}: the install directory was created")
endif()
