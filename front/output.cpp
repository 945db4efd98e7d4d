// SPDX-License-Identifier: MIT
#include "front/output.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void WriteFailed(int error) {
  std::fprintf(stderr, "chisq: cannot write standard output: %s\n",
               std::strerror(error));
  std::_Exit(1);
}

} // namespace

void Write(std::FILE *out, const char *text, std::size_t length) {
  if (std::fwrite(text, 1, length, out) != length)
    WriteFailed(errno);
}

void Flush(std::FILE *out) {
  if (std::fflush(out) != 0)
    WriteFailed(errno);
}

void FinishOutput(std::FILE *out) {
  Flush(out);
  if (std::ferror(out))
    WriteFailed(EIO);
}

void EndSession(std::FILE *out) {
  Write(out, "\n");
  FinishOutput(out);
}
