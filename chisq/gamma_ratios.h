// SPDX-License-Identifier: MIT
// The regularised incomplete gamma ratios P(a, z) and Q(a, z) to full
// precision; internal to the library.
#ifndef CHISQ_GAMMA_RATIOS_H
#define CHISQ_GAMMA_RATIOS_H

#include "chisq/gamma_prefactor.h"

namespace chisq::detail {

// The smaller of the two ratios (near the median, whichever is computed
// without cancellation); the other is 1 minus it.
struct Ratio {
  Scaled value;
  bool lower; // whether value is P; otherwise Q
};

// For a > 0 and z = x / 2, x > 0 finite (x undivided, so that a subnormal
// x keeps its bits), given Prefactor(a, x).
Ratio SmallerRatio(double a, double x, const GammaPrefactor &prefactor);

// P(a, z) by its power series, for z below a + 1 or so, where it converges
// fast: given Prefactor(a, x).
Scaled LowerBySeries(double a, double x, const GammaPrefactor &prefactor);

// Whether SmallerRatio takes Q from DiDonato and Morris's series, where the
// power series gives P with its logarithm to a finer absolute error.
bool SmallShapeSeries(double a, double x);

} // namespace chisq::detail

#endif
