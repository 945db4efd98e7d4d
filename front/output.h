// SPDX-License-Identifier: MIT
// Output for both modes and for main: bytes written to a stream, with a
// failed write treated as the error it is rather than lost, and the end of a
// session.
#ifndef FRONT_OUTPUT_H
#define FRONT_OUTPUT_H

#include <cstddef>
#include <cstdio>

// Writes length bytes of text. A failed write ends the program with status
// 1 and one line on standard error, as every function here does.
void Write(std::FILE *out, const char *text, std::size_t length);

// Writes a string literal, its length known where it is written.
template <std::size_t N> void Write(std::FILE *out, const char (&text)[N]) {
  Write(out, text, N - 1);
}

// Writes out what is buffered, as before a read that may wait.
void Flush(std::FILE *out);

// Writes out what is buffered at the end of the program, and fails also for
// an earlier error that no write reported, such as in a diagnostic.
void FinishOutput(std::FILE *out);

// What main writes after either mode: the last newline, then everything
// still buffered.
void EndSession(std::FILE *out);

#endif
