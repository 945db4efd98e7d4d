// SPDX-License-Identifier: MIT
// The program's two modes.
#ifndef FRONT_MODES_H
#define FRONT_MODES_H

#include <cstdio>

#include "front/console.h"

// The upper-tail probability calculator: prompts for degrees of freedom and
// a chi-square value until an out-of-range pair or the end of the input.
void ProbabilityPrompt(Input *in, std::FILE *out);

// The paged table of critical values, 1 to 200 degrees of freedom.
void PrintCriticalValues();

#endif
