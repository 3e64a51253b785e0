# Runs a device script on a root filled from the device image whose settings file
# holds the lines of SETTINGS (a CMake list), so that a scenario can start
# the program with another theme or with the agreement accepted.
set(program "${ROOT}/Program Files/Quib Monitor")
file(REMOVE_RECURSE ${ROOT})
# The root shares the image's files by hard links, as devsim fills one; the
# settings file is replaced, never written through a link.
file(GLOB_RECURSE files RELATIVE ${IMAGE} ${IMAGE}/*)
foreach(file IN LISTS files)
    get_filename_component(folder "${ROOT}/${file}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "${IMAGE}/${file}" "${ROOT}/${file}" COPY_ON_ERROR)
endforeach()
string(REPLACE ";" "\r\n" text "${SETTINGS}")
file(REMOVE "${program}/quibmonitor.ini")
file(WRITE "${program}/quibmonitor.ini" "${text}\r\n")
execute_process(COMMAND ${DEVSIM} --root ${ROOT} --profile ${PROFILE} --script ${SCRIPT} --shots ${SHOTS}
                        --log ${LOG} ${EXTRA}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SCRIPT} failed (${status}); the log is ${LOG}")
endif()
