// SPDX-License-Identifier: MIT
// P(a, z) and Q(a, z), the smaller computed first, with the choice of
// method and tail of A. Gil, J. Segura and N. M. Temme (SIAM J. Sci.
// Comput. 34, 2012) and A. R. DiDonato and A. H. Morris (ACM TOMS 12, 1986):
// - P by its power series, z^a e^-z / Gamma(a + 1) sum z^k / (a + 1)_k
//   (DLMF 8.11.4 with 8.7.1), the sum's logarithm in the exponent;
// - Q by Legendre's continued fraction (DLMF 8.9.2), evaluated by Steed's
//   algorithm, which keeps within a few units where the modified Lentz
//   method (W. J. Lentz, Applied Optics 15, 1976; I. J. Thompson and A. R.
//   Barnett, J. Comput. Phys. 64, 1986) gathers tens, and summed backwards
//   where it takes many terms;
// - Q for shapes below 1 and z up to 3/4 by DiDonato and Morris's series,
//   1 - z^a / Gamma(1 + a) with the cancellation taken out through
//   1 / Gamma(1 + a) - 1 and expm1;
// - either, from shape 20 up and near the transition z = a, by Temme's
//   uniform expansion.
#include "chisq/gamma_ratios.h"

#include "chisq/gamma_function.h"
#include "chisq/logarithm.h"
#include "chisq/uniform_expansion.h"

#include <cfloat>
#include <cmath>

