// SPDX-License-Identifier: MIT
// A C program of someone else's that calls the installed library's C names:
// it prints what the C++ consumer prints after its first two lines.
#include <chisq/chisq.h>

#include <stdio.h>

#include "points.h"

int main(void) {
  size_t i;
  for (i = 0; i < sizeof kPoints / sizeof kPoints[0]; ++i) {
    const double x = kPoints[i][0], v = kPoints[i][1];
    printf("%a %a %a %a %a %a\n", chisq_lower_tail(x, v),
           chisq_upper_tail(x, v), chisq_log_lower_tail(x, v),
           chisq_log_upper_tail(x, v), chisq_density(x, v),
           chisq_log_density(x, v));
  }
  for (i = 0; i < sizeof kProbabilities / sizeof kProbabilities[0]; ++i)
    printf("%a %a\n", chisq_quantile(kProbabilities[i], 3.0),
           chisq_upper_quantile(kProbabilities[i], 3.0));
  return 0;
}
