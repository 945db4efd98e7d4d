# SPDX-License-Identifier: MIT
# 64-bit POWER, little-endian:
#   cmake -S . -B build-powerpc64le-linux-gnu \
#     --toolchain cmake/toolchains/powerpc64le-linux-gnu.cmake
set(CHISQ_TRIPLET powerpc64le-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(CHISQ_QEMU qemu-ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