namespace chisq::detail {

namespace {

// The series and the continued fraction stop when a term changes the sum by
// less than this, a quarter of a unit in the last place.
constexpr double kTolerance = DBL_EPSILON / 4.0;

// Bounds no convergent case comes near (the series takes at most a few
// hundred terms where it is chosen, the fraction fewer), so that every call
// returns whatever it is given.
constexpr int kMaxTerms = 100000;

// Below shape 1, DiDonato and Morris's series for Q up to this z; the
// continued fraction from there.
constexpr double kSmallShapeSeriesEnd = 0.75;

// sum_k z^k / ((a + 1) ... (a + k)) less its first term, 1: kept apart, the
// sum's logarithm joins the exponent with no rounding of 1 + sum.
double PowerSeriesLessOne(double a, double z) {
  double term = 1.0;
  double sum = 0.0;
  for (int k = 1; k < kMaxTerms; ++k) {
    term *= z / (a + k);
    sum += term;
    if (term <= (1.0 + sum) * kTolerance)
      break;
  }
  return sum;
}

// 1 / (z + 1 - a - 1 (1 - a) / (z + 3 - a - 2 (2 - a) / (z + 5 - a - ...))),
// Gamma(a, z) divided by z^a e^-z, by Steed's algorithm (A. R. Barnett et
// al., Comput. Phys. Commun. 8, 1974), whose sum of differences adds up
// fewer roundings than the modified Lentz method's product. Two terms a
// pass: d_(n+1) = N / (b_(n+1) N + a_(n+1)), N = b_n + a_n d_(n-1), keeps
// one division on the path from one pass to the next. Where it takes many
// terms (small z) they still reach a few units: there the value is summed
// again from the last term back, which keeps within one.
double ContinuedFraction(double a, double z) {
  constexpr double kTiny = 0x1p-1000;
  // Up to this many terms the forward sum stays within about two units.
  constexpr int kForwardTerms = 24;
  // Past 2^500 the terms n (n - a) would overflow: the fraction is taken
  // with every b scaled by s and every a by s^2, which scales its value by
  // s and changes no rounding.
  const double s = z > 0x1p500 ? 0x1p-600 : 1.0;
  double d = 1.0 / (((z + 3.0) - a) * s);
  double delta = ((a - 1.0) * s) * s * d;
  double f = ((z + 1.0) - a) * s + delta;
  int terms = 2;
  for (; terms < kMaxTerms; terms += 2) {
    const double an = -terms * (((terms - a) * s) * s);
    const double bn = ((z + (2 * terms + 1)) - a) * s;
    const double an1 = -(terms + 1) * ((((terms + 1) - a) * s) * s);
    const double bn1 = bn + 2.0 * s;
    double n = bn + an * d;
    if (std::fabs(n) < kTiny)
      n = kTiny;
    double m = bn1 * n + an1;
    if (std::fabs(m) < kTiny)
      m = kTiny;
    delta *= bn / n - 1.0;
    f += delta;
    if (std::fabs(delta) <= std::fabs(f) * kTolerance)
      break;
    d = n / m;
    delta *= bn1 * d - 1.0;
    f += delta;
    if (std::fabs(delta) <= std::fabs(f) * kTolerance) {
      ++terms;
      break;
    }
  }
  if (terms > kForwardTerms) {
    double tail = 0.0;
    for (int i = terms + 2; i >= 1; --i)
      tail = -i * ((i - a) * s) * s / (((z + (2 * i + 1)) - a) * s + tail);
    f = ((z + 1.0) - a) * s + tail;
  }
  return s / f;
}

// Q(a, z) for 0 < a < 1 and z <= 1: with t = z^a (1 + u), u = 1 / Gamma(1 +
// a) - 1, P = t (1 + a S), S = sum_{n >= 1} (-z)^n / (n! (a + n)), so
// Q = -expm1(a ln z) - z^a u - t a S.
double SmallShapeUpper(double a, double x) {
  const double z = 0.5 * x;
  // a ln z in double-double, and expm1 of it: expm1(hi + lo) is
  // expm1(hi) + e^hi lo to far below a unit, where a rounded a ln z would
  // move 1 - z^a by as much as a unit of its own.
  const DoubleDouble l = Multiply(LogHalf(x), a);
  const double em1 = std::expm1(l.hi);
  const double expm1_l = em1 + (1.0 + em1) * l.lo;
  const double za = 1.0 + expm1_l;
  const double u = RecipGamma1pm1(a);
  double term = 1.0;
  double s = 0.0;
  for (int n = 1; n < kMaxTerms; ++n) {
    term *= -z / n;
    const double next = term / (a + n);
    s += next;
    if (std::fabs(next) <= std::fabs(s) * kTolerance)
      break;
  }
  return -expm1_l - za * u - za * (1.0 + u) * a * s;
}

// The shape below which P is the smaller tail at z < 1/2, as Gil, Segura
// and Temme choose: alpha(z) = ln(1/2) / ln(z / 2), z itself from 1/2 up.
// ln(z / 2) is ln x - 2 ln 2, as halving a subnormal z again would round.
bool LowerIsSmaller(double a, double x) {
  const double z = 0.5 * x;
  if (z >= 0.5)
    return a > z;
  return a * (std::log(x) - 1.3862943611198906) <= -0.6931471805599453;
}

} // namespace

Scaled LowerBySeries(double a, double x, const GammaPrefactor &prefactor) {
  if (std::isinf(prefactor.factor.e.hi)) // beyond the doubles however summed
    return prefactor.factor;
  const double rest = PowerSeriesLessOne(a, 0.5 * x);
  return {prefactor.factor.m, Add(prefactor.factor.e, -std::log1p(rest))};
}

bool SmallShapeSeries(double a, double x) {
  return a < 1.0 && 0.5 * x <= kSmallShapeSeriesEnd && !LowerIsSmaller(a, x);
}

Ratio SmallerRatio(double a, double x, const GammaPrefactor &prefactor) {
  const double z = 0.5 * x;
  const bool lower = LowerIsSmaller(a, x);
  const Scaled factor = prefactor.factor;
  if (a >= kUniformShape && std::fabs(z - a) <= kUniformWidth * a)
    return {UniformExpansion(a, prefactor.a_phi, z < a), z < a};
  if (lower)
    return {LowerBySeries(a, x, prefactor), true};
  if (a < 1.0 && z <= kSmallShapeSeriesEnd)
    return {{SmallShapeUpper(a, x), {0.0, 0.0}}, false};
  return {{factor.m * a * ContinuedFraction(a, z), factor.e}, false};
}

} // namespace chisq::detail
