// SPDX-License-Identifier: MIT
// The program's two modes, which main chooses between and hands standard
// input and output, as tests and fuzz targets hand theirs; main then ends
// the session (EndSession, front/output.h).
#ifndef FRONT_MODES_H
#define FRONT_MODES_H

#include <cstdio>

#include "front/input.h"

// The upper-tail probability calculator: prompts for degrees of freedom and
// a chi-square value until an out-of-range pair or the end of the input.
void ProbabilityPrompt(Input *in, std::FILE *out);

// The paged table of critical values, 1 to 200 degrees of freedom, with a
// pause after every 15 rows that a q ends.
void PrintCriticalValues(Input *in, std::FILE *out);

#endif
