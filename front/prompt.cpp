// SPDX-License-Identifier: MIT
#include "chisq/chisq.h"
#include "front/console.h"
#include "front/modes.h"

void ProbabilityPrompt(Input *in, std::FILE *out) {
  for (;;) {
    Print(out, "\nd.f. & Chi^2 value (Ctrl-c to break)? ");
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

    const double g = chisq::LogGamma(0.5 * df);
    const double prob = 1.0 - chisq::IncompleteGamma(0.5 * chi2, 0.5 * df, g);
    char exponent_form[32];
    FormatExponent(prob, 3, exponent_form, sizeof exponent_form);
    Print(out, "\nprob = %.9f = %s\n", prob, exponent_form);
  }
}
