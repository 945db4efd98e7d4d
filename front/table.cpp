// SPDX-License-Identifier: MIT
#include "chisq/chisq.h"
#include "front/console.h"
#include "front/modes.h"

void PrintCriticalValues() {
  // Cumulative probabilities; the header shows the significance level 1 - p.
  const double levels[8] = {0.005, 0.025, 0.1, 0.5, 0.9, 0.95, 0.99, 0.999};

  Input in;
  OpenInput(&in, 0, stdout);

  Print(stdout, "\n\nChi-square critical values\n");
  for (int r = 0; r < 200; ++r) {
    if (r % 15 == 0) {
      Print(stdout, "\n\t\t\t\tSignificance level\n");
      Print(stdout, "\n DF ");
      for (double p : levels)
        Print(stdout, "%9.4f", 1.0 - p);
      Print(stdout, "\n");
    }
    Print(stdout, "\n%3d ", r + 1);
    for (double p : levels)
      Print(stdout, "%9.4f",
            chisq::ChiSquareQuantile(p, static_cast<double>(r + 1)));
    if (r % 5 == 4)
      Print(stdout, "\n");
    if (r % 15 == 14) {
      Print(stdout, "\nENTER for more, (q+ENTER) for quit... ");
      if (ReadChar(&in) == 'q')
        break;
    }
  }
}
