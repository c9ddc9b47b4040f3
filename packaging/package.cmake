# Installation and the Debian package: the program, its desktop entry, icons, AppStream
# metadata, manual page, licence and changelog, laid out as Debian expects.
include(GNUInstallDirs)

# The application's identifier names the desktop entry, the icons and the metadata; the
# developer's identifier and the home page go into the metadata. The project has no address of
# its own yet: these are the placeholders to change, here alone, once it has one.
set(BOUNCE_APP_ID org.example.bounce)
set(BOUNCE_DEVELOPER_ID org.example)
set(BOUNCE_HOMEPAGE https://bounce.example.invalid/)

install(TARGETS bounce RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(packaging/bounce.desktop.in ${BOUNCE_APP_ID}.desktop @ONLY)
configure_file(packaging/bounce.metainfo.xml.in ${BOUNCE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${BOUNCE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${BOUNCE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES packaging/icons/bounce.svg DESTINATION ${icons}/scalable/apps
    RENAME ${BOUNCE_APP_ID}.svg)
foreach(size 16 32 48 64 128 256)
    install(FILES packaging/icons/bounce-${size}.png DESTINATION ${icons}/${size}x${size}/apps
        RENAME ${BOUNCE_APP_ID}.png)
endforeach()

# The manual page and the changelog go compressed, without a timestamp in the gzip header.
configure_file(packaging/bounce.6 bounce.6 @ONLY)
configure_file(packaging/changelog changelog COPYONLY)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
foreach(file bounce.6 changelog)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND ${GZIP_EXECUTABLE} -9nkf ${file}
        DEPENDS ${PROJECT_BINARY_DIR}/${file}
        COMMENT "Compressing ${file}")
endforeach()
add_custom_target(compressed_docs ALL DEPENDS bounce.6.gz changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/bounce.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/bounce)

# Debian package: dependencies come from dpkg-shlibdeps, the version from project().
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bounce)
set(CPACK_PACKAGE_CONTACT "bounce developers <bounce@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "white cube bouncing in a full-screen OpenGL window")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A small OpenGL demonstration: a white cube, seen as a white square on black,\n\
drifts left, falls and bounces off the edges of a full-screen window until\n\
any key or mouse button is pressed.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Strips what dh_strip strips beyond the symbols, the compiler's .comment and .note, and asks
# for the freeglut the program was built against.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/strip.cmake
    ${PROJECT_SOURCE_DIR}/packaging/shlibs.cmake)
set(CPACK_BOUNCE_STRIP ${CMAKE_STRIP})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/installed-size.cmake)
include(CPack)
