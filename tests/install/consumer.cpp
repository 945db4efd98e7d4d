// SPDX-License-Identifier: MIT
// A program of someone else's that uses the installed library. With
// OWN_LOGGAMMA it also has a global LogGamma of its own (log10 Gamma, say),
// which must not change what the library computes. After its first two
// lines it prints the distribution at the points the C consumer takes.
#include <chisq/chisq.h>

#include <cmath>
#include <cstdio>

#include "points.h"

#ifdef OWN_LOGGAMMA
double LogGamma(double x) { return std::lgamma(x) / std::log(10.0); }
#endif

int main() {
  static_assert(CHISQ_VERSION == CHISQ_VERSION_MAJOR * 10000 +
                                     CHISQ_VERSION_MINOR * 100 +
                                     CHISQ_VERSION_PATCH,
                "version macros");
  std::printf("%.4f\n", chisq::ChiSquareQuantile(0.95, 10));
  std::printf("%a %a %a %a %a\n", chisq::ChiSquareQuantile(0.95, 10),
              chisq::LogGamma(5.5),
              chisq::IncompleteGamma(9.15, 5.0, chisq::LogGamma(5.0)),
              chisq::NormalQuantile(0.975),
              chisq::ChiSquareUpperTail(18.3, 10));
  for (const auto &point : kPoints) {
    const double x = point[0], v = point[1];
    std::printf("%a %a %a %a %a %a\n", chisq::LowerTail(x, v),
                chisq::UpperTail(x, v), chisq::LogLowerTail(x, v),
                chisq::LogUpperTail(x, v), chisq::Density(x, v),
                chisq::LogDensity(x, v));
  }
  for (double p : kProbabilities)
    std::printf("%a %a\n", chisq::Quantile(p, 3.0),
                chisq::UpperQuantile(p, 3.0));
#ifdef OWN_LOGGAMMA
  std::fprintf(stderr, "own log10 Gamma(5) = %.4f\n", LogGamma(5.0));
#endif
  return 0;
}
