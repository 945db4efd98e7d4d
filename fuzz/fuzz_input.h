// SPDX-License-Identifier: MIT
// Fuzz input as the program's standard input: the bytes in a memory file,
// read through the program's own Input.
#ifndef FUZZ_FUZZ_INPUT_H
#define FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

inline int MemoryFile(const std::uint8_t *data, std::size_t size) {
  const int fd = memfd_create("fuzz-input", 0);
  if (fd < 0)
    __builtin_trap();
  for (std::size_t done = 0; done < size;) {
    const ssize_t wrote = write(fd, data + done, size - done);
    if (wrote <= 0)
      __builtin_trap();
    done += static_cast<std::size_t>(wrote);
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

#endif
