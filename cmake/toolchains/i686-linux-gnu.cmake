# SPDX-License-Identifier: MIT
# 32-bit x86 (i686); the project builds it with SSE2 arithmetic:
#   cmake -S . -B build-i686-linux-gnu \
#     --toolchain cmake/toolchains/i686-linux-gnu.cmake
set(CHISQ_TRIPLET i686-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CHISQ_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
