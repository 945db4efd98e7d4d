// SPDX-License-Identifier: MIT
// A mode run in-process as main runs it, and the table it must print: the
// one harness of the modes test and the session fuzz target.
#ifndef TESTS_SESSION_H
#define TESTS_SESSION_H

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "front/modes.h"
#include "front/output.h"

using Mode = void (*)(Input *, std::FILE *);

// The mode's whole output, final newline included, for the given input; ""
// where no temporary file can be had, which no session prints.
inline std::string RunSession(Mode mode, const std::string &input) {
  std::FILE *typed = std::tmpfile();
  std::FILE *out = std::tmpfile();
  std::string text;
  if (typed != nullptr && out != nullptr) {
    std::fwrite(input.data(), 1, input.size(), typed);
    std::fflush(typed);
    std::rewind(typed);
    Input in;
    OpenInput(&in, fileno(typed), out);
    mode(&in, out);
    EndSession(out);
    std::rewind(out);
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, out)) > 0;)
      text.append(block, got);
  }
  if (typed != nullptr)
    std::fclose(typed);
  if (out != nullptr)
    std::fclose(out);
  return text;
}

// The program's output with its input ended (build/chisq </dev/null): all
// 200 rows and 13 pauses, with the cells the quantile test holds to mpmath's
// values. "" where the fixture is missing.
inline std::string WholeTable() {
  std::ifstream file(CHISQ_FIXTURES "/table.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The table as it stands when a q answers pause number `pause`, 1 to 13.
inline std::string TableToPause(int pause) {
  static const char kPause[] = "\nENTER for more, (q+ENTER) for quit... ";
  const std::string whole = WholeTable();
  std::size_t end = 0;
  for (int i = 0; i < pause; ++i)
    end = whole.find(kPause, end) + sizeof kPause - 1;
  return whole.substr(0, end) + "\n";
}

#endif
