// SPDX-License-Identifier: MIT
// The table's eight columns as cumulative probabilities p; each column's
// header shows its significance level, 1 - p. The table, its tests, the
// benchmarks and the fixture generator all take them from here (the Python
// scripts read this line).
#ifndef FRONT_LEVELS_H
#define FRONT_LEVELS_H

constexpr double kTableLevels[8] = {0.005, 0.025, 0.1,  0.5,
                                    0.9,   0.95,  0.99, 0.999};

#endif
