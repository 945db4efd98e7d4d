# SPDX-License-Identifier: MIT
# 64-bit ARM:
#   cmake -S . -B build-aarch64-linux-gnu \
#     --toolchain cmake/toolchains/aarch64-linux-gnu.cmake
set(CHISQ_TRIPLET aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CHISQ_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
