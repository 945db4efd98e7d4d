// SPDX-License-Identifier: MIT
#include "front/console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Whether stream is an interactive terminal (a console on Windows).
bool IsTerminal(std::FILE *stream) {
#ifdef _WIN32
  // A console answers GetConsoleMode; _isatty would also say yes to NUL and
  // to any other character device.
  DWORD mode;
  const HANDLE handle =
      reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  return GetConsoleMode(handle, &mode) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

} // namespace

void OpenConsole() {
#ifdef _WIN32
  // Bytes as they are: no CR before each newline, and no end of input at a
  // 0x1A byte in a file or pipe. A console keeps text mode on input, where
  // ENTER gives one newline and Ctrl-Z is the user's end of input.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (!IsTerminal(stdin))
    _setmode(_fileno(stdin), _O_BINARY);
#endif
  // To a terminal every write goes out whole as it is made, so a prompt is
  // on the screen before the read waits; a file or pipe keeps its buffer
  // until it is full, the program waits for input, or the program ends.
  if (IsTerminal(stdout))
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}
