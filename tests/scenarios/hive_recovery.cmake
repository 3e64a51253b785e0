# Boots a device whose registry hive was cut short after its last save:
# devsim says so on stderr and in the event log, and the device comes up with
# the hive's last good copy, the damaged file kept beside it.
set(root "${WORK}/root")
set(hive "${root}/Windows/registry.reg")

function(run_devsim name)
    execute_process(COMMAND ${DEVSIM} --root ${root} ${ARGN} --script ${WORK}/${name}.devsim --log ${WORK}/${name}.log
                    RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "devsim ${name} failed (${result}): ${errors}; see ${WORK}/${name}.log")
    endif()
    set(errors "${errors}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/set.devsim"
     "run \\Windows\\reg.exe set HKCU\\Software\\Probe Kept sz before\nidle\n"
     "run \\Windows\\reg.exe set HKCU\\Software\\Probe Later sz after\nidle\n")
run_devsim(set --reset)

# Cut in the middle of the first value's line.
file(READ "${hive}" saved)
string(FIND "${saved}" "\"Kept\"" at)
if(at LESS 0)
    message(FATAL_ERROR "the first boot did not save the value: ${saved}")
endif()
math(EXPR cut "${at} + 3")
string(SUBSTRING "${saved}" 0 ${cut} damaged)
file(WRITE "${hive}" "${damaged}")

file(WRITE "${WORK}/boot.devsim"
     "expect ^[0-9]+ hive-damaged file=\"\\\\\\\\Windows\\\\\\\\registry[.]reg\" reason=truncated bad-lines=1 "
     "loaded=last-good kept=\"\\\\\\\\Windows\\\\\\\\registry[.]reg[.]bad\"$\n")
run_devsim(boot)
set(message "devsim: the registry hive \\Windows\\registry.reg is damaged (truncated); the device boots with its last good copy; the damaged file is kept as \\Windows\\registry.reg.bad\n")
if(NOT errors STREQUAL message)
    message(FATAL_ERROR "devsim said \"${errors}\", not \"${message}\"")
endif()
file(READ "${hive}" restored)
string(FIND "${restored}" "[HKEY_CURRENT_USER\\Software\\Probe]\n\"Kept\"=\"before\"" found)
if(found LESS 0)
    message(FATAL_ERROR "the last good values are not in the hive: ${restored}")
endif()
file(READ "${hive}.bad" kept)
if(NOT kept STREQUAL damaged)
    message(FATAL_ERROR "the damaged hive was not kept as it was: ${kept}")
endif()
