// SPDX-License-Identifier: MIT
#include <cstring>

#include "chisq/chisq.h"
#include "front/modes.h"
#include "front/number_format.h"
#include "front/number_reader.h"
#include "front/output.h"

namespace {

// "\nprob = %.9f = %.3e\n", made in one piece and written in one.
void WriteResult(std::FILE *out, double prob) {
  char line[2 * kFormattedSize + 16];
  std::size_t length = 0;
  const auto append = [&](const char *text, std::size_t size) {
    std::memcpy(line + length, text, size);
    length += size;
  };
  append("\nprob = ", 8);
  length += FormatFixed(prob, 0, 9, line + length);
  append(" = ", 3);
  length += FormatExponent(prob, 3, line + length);
  append("\n", 1);
  Write(out, line, length);
}

} // namespace

void ProbabilityPrompt(Input *in, std::FILE *out) {
  for (;;) {
    Write(out, "\nd.f. & Chi^2 value (Ctrl-c to break)? ");
    ForgetEnd(in);
    double df = 0.0;
    double chi2 = 0.0;
    ReadStatus status = ReadNumber(in, &df);
    if (status == ReadStatus::kNumber)
      status = ReadNumber(in, &chi2);
    if (status == ReadStatus::kEnd)
      return;
    if (status == ReadStatus::kBad) {
      // Skip the rest of the line and ask again: a pair only half read
      // gives no result, and nothing from an earlier pair prints again.
      DiscardLine(in);
      continue;
    }
    // Written so that a NaN fails too.
    if (!(df >= 1.0) || !(chi2 >= 0.0))
      return;

    WriteResult(out, chisq::ChiSquareUpperTail(chi2, df));
  }
}
