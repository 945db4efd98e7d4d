// SPDX-License-Identifier: MIT
// ln Gamma(x) by Stirling's asymptotic series with four correction terms,
// after shifting x up to at least 7 with Gamma(x + 1) = x Gamma(x): the form
// of Algorithm 291 (M. C. Pike and I. D. Hill, Communications of the ACM 9,
// 1966).
//
// The coefficients are 1/12, 1/360, 1/1260, 1/1680 and ln(2 pi) / 2 cut to
// fifteen decimals, and (x - 1) + 1 is computed with both operations, as
// published: the last bits of every result, and so digits the calculator
// prints, depend on them exactly as written. Do not tidy them. Euler's
// gamma and pi^2 / 12 below, for tiny x only, are the doubles nearest.
#include "chisq/chisq.h"

#include <cmath>

namespace {

// Below this, (x - 1) + 1 can be off by 2^-54, a relative 5.5e-12 of x and
// more as x falls, which outweighs the series' own error (2e-11 absolute) and
// reaches the ninth digit of ln Gamma from about 1e-9. There ln Gamma(x) is
// -ln x plus the first two terms of the Taylor series of ln Gamma(1 + x),
// -gamma x + (pi^2 / 12) x^2, whose next term, zeta(3) x^3 / 3, is below
// 4e-16.
constexpr double kTinyArgument = 1e-5;

} // namespace

namespace chisq {

double LogGamma(double x) {
  // The shift would take forever for a huge negative x, and Stirling's
  // series turns +inf into inf - inf.
  if (x < 0.0)
    return std::nan("");
  if (std::isinf(x))
    return x;
  if (x < kTinyArgument)
    return -std::log(x) + x * (-0.5772156649015329 + 0.8224670334241132 * x);

  double f = 0.0;
  double y = x;
  if (x < 7.0) {
    f = 1.0;
    double z = (x - 1.0) + 1.0;
    while (z < 7.0) {
      f = f * z;
      z = z + 1.0;
    }
    y = z;
    f = -std::log(f);
  }
  const double w = 1.0 / (y * y);
  const double s =
      ((-0.000595238095238 * w + 0.000793650793651) * w - 0.002777777777778) *
          w +
      0.083333333333333;
  const double r = f + (y - 0.5) * std::log(y) - y + s / y + 0.918938533204673;
  // From 2.55e305 up, (y - 0.5) ln y overflows a little before the sum does.
  if (std::isinf(r))
    return y * (std::log(y) - 1.0) - 0.5 * std::log(y) + 0.918938533204673;
  return r;
}

} // namespace chisq
