# SPDX-License-Identifier: MIT
# IBM Z, big-endian:
#   cmake -S . -B build-s390x-linux-gnu \
#     --toolchain cmake/toolchains/s390x-linux-gnu.cmake
set(CHISQ_TRIPLET s390x-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CHISQ_QEMU qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
