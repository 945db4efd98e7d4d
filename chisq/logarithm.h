// SPDX-License-Identifier: MIT
// The natural logarithm in double-double, internal to the library.
#ifndef CHISQ_LOGARITHM_H
#define CHISQ_LOGARITHM_H

#include "chisq/double_double.h"

namespace chisq::detail {

// ln x for finite x > 0, subnormal x included, within about 2^-58
// relative: 32 times finer than a double rounds.
DoubleDouble Log(double x);

// ln(x / 2) for finite x > 0: halving a subnormal x would round it.
DoubleDouble LogHalf(double x);

// ln(hi + lo) for hi > 0 and |lo| <= ulp(hi).
DoubleDouble Log(DoubleDouble x);

} // namespace chisq::detail

#endif
