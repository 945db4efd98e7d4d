// SPDX-License-Identifier: MIT
// Chi-square numerics: log-gamma, the regularised incomplete gamma ratio,
// the normal quantile, the chi-square quantile and the chi-square upper tail.
// Pure functions of doubles; only ChiSquareQuantile ever writes anything (one
// diagnostic line).
#ifndef CHISQ_CHISQ_H
#define CHISQ_CHISQ_H

// The one place the version is written: the build, the package files and the
// manual take it from here (and CHANGELOG.md's newest section must match).
#define CHISQ_VERSION_MAJOR 2
#define CHISQ_VERSION_MINOR 1
#define CHISQ_VERSION_PATCH 0
#define CHISQ_VERSION                                                          \
  (CHISQ_VERSION_MAJOR * 10000 + CHISQ_VERSION_MINOR * 100 +                   \
   CHISQ_VERSION_PATCH)

// A shared library exports these five routines and nothing else.
#if defined(_WIN32) && defined(CHISQ_SHARED)
#ifdef CHISQ_BUILDING
#define CHISQ_API __declspec(dllexport)
#else
#define CHISQ_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define CHISQ_API __attribute__((visibility("default")))
#else
#define CHISQ_API
#endif

namespace chisq {

// ln Gamma(x) for x > 0, within 1e-9 relative where |ln Gamma(x)| > 1 and
// absolute elsewhere; +inf for x = 0 or +inf, NaN for x < 0 or NaN.
CHISQ_API double LogGamma(double x);

// Lower regularised incomplete gamma ratio P(p, x), given g = ln Gamma(p)
// (shapes above 5e6 take an asymptotic expansion that does not use it):
// within 2e-8 for every x >= 0 and p > 0 when g is LogGamma(p).
// 0.0 for x = 0; -1.0 for x < 0, p <= 0, or a NaN x or p.
CHISQ_API double IncompleteGamma(double x, double p, double g);

// Standard normal deviate with lower-tail probability p, or -9999.0 when the
// smaller tail is below 1e-20 (p = 0, p = 1, out of range or NaN).
CHISQ_API double NormalQuantile(double p);

// Chi-square value below which the fraction p of the distribution with v
// degrees of freedom lies, for 0.000002 <= p <= 0.999998 and finite v > 0;
// 0.0 where that value is below half the smallest double. -1.0 for
// arguments out of range (an infinite v among them) or a failed refinement,
// which also writes "\nerr IncompleteGamma" to standard output.
CHISQ_API double ChiSquareQuantile(double p, double v);

// Probability that a chi-square variable with v degrees of freedom exceeds
// x, for x >= 0 and v > 0: 1 - IncompleteGamma(x / 2, v / 2, LogGamma(v / 2)),
// to the bit as the calculator prints it, but for x below 1e-300 or the
// smallest v, where halving rounds and the tail is taken soundly instead.
// -1.0 for x < 0, v <= 0 or a NaN.
CHISQ_API double ChiSquareUpperTail(double x, double v);

} // namespace chisq

#endif
