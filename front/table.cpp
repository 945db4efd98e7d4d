// SPDX-License-Identifier: MIT
#include "chisq/chisq.h"
#include "front/modes.h"
#include "front/number_format.h"
#include "front/output.h"

namespace {

// A cell, written at once: a quantile's diagnostic, printed to standard
// output by the routine, lands before the cell as it always has.
void WriteCell(std::FILE *out, double value) {
  char cell[kFormattedSize];
  Write(out, cell, FormatFixed(value, 9, 4, cell));
}

// "\n%3d " for a row number from 1 to 200.
void WriteRowNumber(std::FILE *out, int df) {
  char text[6] = {'\n', ' ', ' ', ' ', ' ', '\0'};
  for (int at = 3; df != 0; df /= 10)
    text[at--] = static_cast<char>('0' + df % 10);
  Write(out, text, 5);
}

} // namespace

void CriticalValueTable(Input *in, std::FILE *out) {
  // Cumulative probabilities; the header shows the significance level 1 - p.
  const double levels[8] = {0.005, 0.025, 0.1, 0.5, 0.9, 0.95, 0.99, 0.999};

  Write(out, "\n\nChi-square critical values\n");
  for (int r = 0; r < 200; ++r) {
    if (r % 15 == 0) {
      Write(out, "\n\t\t\t\tSignificance level\n");
      Write(out, "\n DF ");
      for (double p : levels)
        WriteCell(out, 1.0 - p);
      Write(out, "\n");
    }
    WriteRowNumber(out, r + 1);
    for (double p : levels)
      WriteCell(out, chisq::ChiSquareQuantile(p, static_cast<double>(r + 1)));
    if (r % 5 == 4)
      Write(out, "\n");
    if (r % 15 == 14) {
      Write(out, "\nENTER for more, (q+ENTER) for quit... ");
      ForgetEnd(in);
      if (NextChar(in) == 'q')
        break;
    }
  }
}

void PrintCriticalValues() {
  Input in;
  OpenInput(&in, 0, stdout);
  CriticalValueTable(&in, stdout);
}
