// SPDX-License-Identifier: MIT
// Where the consumers call the distribution, C's and C++'s alike: both must
// print the same bits.
#ifndef POINTS_H
#define POINTS_H

static const double kPoints[][2] = {{18.3, 10.0}, {100.0, 1.0}, {5000.0, 1.0},
                                    {0.5, 0.5},   {2e8, 2e8},   {1e-320, 1e-6},
                                    {-1.0, 3.0},  {0.0, 2.0}};
static const double kProbabilities[] = {5e-8, 0.05, 0.5, 0.95, 1e-300};

#endif
