// SPDX-License-Identifier: MIT
// Upper tail of the chi-square distribution, Q = 1 - P(v / 2, x / 2), from
// the incomplete gamma ratio (algorithm AS 32) and ln Gamma(v / 2): the
// calculator's probability, in one call.
#include "chisq/chisq.h"

#include <cfloat>
#include <cmath>

namespace {

// Below this x, halving x loses bits of a subnormal (all of them for the
// smallest double), and a tiny shape makes P hang on ln(x / 2) itself. There
// P is (x / 2)^a / Gamma(a + 1) to a relative 1e-300, taken in logarithms.
constexpr double kTinyLimit = 1e-300;

// ln 2, the double nearest.
constexpr double kLn2 = 0.6931471805599453;

} // namespace

namespace chisq {

double ChiSquareUpperTail(double x, double v) {
  // Written so that a NaN fails too.
  if (!(x >= 0.0) || !(v > 0.0))
    return -1.0;
  // Half the smallest subnormal v rounds to zero, which would make the tail
  // 2: the smallest double stands in, whose tail is as far below 1e-300.
  const double a = std::fmax(0.5 * v, DBL_TRUE_MIN);
  const double g = LogGamma(a);
  if (x > 0.0 && x < kTinyLimit)
    return 1.0 - std::exp(a * (std::log(x) - kLn2) - (g + std::log(a)));
  return 1.0 - IncompleteGamma(0.5 * x, a, g);
}

} // namespace chisq
