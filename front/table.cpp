// SPDX-License-Identifier: MIT
#include "chisq/chisq.h"
#include "front/levels.h"
#include "front/modes.h"
#include "front/number_format.h"
#include "front/output.h"

namespace {

// A cell, written at once, so that a quantile's diagnostic, which the routine
// writes to standard output itself, lands just before its cell.
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

void PrintCriticalValues(Input *in, std::FILE *out) {
  Write(out, "\n\nChi-square critical values\n");
  for (int r = 0; r < 200; ++r) {
    if (r % 15 == 0) {
      Write(out, "\n\t\t\t\tSignificance level\n");
      Write(out, "\n DF ");
      for (double p : kTableLevels)
        WriteCell(out, 1.0 - p);
      Write(out, "\n");
    }
    WriteRowNumber(out, r + 1);
    for (double p : kTableLevels)
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
