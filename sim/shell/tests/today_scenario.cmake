# Runs a device script on a root filled from the device image, with the test
# Today item installed as \Windows\todaytest.dll and the registry hive HIVE,
# so that the shell boots with the items that hive lists.
file(REMOVE_RECURSE ${ROOT})
file(GLOB_RECURSE files RELATIVE ${IMAGE} ${IMAGE}/*)
foreach(file IN LISTS files)
    get_filename_component(folder "${ROOT}/${file}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "${IMAGE}/${file}" "${ROOT}/${file}" COPY_ON_ERROR)
endforeach()
file(CREATE_LINK "${ITEM}" "${ROOT}/Windows/todaytest.dll" COPY_ON_ERROR)
# The image's own hive is linked in; it is replaced, never written through.
file(REMOVE "${ROOT}/Windows/registry.reg")
file(COPY_FILE "${HIVE}" "${ROOT}/Windows/registry.reg")
execute_process(COMMAND ${DEVSIM} --root ${ROOT} --script ${SCRIPT} --shots ${SHOTS} --log ${LOG} ${EXTRA}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SCRIPT} failed (${status}); the log is ${LOG}")
endif()
