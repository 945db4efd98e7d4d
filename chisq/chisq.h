// SPDX-License-Identifier: MIT
// The chi-square distribution to full precision (both tails, their
// logarithms, the density), and the published routines that the classic
// table and calculator print to the bit: log-gamma, the regularised
// incomplete gamma ratio, the normal quantile, the chi-square quantile and
// the chi-square upper tail. Pure functions of doubles; only
// ChiSquareQuantile ever writes anything (one diagnostic line).
#ifndef CHISQ_CHISQ_H
#define CHISQ_CHISQ_H

// The one place the version is written: the build, the package files and the
// manual take it from here (and CHANGELOG.md's newest section must match).
#define CHISQ_VERSION_MAJOR 2
#define CHISQ_VERSION_MINOR 2
#define CHISQ_VERSION_PATCH 0
#define CHISQ_VERSION                                                          \
  (CHISQ_VERSION_MAJOR * 10000 + CHISQ_VERSION_MINOR * 100 +                   \
   CHISQ_VERSION_PATCH)

// A shared library exports these routines and nothing else. The header is
// C too (C99 and later): C and any language that calls C (Python's ctypes
// and cffi, Julia's ccall, Rust, Go) have the distribution under the C
// names at the end.
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

#ifdef __cplusplus
namespace chisq {

// The chi-square distribution with v degrees of freedom, for every double x
// and v. What to call for a p-value (UpperTail), a log-likelihood
// (LogDensity), a tail far below the smallest double (LogUpperTail).
//
// Errors, in units of 2^-52 relative to the true value T at the doubles
// given, for 1e-6 <= v <= 1e9: LowerTail, UpperTail and Density within
// 16 + 2 |ln T| wherever T is a normal double (3.6e-15 near one half,
// 3.1e-13 at 1e-300); the two log tails within 16 + 2 |ln S| relative to
// the logarithm, S the smaller tail; LogDensity within 16 + 2 |ln f|,
// relative where |ln f| >= 1 and absolute below.
//
// NaN for a NaN argument or v <= 0. For x < 0 the tails are 0 and 1, the
// density 0, their logarithms -inf and 0; at x = +inf the tails are 1 and
// 0. At x = 0 the density is +inf for v < 2, 1/2 for v = 2 and 0 above. An
// infinite v is the limit of the distribution as v grows, all of it beyond
// every finite x: the tails are 0 and 1 there, the density 0.
CHISQ_API double LowerTail(double x, double v);    // P(X <= x)
CHISQ_API double UpperTail(double x, double v);    // P(X > x)
CHISQ_API double LogLowerTail(double x, double v); // ln P(X <= x)
CHISQ_API double LogUpperTail(double x, double v); // ln P(X > x)
CHISQ_API double Density(double x, double v);
CHISQ_API double LogDensity(double x, double v);

// Quantiles: the x with LowerTail(x, v) = p, and the x with UpperTail(x, v)
// = q, for probabilities in [0, 1]; the upper one takes the upper tail's own
// probability, so that a small q keeps every digit. Quantile(0, v) and
// UpperQuantile(1, v) are 0, Quantile(1, v) and UpperQuantile(0, v) +inf,
// and an infinite v puts every other quantile at +inf. NaN for a NaN
// argument, a probability outside [0, 1] or v <= 0.
//
// Errors, for 1e-6 <= v <= 1e9 and probabilities down to 1e-300: within
// max(16, kappa (16 + 2 |ln p|)) units of 2^-52 relative to the true
// quantile of the double probability given, kappa = p / (x f(x)) its
// condition number (q for the upper one): about 16 units where the problem
// is well conditioned. A subnormal quantile is the nearest double where that
// bound resolves it; one below the smallest double is 0.
CHISQ_API double Quantile(double p, double v);
CHISQ_API double UpperQuantile(double q, double v);

// The published routines, which the table and the calculator print to the
// bit; for a number of full precision, call the functions above.

// ln Gamma(x) for x > 0, within 1e-9 relative where |ln Gamma(x)| > 1 and
// absolute elsewhere; +inf for x = 0 or +inf, NaN for x < 0 or NaN.
CHISQ_API double LogGamma(double x);

// Lower regularised incomplete gamma ratio P(p, x), given g = ln Gamma(p)
// (shapes above 5e6 take an asymptotic expansion that does not use it):
// within 1e-7 for every x >= 0 and p > 0 when g is LogGamma(p) (2e-13 above
// shape 5e6).
// 0.0 for x = 0, whatever p and g; otherwise -1.0 for x < 0, p <= 0, or a
// NaN x, p or g.
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

extern "C" {
#endif

// The distribution for C: chisq_lower_tail is chisq::LowerTail, and so on,
// with the same arguments, results and bounds.
CHISQ_API double chisq_lower_tail(double x, double v);
CHISQ_API double chisq_upper_tail(double x, double v);
CHISQ_API double chisq_log_lower_tail(double x, double v);
CHISQ_API double chisq_log_upper_tail(double x, double v);
CHISQ_API double chisq_density(double x, double v);
CHISQ_API double chisq_log_density(double x, double v);
CHISQ_API double chisq_quantile(double p, double v);
CHISQ_API double chisq_upper_quantile(double q, double v);

#ifdef __cplusplus
}
#endif

#endif
