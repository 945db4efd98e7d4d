// SPDX-License-Identifier: MIT
// Standard input for both modes, read in blocks of its own so that the
// program knows when a read is about to wait: what it has written is sent
// out first, so that a reader at the far end of a pipe (less, tee, a script
// taking one answer at a time) sees every prompt and page before the program
// waits for it. The calculator's number reader and the table's pauses read
// through it.
#ifndef FRONT_INPUT_H
#define FRONT_INPUT_H

#include <cstddef>
#include <cstdio>

// The fields belong to the functions below; callers only hold the struct.
struct Input {
  int fd;
  std::FILE *flush_first;
  bool ended; // end of input seen and not yet forgotten
  std::size_t next, filled;
  unsigned char block[4096];
};

// in reads descriptor fd; flush_first (null for none) is written out before
// each read that may wait.
void OpenInput(Input *in, int fd, std::FILE *flush_first);

// Clears a remembered end of input, so that the next character asks the
// input again: a terminal waits once more, an ended pipe or file reports the
// end at once. Each mode calls it at the start of every read it makes of the
// user, and nothing else forgets the end.
void ForgetEnd(Input *in);

// The next character, or EOF from the end of input (or a failed read) on.
int NextChar(Input *in);

// Puts back c, the character NextChar has just given; EOF puts back nothing.
void PutBack(Input *in, int c);

// Drops the input through the end of the current line or of the input.
void DiscardLine(Input *in);

#endif
