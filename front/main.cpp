// chisq: with no arguments a paged table of chi-square critical values, with
// any argument an upper-tail probability calculator.
#include <cstdio>
#include <unistd.h>

#include "front/console.h"
#include "front/modes.h"

int main(int argc, char **) {
  // To a terminal every print goes out whole as it is made, so a prompt is
  // on the screen before the read waits; a file or pipe keeps its buffer
  // until it is full, the program waits for input, or the program ends.
  if (isatty(fileno(stdout)))
    std::setvbuf(stdout, nullptr, _IONBF, 0);

  if (argc < 2)
    PrintCriticalValues();
  else {
    Input in;
    OpenInput(&in, 0, stdout);
    ProbabilityPrompt(&in, stdout);
  }
  Print(stdout, "\n");
  FinishOutput(stdout);
  return 0;
}
