// SPDX-License-Identifier: MIT
/* The least a calculator can do: read two numbers with strtod, print two
   formats of one value. */
#include <stdio.h>
#include <stdlib.h>

int main(void) {
  static char line[4096];
  while (fgets(line, sizeof line, stdin)) {
    char *end;
    double df = strtod(line, &end);
    double chi2 = strtod(end, NULL);
    if (!(df >= 1.0) || !(chi2 >= 0.0))
      break;
    double prob = chi2 / (df + chi2);
    printf("\nd.f. & Chi^2 value (Ctrl-c to break)? ");
    printf("\nprob = %.9f = %.3e\n", prob, prob);
  }
  printf("\n");
  return 0;
}
