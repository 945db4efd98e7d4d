// SPDX-License-Identifier: MIT
// The program's two modes, which main chooses between. Each does its work
// through a function that takes its input and its output, so that tests and
// fuzz targets run them as main does; main then writes the last line.
#ifndef FRONT_MODES_H
#define FRONT_MODES_H

#include <cstdio>

#include "front/input.h"

// The upper-tail probability calculator: prompts for degrees of freedom and
// a chi-square value until an out-of-range pair or the end of the input.
void ProbabilityPrompt(Input *in, std::FILE *out);

// The paged table of critical values, 1 to 200 degrees of freedom, with a
// pause after every 15 rows that a q ends.
void CriticalValueTable(Input *in, std::FILE *out);

// The table on standard input and output, as main runs it.
void PrintCriticalValues();

// What main writes after either mode: the last newline, then everything
// still buffered.
void EndSession(std::FILE *out);

#endif
