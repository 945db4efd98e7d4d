// SPDX-License-Identifier: MIT
// Regularised lower incomplete gamma ratio P(p, x): a power series for small
// x and Legendre's continued fraction otherwise, with the caller's
// ln Gamma(p), as algorithm AS 32 (G. P. Bhattacharjee, Applied Statistics
// 19, 1970); for shapes above 5e6, the leading terms of Temme's uniform
// asymptotic expansion (N. M. Temme, SIAM Journal on Mathematical Analysis
// 10, 1979).
//
// The tolerance 1e-8, the bound 1e30 and the rescale factor below are AS 32's
// and decide when each loop stops: changed by a digit, they change results
// in the ninth decimal the calculator prints. Do not tidy them.
#include "chisq/chisq.h"
#include "chisq/large_shape.h"

#include <cmath>

namespace {

// Past this limit the continued fraction's convergents overflow; its value
// has long settled on 1 / x, and for any true ln Gamma(p) of a shape up to
// the large-shape boundary the factor has underflowed to zero well before.
constexpr double kHugeLimit = 1e60;

// Below this shape the factor, about p e^-x, is subnormal or zero, and the
// series' factor / p loses its digits: it takes x^p e^-x / Gamma(p + 1) as
// one exponential instead, with ln Gamma(p + 1) = g + ln p.
constexpr double kTinyShape = 1e-300;

// M_PI is not standard C++ and some platforms leave it out.
constexpr double kPi = 3.14159265358979323846;

// 1 / 1e30 as double arithmetic gives it, one ulp below the double nearest
// 1e-30: what the published division by 1e30 multiplies by.
constexpr double kRescale = 9.999999999999999e-31;

// The series, scaled by factor / p.
double Series(double x, double p, double scale) {
  double rn = p + 1.0;
  double term = x / rn;
  double sum = 1.0 + term;
  while (term > 1e-8) {
    rn = rn + 1.0;
    term = term * (x / rn);
    sum = sum + term;
  }
  // g carries the log-gamma series' own error, about 2e-11, which lifts a
  // ratio that close to one above it.
  return std::fmin(1.0, scale * sum);
}

double ContinuedFraction(double x, double p, double factor) {
  double a = 1.0 - p;
  double b = a + x + 1.0;
  double k = 0.0;
  double pn0 = 1.0;
  double pn1 = x;
  double pn2 = x + 1.0;
  double pn3 = x * b;
  double gin = pn2 / pn3;
  for (;;) {
    a = a + 1.0;
    b = b + 2.0;
    k = k + 1.0;
    const double an = a * k;
    const double pn4 = b * pn2 - an * pn0;
    const double pn5 = b * pn3 - an * pn1;
    if (pn5 != 0.0) {
      const double rn = pn4 / pn5;
      const double dif = std::fabs(gin - rn);
      // On convergence the estimate from before this pass is the one used.
      if (dif <= 1e-8 && dif <= 1e-8 * rn)
        return 1.0 - factor * gin;
      gin = rn;
    }
    pn0 = pn2;
    pn1 = pn3;
    pn2 = pn4;
    pn3 = pn5;
    if (std::fabs(pn4) >= 1e30) {
      pn0 = pn0 * kRescale;
      pn1 = pn1 * kRescale;
      pn2 = pn2 * kRescale;
      pn3 = pn3 * kRescale;
    }
  }
}

// mu - ln(1 + mu), without the cancellation of the plain difference when mu
// is small.
double Log1pmxNeg(double mu) {
  if (std::fabs(mu) >= 0.1)
    return mu - std::log1p(mu);
  // Sum of (-mu)^k / k for k = 2 .. 20, innermost first: the omitted terms are
  // below 1e-19 of the first.
  double s = 0.0;
  for (int k = 20; k >= 2; --k)
    s = s * -mu + 1.0 / k;
  return s * mu * mu;
}

// P(p, x) for a large shape by the leading terms of Temme's expansion,
// Q = erfc(eta sqrt(p / 2)) / 2 + exp(-p eta^2 / 2) c0(eta) / sqrt(2 pi p);
// the next term is below 1e-3 / p of the last and is left out.
double LargeShape(double x, double p) {
  const double mu = (x - p) / p;
  const double d = Log1pmxNeg(mu);
  const double eta = std::copysign(std::sqrt(2.0 * d), mu);
  double c0;
  if (std::fabs(eta) < 1e-3)
    c0 = -1.0 / 3.0 + eta * (1.0 / 12.0 + eta * (-2.0 / 135.0));
  else
    c0 = 1.0 / mu - 1.0 / eta;
  const double r = std::exp(-p * d) / std::sqrt(2.0 * kPi * p) * c0;
  const double lower = 0.5 * std::erfc(-eta * std::sqrt(0.5 * p)) - r;
  return std::fmin(1.0, std::fmax(0.0, lower));
}

} // namespace

namespace chisq {

double IncompleteGamma(double x, double p, double g) {
  if (x == 0.0)
    return 0.0;
  // A NaN g would give 1 through the series' clamp and NaN through the
  // continued fraction: it is misuse, as a NaN x or p is.
  if (x < 0.0 || p <= 0.0 || std::isnan(x) || std::isnan(p) || std::isnan(g))
    return -1.0;
  if (std::isinf(x))
    return 1.0;
  if (std::isinf(p))
    return 0.0;
  if (p > chisq::detail::kLargeShape)
    return LargeShape(x, p);
  const bool fraction = x > 1.0 && x >= p;
  if (!fraction && p < kTinyShape)
    return Series(x, p, std::exp(p * std::log(x) - x - (g + std::log(p))));
  const double factor = std::exp(p * std::log(x) - x - g);
  if (fraction) {
    if (x >= kHugeLimit)
      return 1.0 - factor / x;
    return ContinuedFraction(x, p, factor);
  }
  return Series(x, p, factor / p);
}

} // namespace chisq
