// SPDX-License-Identifier: MIT
// Percentage points of the chi-square distribution: a starting value from one
// of three approximations, refined by a seven-term Taylor series on the
// incomplete gamma ratio until two estimates agree to a relative 5e-07, as
// algorithm AS 91 (D. J. Best and D. E. Roberts, Applied Statistics 24, 1975).
//
// Its constants stay exactly as published, though several look like slips:
// ln 2 cut to 0.6931471805 (not rounded, and not the full value the logs
// use), 0.222222 for 2/9, and 1/420, 1/2520 and 1/5040 as the multiplications
// written below. Each decides the last bits of every quantile, and a tidier
// value would change them on every platform. Do not tidy them.
//
// It leaves the published method twice, each time where that fails: past
// the large-shape boundary the start is returned unrefined, and where the
// refinement alternates for ever a bisection settles the root.
#include "chisq/chisq.h"
#include "chisq/large_shape.h"

#include <cmath>
#include <cstdio>

namespace {

// The refinement's relative tolerance, which is also the smallest start of the
// small chi-square case worth refining.
constexpr double kTolerance = 5e-07;

// The root of P(xx, ch / 2) = p near a and b, by bisection: the bracket
// first widens until P(lo / 2) < p <= P(hi / 2) (P rises from 0 to 1, and p
// lies strictly between), then halves until its ends are neighbouring
// doubles. The result is the upper end, the first double found where P
// reaches p.
double Bisect(double p, double xx, double g, double a, double b) {
  double lo = std::fmax(0.0, std::fmin(a, b));
  double hi = std::fmax(a, b);
  while (lo > 0.0 && chisq::IncompleteGamma(0.5 * lo, xx, g) >= p)
    lo = 0.5 * lo;
  if (!(hi > lo))
    hi = 2.0 * lo + 1.0;
  while (chisq::IncompleteGamma(0.5 * hi, xx, g) < p)
    hi = 2.0 * hi;
  for (;;) {
    const double mid = lo + 0.5 * (hi - lo);
    if (mid <= lo || mid >= hi)
      return hi;
    if (chisq::IncompleteGamma(0.5 * mid, xx, g) < p)
      lo = mid;
    else
      hi = mid;
  }
}

} // namespace

namespace chisq {

double ChiSquareQuantile(double p, double v) {
  // Written so that NaN fails; an infinite v would never settle.
  if (!(p >= 0.000002) || !(p <= 0.999998) || !(v > 0.0) || std::isinf(v))
    return -1.0;

  const double aa = 0.6931471805;
  const double xx = 0.5 * v;
  const double g = LogGamma(xx);
  const double c = xx - 1.0;

  double ch;
  if (v < -1.24 * std::log(p)) {
    // Here the quantile is 2 (p Gamma(xx + 1))^(1 / xx) to the last bit, and
    // the test can hold only for xx below 0.018, where Gamma(xx + 1) <= 1: it
    // is below e^-745.3, and rounds to zero. The start cannot show that for
    // a tiny v: e^g overflows once xx is subnormal, and a base a little above
    // one sends the power to infinity.
    if (std::log(p) < -746.0 * xx)
      return 0.0;
    ch = std::pow(p * xx * std::exp(g + xx * aa), 1.0 / xx);
    if (ch - kTolerance < 0.0)
      return ch;
  } else if (v <= 0.32) {
    const double lq = std::log(1.0 - p);
    ch = 0.4;
    double q;
    do {
      q = ch;
      const double m1 = 1.0 + ch * (4.67 + ch);
      const double m2 = ch * (6.73 + ch * (6.66 + ch));
      const double t1 =
          -0.5 + (4.67 + 2.0 * ch) / m1 - (6.73 + ch * (13.32 + 3.0 * ch)) / m2;
      ch = ch - (1.0 - std::exp(lq + g + 0.5 * ch + c * aa) * m2 / m1) / t1;
    } while (std::fabs(q / ch - 1.0) - 0.01 > 0.0);
  } else {
    const double z = NormalQuantile(p);
    const double w = 0.222222 / v;
    ch = v * std::pow(z * std::sqrt(w) + 1.0 - w, 3.0);
    if (ch > 2.2 * v + 6.0)
      ch = -2.0 * (std::log(1.0 - p) - c * std::log(0.5 * ch) + g);
    // The refinement's exponent L + h - c ln ch would lose its digits here
    // (the ten-decimal ln 2 alone puts it off by v * 3e-11).
    if (xx > chisq::detail::kLargeShape)
      return ch;
  }

  const double l = xx * aa + g;
  const double s6 = (120.0 + c * (346.0 + 127.0 * c)) * 0.0001984126984126984;
  double last_step = HUGE_VAL;
  for (;;) {
    const double q = ch;
    const double h = 0.5 * ch;
    const double lower = IncompleteGamma(h, xx, g);
    if (lower < 0.0) {
      std::fputs("\nerr IncompleteGamma", stdout);
      return -1.0;
    }
    const double d = p - lower;
    const double t = d * std::exp(l + h - c * std::log(ch));
    const double b = t / ch;
    const double a = 0.5 * t - b * c;
    const double s1 =
        (210.0 +
         a * (140.0 + a * (105.0 + a * (84.0 + a * (70.0 + 60.0 * a))))) *
        0.002380952380952381;
    const double s2 =
        (420.0 + a * (735.0 + a * (966.0 + a * (1141.0 + 1278.0 * a)))) *
        0.0003968253968253968;
    const double s3 =
        (210.0 + a * (462.0 + a * (707.0 + 932.0 * a))) * 0.0003968253968253968;
    const double s4 = (252.0 + a * (672.0 + 1182.0 * a) +
                       c * (294.0 + a * (889.0 + 1740.0 * a))) *
                      0.0001984126984126984;
    const double s5 =
        (84.0 + 264.0 * a + c * (175.0 + 606.0 * a)) * 0.0003968253968253968;
    ch =
        ch +
        t * (1.0 + 0.5 * t * s1 -
             b * c * (s1 - b * (s2 - b * (s3 - b * (s4 - b * (s5 - b * s6))))));
    if (std::fabs(q / ch - 1.0) <= kTolerance)
      return ch;
    // Where the ratio's own error (its series stops at a term of 1e-8) moves
    // P by more than a step of 5e-07 can resolve, as for p near 1 with a tiny
    // v, the refinement alternates between two estimates for ever; there the
    // step stops shrinking, which it never does while the refinement
    // converges, and bisection between the two settles the root instead.
    const double step = std::fabs(ch - q);
    if (!(step < last_step))
      return Bisect(p, xx, g, q, ch);
    last_step = step;
  }
}

} // namespace chisq
