// SPDX-License-Identifier: MIT
#include "front/input.h"

#include <cerrno>

#include "front/output.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// One read of up to size bytes, retried when a signal interrupts it; what
// the system returns, negative on failure.
long ReadSome(int fd, unsigned char *buffer, std::size_t size) {
#ifdef _WIN32
  return _read(fd, buffer, static_cast<unsigned>(size));
#else
  ssize_t got;
  do
    got = read(fd, buffer, size);
  while (got < 0 && errno == EINTR);
  return static_cast<long>(got);
#endif
}

} // namespace

void OpenInput(Input *in, int fd, std::FILE *flush_first) {
  in->fd = fd;
  in->flush_first = flush_first;
  in->ended = false;
  in->next = 0;
  in->filled = 0;
}

void ForgetEnd(Input *in) { in->ended = false; }

int NextChar(Input *in) {
  if (in->next < in->filled)
    return in->block[in->next++];
  if (in->ended)
    return EOF;
  if (in->flush_first != nullptr)
    Flush(in->flush_first);
  const long got = ReadSome(in->fd, in->block, sizeof in->block);
  if (got <= 0) { // a failed read ends the input like end of file
    in->ended = true;
    return EOF;
  }
  in->next = 1;
  in->filled = static_cast<std::size_t>(got);
  return in->block[0];
}

void PutBack(Input *in, int c) {
  if (c != EOF)
    --in->next; // the character is still in the block
}

void DiscardLine(Input *in) {
  int c;
  do
    c = NextChar(in);
  while (c != '\n' && c != EOF);
}
