# Run by CPack on the finished package: sets its Installed-Size as dpkg-gencontrol counts it,
# each file rounded up to a whole KiB and each folder as one. CPack adds up the folders' own
# sizes, which depend on the filesystem the package was staged on (4 KiB each on ext4, a few
# bytes on tmpfs), so the same commit would give two packages. dpkg-deb builds it again, with
# the timestamps of SOURCE_DATE_EPOCH.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    set(tree ${CPACK_TOPLEVEL_DIRECTORY}/installed-size)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb -R ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${tree} ${tree}/*)
    set(kib 0)
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^DEBIAN(/|$)")
            continue()
        elseif(IS_DIRECTORY ${tree}/${entry})
            math(EXPR kib "${kib} + 1")
        else()
            file(SIZE ${tree}/${entry} size)
            math(EXPR kib "${kib} + (${size} + 1023) / 1024")
        endif()
    endforeach()
    file(READ ${tree}/DEBIAN/control control)
    string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" control "${control}")
    file(WRITE ${tree}/DEBIAN/control "${control}")
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${deb}
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
