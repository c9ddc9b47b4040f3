# Cross-building for another Debian architecture through multiarch: the GNU cross compiler
# of the target's triplet, its libraries from /usr/lib/<triplet>, and qemu's user-mode
# emulator to run what is built. Included by the toolchain file of each architecture, which
# sets the triplet, CMAKE_SYSTEM_PROCESSOR and the emulator first.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${BOUNCE_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${BOUNCE_TRIPLET})
set(CMAKE_CROSSCOMPILING_EMULATOR ${BOUNCE_EMULATOR})
# pkg-config, which FindGLUT asks first, would otherwise find the build machine's libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${BOUNCE_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
