# 64-bit ARM (Debian's arm64), cross-built on a Debian machine of another architecture.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(BOUNCE_TRIPLET aarch64-linux-gnu)
set(BOUNCE_EMULATOR qemu-aarch64-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
