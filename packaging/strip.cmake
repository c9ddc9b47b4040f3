# Run by CPack on the staged files, after its own stripping: removes the compiler's .comment
# and .note sections from the executable too, as Debian's dh_strip does.
execute_process(
    COMMAND ${CPACK_BOUNCE_STRIP} --remove-section=.comment --remove-section=.note
            ${CPACK_TEMPORARY_DIRECTORY}/usr/bin/bounce
    COMMAND_ERROR_IS_FATAL ANY)
