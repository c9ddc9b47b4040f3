# 32-bit ARM with hardware floating point (Debian's armhf), cross-built on a Debian machine of
# another architecture.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(BOUNCE_TRIPLET arm-linux-gnueabihf)
set(BOUNCE_EMULATOR qemu-arm-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
