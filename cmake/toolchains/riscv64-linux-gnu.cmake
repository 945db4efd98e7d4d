# SPDX-License-Identifier: MIT
# 64-bit RISC-V:
#   cmake -S . -B build-riscv64-linux-gnu \
#     --toolchain cmake/toolchains/riscv64-linux-gnu.cmake
set(CHISQ_TRIPLET riscv64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(CHISQ_QEMU qemu-riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
