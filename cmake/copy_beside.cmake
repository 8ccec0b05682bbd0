# brimcote_copy_beside: copies of built programs and modules next to those that load them.

# A target `name` that keeps a copy of each given target's file in `folder`, so that a
# program there finds driverui.dll (or printhost.exe) beside itself.
function(brimcote_copy_beside name folder)
    set(copies)
    foreach(target ${ARGN})
        set(copy ${folder}/$<TARGET_FILE_NAME:${target}>)
        add_custom_command(OUTPUT ${folder}/${target}.copied
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${copy}
            COMMAND ${CMAKE_COMMAND} -E touch ${folder}/${target}.copied
            DEPENDS ${target})
        list(APPEND copies ${folder}/${target}.copied)
    endforeach()
    add_custom_target(${name} ALL DEPENDS ${copies})
endfunction()
