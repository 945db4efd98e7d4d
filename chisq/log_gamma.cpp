// SPDX-License-Identifier: MIT
// ln Gamma by Stirling's series with four correction terms, after shifting
// the argument up to at least 7 with Gamma(x + 1) = x Gamma(x).
#include "chisq/chisq.h"

#include <cmath>

namespace chisq {

double LogGamma(double x) {
  // The shift would take forever for a huge negative x, and Stirling's
  // series turns +inf into inf - inf.
  if (x < 0.0)
    return std::nan("");
  if (std::isinf(x))
    return x;

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
  return f + (y - 0.5) * std::log(y) - y + s / y + 0.918938533204673;
}

} // namespace chisq
