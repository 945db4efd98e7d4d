// SPDX-License-Identifier: MIT
// chisq: with no arguments a paged table of chi-square critical values, with
// any argument an upper-tail probability calculator.
#include <cstdio>

#include "front/console.h"
#include "front/modes.h"
#include "front/output.h"

int main(int argc, char **) {
  // No floating-point mode is set here: every build does its double
  // arithmetic in double precision (SSE2 on 32-bit x86), and the x87's own
  // setting stays as the C library's exp, log and pow need it there.
  OpenConsole();

  Input in;
  OpenInput(&in, 0, stdout);
  if (argc < 2)
    PrintCriticalValues(&in, stdout);
  else
    ProbabilityPrompt(&in, stdout);
  EndSession(stdout);
  return 0;
}
