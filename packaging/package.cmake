# Installation: the program, its desktop entry, icons, AppStream metadata and manual page.
# The Debian package (debian/) installs through these rules and adds the licence and changelog.
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

configure_file(packaging/bounce.6 bounce.6 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/bounce.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
