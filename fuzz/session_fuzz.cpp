// SPDX-License-Identifier: MIT
// A whole session of either mode over arbitrary bytes as standard input, run
// through the functions main runs. An input that begins with a NUL byte is a
// table session with the rest as its input; any other is a calculator
// session. The calculator must end, print nothing but prompts and
// well-formed result lines whose prob lies in [0, 1], and close with the
// program's final newline; the table must stop at the pause whose character
// is the first q, or run to its end.
#include "tests/session.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kPrompt[] = "\nd.f. & Chi^2 value (Ctrl-c to break)? ";
const char kResult[] = "\nprob = ";

void Require(bool holds) {
  if (!holds)
    __builtin_trap();
}

bool Digits(const char *text, int count) {
  for (int i = 0; i < count; ++i)
    if (text[i] < '0' || text[i] > '9')
      return false;
  return true;
}

// "d.ddddddddd = d.ddde+ddd\n" with both numbers the same probability;
// returns its length.
std::size_t ResultLength(const char *text, std::size_t left) {
  const std::size_t length = 11 + 3 + 10 + 1;
  Require(left >= length);
  Require(Digits(text, 1) && text[1] == '.' && Digits(text + 2, 9));
  Require(std::memcmp(text + 11, " = ", 3) == 0);
  const char *e = text + 14;
  Require(Digits(e, 1) && e[1] == '.' && Digits(e + 2, 3) && e[5] == 'e');
  Require((e[6] == '+' || e[6] == '-') && Digits(e + 7, 3) && e[10] == '\n');
  const double fixed = std::strtod(text, nullptr);
  const double exponent = std::strtod(e, nullptr);
  Require(fixed >= 0.0 && fixed <= 1.0);
  Require(exponent >= 0.0 && exponent <= 1.0);
  Require(std::fabs(fixed - exponent) <= 5e-10 + 5e-4 * exponent);
  return length;
}

void CheckCalculator(const std::string &output, std::size_t input_size) {
  const char *text = output.data();
  const std::size_t length = output.size();
  const std::size_t prompt = sizeof kPrompt - 1;
  const std::size_t result = sizeof kResult - 1;
  std::size_t at = 0;
  std::size_t prompts = 0;
  for (;;) {
    Require(length - at >= prompt &&
            std::memcmp(text + at, kPrompt, prompt) == 0);
    at += prompt;
    ++prompts;
    if (length - at >= result && std::memcmp(text + at, kResult, result) == 0) {
      at += result;
      at += ResultLength(text + at, length - at);
    }
    if (length - at == 1)
      break;
  }
  Require(text[at] == '\n');
  // Every prompt but the last took at least one byte of input.
  Require(prompts <= input_size + 1);
}

void CheckTable(const std::string &output, const std::uint8_t *data,
                std::size_t size) {
  // One character a pause, of 13 pauses.
  std::size_t quit_at = 0;
  while (quit_at < size && quit_at < 13 && data[quit_at] != 'q')
    ++quit_at;
  static const std::string whole = WholeTable();
  Require(whole != "");
  if (quit_at == size || quit_at == 13)
    Require(output == whole);
  else
    Require(output == TableToPause(static_cast<int>(quit_at) + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const char *bytes = reinterpret_cast<const char *>(data);
  if (size > 0 && data[0] == 0)
    CheckTable(
        RunSession(PrintCriticalValues, std::string(bytes + 1, size - 1)),
        data + 1, size - 1);
  else
    CheckCalculator(RunSession(ProbabilityPrompt, std::string(bytes, size)),
                    size);
  return 0;
}
