# SPDX-License-Identifier: MIT
# 32-bit ARM with hardware floating point (armhf: Raspberry Pi OS, Debian):
#   cmake -S . -B build-arm-linux-gnueabihf \
#     --toolchain cmake/toolchains/arm-linux-gnueabihf.cmake
set(CHISQ_TRIPLET arm-linux-gnueabihf)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CHISQ_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
