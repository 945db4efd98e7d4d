// SPDX-License-Identifier: MIT
// ln x in double-double: x = m 2^k with m in [sqrt(1/2), sqrt(2)), then
// ln m = 2 atanh(s), s = (m - 1) / (m + 1), by its Taylor series (the
// classic reduction, as in W. J. Cody and W. Waite, Software Manual for the
// Elementary Functions, 1980), the leading 2 s carried in double-double and
// the rest, under 1% of it, in double. No libm call: every platform
// computes the same bits.
#include "chisq/logarithm.h"

#include <cmath>

namespace chisq::detail {

namespace {

// ln 2 in double-double.
constexpr DoubleDouble kLn2 = {0.6931471805599453, 2.3190468138462996e-17};
constexpr double kSqrtHalf = 0.7071067811865476;

// ln(x 2^shift).
DoubleDouble LogScaled(double x, int shift) {
  int k;
  double m = std::frexp(x, &k);
  k += shift;
  if (m < kSqrtHalf) {
    m = 2.0 * m;
    --k;
  }
  // m - 1 is exact; m + 1 may take a 54th bit.
  const DoubleDouble s = Divide(DoubleDouble{m - 1.0, 0.0}, TwoSum(m, 1.0));
  const double s2 = s.hi * s.hi;
  // 2 s^3 (1/3 + s^2/5 + ...): |s| <= 0.172, so s^2 <= 0.0295 and the terms
  // after 2 s^25 / 25 are below 1e-21 of 2 s.
  constexpr double kOdd[] = {1.0 / 3,  1.0 / 5,  1.0 / 7,  1.0 / 9,
                             1.0 / 11, 1.0 / 13, 1.0 / 15, 1.0 / 17,
                             1.0 / 19, 1.0 / 21, 1.0 / 23, 1.0 / 25};
  double series = kOdd[11];
  for (int j = 10; j >= 0; --j)
    series = series * s2 + kOdd[j];
  const double tail = 2.0 * s.hi * s2 * series;
  const DoubleDouble log_m = Add(DoubleDouble{2.0 * s.hi, 2.0 * s.lo}, tail);
  if (k == 0)
    return log_m;
  return Add(Multiply(kLn2, static_cast<double>(k)), log_m);
}

} // namespace

DoubleDouble Log(double x) { return LogScaled(x, 0); }

DoubleDouble LogHalf(double x) { return LogScaled(x, -1); }

DoubleDouble Log(DoubleDouble x) { return Add(Log(x.hi), x.lo / x.hi); }

} // namespace chisq::detail
