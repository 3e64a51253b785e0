# The device image: a folder laid out as the device's file system, which
# devsim copies into a fresh device root.
set(QM_DEVICE_IMAGE ${CMAKE_BINARY_DIR}/device-image)

# Places a built program or library at a folder of the device image, e.g.
#   qm_place_on_device(quibmonitor "Program Files/Quib Monitor" quibmonitor.exe)
# The device sees it under its CE name; on the host it is the Linux binary.
function(qm_place_on_device target folder deviceName)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory "${QM_DEVICE_IMAGE}/${folder}"
        COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:${target}>" "${QM_DEVICE_IMAGE}/${folder}/${deviceName}"
        VERBATIM)
endfunction()

# The desktop image: a desktop PC's drive C:, which devsim copies into a
# fresh root for the desktop profile.
set(QM_DESKTOP_IMAGE ${CMAKE_BINARY_DIR}/desktop-image)

# Places a built program at a folder of the desktop image, e.g.
#   qm_place_on_desktop(devsim_explorer Windows explorer.exe)
function(qm_place_on_desktop target folder desktopName)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory "${QM_DESKTOP_IMAGE}/${folder}"
        COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:${target}>" "${QM_DESKTOP_IMAGE}/${folder}/${desktopName}"
        VERBATIM)
endfunction()
