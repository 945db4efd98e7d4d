// SPDX-License-Identifier: MIT
// Console helpers shared by the calculator and the table: the number reader,
// input that forgets end of file, printing that treats a failed write as the
// error it is, and exponents with three digits.
#ifndef FRONT_CONSOLE_H
#define FRONT_CONSOLE_H

#include <cstddef>
#include <cstdio>

// Lets GNU-style compilers check Print's arguments against its format; to
// any other compiler it is nothing.
#if defined(__GNUC__)
#define CHISQ_PRINTF_FORMAT(index, first)                                      \
  __attribute__((format(printf, index, first)))
#else
#define CHISQ_PRINTF_FORMAT(index, first)
#endif

// Sets up the standard streams alike on every platform: bytes in and out as
// they are, and output to a terminal written out at every print. Call it
// before anything is read or written.
void OpenConsole();

// Whether stream is an interactive terminal (a console on Windows).
bool IsTerminal(std::FILE *stream);

// Standard input, read in blocks of its own so that the program knows when a
// read is about to wait: what it has printed is written out first, so that
// a reader at the far end of a pipe (less, tee, a script taking one answer
// at a time) sees every prompt and page before the program waits for it.
struct Input {
  int fd;
  std::FILE *flush_first;
  bool ended; // end of input seen and not yet forgotten
  std::size_t next, filled;
  unsigned char block[4096];
};

// in reads fd; flush_first (null for none) is written out before each wait.
void OpenInput(Input *in, int fd, std::FILE *flush_first);

enum class ReadStatus {
  kNumber, // a number was read and stored
  kEnd,    // input ended before a number was complete
  kBad,    // a character that cannot begin or continue a number is next
};

// Reads one number: optional sign, digits with at most one point and at least
// one digit, optional exponent (an e with no digits after it counts as e0).
// Leading white space is skipped; the character after the number, or the
// offending one, stays in the input. The value is the correctly rounded
// double of the whole token, however long, read in bounded memory.
ReadStatus ReadNumber(Input *in, double *value);

// Clears a remembered end of input, so that the next read asks again: a
// terminal waits once more, an ended pipe or file reports the end at once.
void ForgetEnd(Input *in);

// One character, or EOF, from input that was first told to forget its end.
int ReadChar(Input *in);

// Drops the input through the end of the current line or of the input.
void DiscardLine(Input *in);

// printf, with "%.3e"-style exponents left to FormatExponent. A failed write
// ends the program with status 1 and one line on standard error.
void Print(std::FILE *out, const char *format, ...) CHISQ_PRINTF_FORMAT(2, 3);

// Writes out what is buffered; a failure ends the program as in Print.
void FinishOutput(std::FILE *out);

// value in "%.{digits}e" with the exponent's sign and at least three digits,
// as 5.011e-002 or 1.000e+100.
void FormatExponent(double value, int digits, char *buffer, std::size_t size);

#endif
