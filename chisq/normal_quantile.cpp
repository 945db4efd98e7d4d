// SPDX-License-Identifier: MIT
// Standard normal quantile by the rational approximation in
// y = sqrt(ln(1 / s^2)), s the smaller tail, with the coefficients of
// algorithm AS 70 (R. E. Odeh and J. O. Evans, Applied Statistics 23, 1974);
// no special case for p = 0.5, and -9999.0 for a tail below 1e-20.
//
// The coefficients are the published decimals, some with fewer digits than
// a double holds: the table's starting values, and so the last bits of its
// quantiles, depend on them exactly as written. Do not tidy them.
#include "chisq/chisq.h"

#include <cmath>

namespace chisq {

double NormalQuantile(double p) {
  // Each test asks "at least", so a NaN p takes s = p and the sentinel.
  const double s = p >= 0.5 ? 1.0 - p : p;
  if (!(s >= 1e-20))
    return -9999.0;

  const double y = std::sqrt(std::log(1.0 / (s * s)));
  const double n =
      (((-0.0000453642210148 * y - 0.0204231210245) * y - 0.342242088547) * y -
       1.0) *
          y -
      0.322232431088;
  const double d =
      (((0.0038560700634 * y + 0.10353775285) * y + 0.531103462366) * y +
       0.588581570495) *
          y +
      0.099348462606;
  const double z = y + n / d;
  return p >= 0.5 ? z : -z;
}

} // namespace chisq
