# Programs that load CE libraries provide the platform API to them: a
# library calls CreateDIBSection and friends without linking the platform
# itself, so the program exports every platform function, including those
# it never calls.
#   qm_export_platform(quibmonitor)
include_guard(GLOBAL)

function(qm_export_platform target)
    set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON)
    target_link_libraries(${target} PRIVATE ceplatform)
    target_link_options(${target} PRIVATE
        "LINKER:--whole-archive" "$<TARGET_FILE:ceplatform>" "LINKER:--no-whole-archive")
endfunction()
