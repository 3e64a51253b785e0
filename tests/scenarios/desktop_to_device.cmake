# The way from the desktop to the device, in two runs: pcsetup on a fresh
# desktop paired with a fresh device (desktop/setup_french.devsim) writes its
# payloads (the INI byte for byte) and has the application manager hand the
# cabinet over; the device at its next boot installs it and runs Quib
# Monitor (desktop/device_next_boot.devsim).
set(device "${WORK}/device")
set(desktop "${WORK}/desktop")
file(REMOVE_RECURSE "${WORK}")

function(run_devsim)
    execute_process(COMMAND ${DEVSIM} ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "devsim ${ARGN} failed (${result})")
    endif()
endfunction()

# A device without Quib Monitor and without a cabinet of its own.
run_devsim(--root ${device} --reset --profile ${DEVICE_PROFILE} --image cabinet --fill-only)
file(REMOVE "${device}/My Documents/QuibMonitorPPC.CAB")

run_devsim(--root ${desktop} --reset --profile desktop --pair ${device} --script ${SCRIPTS}/setup_french.devsim
           --log ${WORK}/desktop.log)
set(folder "${desktop}/Program Files/ActiveSync/Quib Monitor")
foreach(payload quibmonitorinstall.ini Uninstall.exe QuibMonitorPPC.CAB)
    if(NOT EXISTS "${folder}/${payload}")
        message(FATAL_ERROR "pcsetup did not write ${payload}")
    endif()
endforeach()
file(SHA256 "${folder}/quibmonitorinstall.ini" written)
file(SHA256 "${INI}" shipped)
if(NOT written STREQUAL shipped)
    message(FATAL_ERROR "the INI file pcsetup wrote is not payload 1 byte for byte")
endif()
if(NOT EXISTS "${device}/Windows/AppMgr/Install/QuibMonitorPPC.CAB")
    message(FATAL_ERROR "the application manager handed no cabinet to the device")
endif()

run_devsim(--root ${device} --profile ${DEVICE_PROFILE} --script ${SCRIPTS}/device_next_boot.devsim
           --log ${WORK}/device.log)
