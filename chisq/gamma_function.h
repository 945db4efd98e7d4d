// SPDX-License-Identifier: MIT
// The gamma function to full precision, in the forms the precise
// distribution needs; internal to the library.
#ifndef CHISQ_GAMMA_FUNCTION_H
#define CHISQ_GAMMA_FUNCTION_H

#include "chisq/double_double.h"

namespace chisq::detail {

// 1 / Gamma(1 + t) - 1 for -1/2 <= t <= 1, with full relative precision
// near t = 0 (about Euler's gamma times t).
double RecipGamma1pm1(double t);

// ln Gamma(1 + a) for 0 <= a < 10.5, in double-double: the product of the
// recurrence's factors is carried exactly, 1 / Gamma(1 + t), |t| <= 1/2, to
// full relative precision, so the result is within about 2^-60 of its
// largest term.
DoubleDouble LogGamma1p(double a);

// ln Gamma*(a), Gamma*(a) = Gamma(a) / (sqrt(2 pi / a) (a / e)^a), given
// y = 1 / a for a >= 10: Stirling's series, its error below 2e-18
// absolute.
double LogScaledGamma(double y);

} // namespace chisq::detail

#endif
