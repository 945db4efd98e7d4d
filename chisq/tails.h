// SPDX-License-Identifier: MIT
// What the distribution's functions and its quantiles share; internal to
// the library.
#ifndef CHISQ_TAILS_H
#define CHISQ_TAILS_H

#include "chisq/gamma_ratios.h"

#include <cfloat>
#include <cmath>

namespace chisq::detail {

// The shape v / 2; half the smallest subnormal v would round to zero, so the
// smallest double stands in.
inline double Shape(double v) { return std::fmax(0.5 * v, DBL_TRUE_MIN); }

// ln P (lower) or ln Q from the smaller ratio: the other is ln(1 - it),
// which near 0 is minus it to full relative precision.
inline double LogTailOf(const Ratio &r, bool lower) {
  if (r.lower == lower)
    return LogOf(r.value);
  return std::log1p(-ValueOf(r.value));
}

} // namespace chisq::detail

#endif
