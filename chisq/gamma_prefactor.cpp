// SPDX-License-Identifier: MIT
// z^a e^-z / Gamma(a + 1) and the chi-square density with the exponent in
// double-double. Below shape 10 as it stands, with ln Gamma(a + 1) to full
// precision; from 10 up in Temme's form, exp(-a phi(lambda)) /
// (sqrt(2 pi a) Gamma*(a)), phi(lambda) = lambda - 1 - ln lambda, lambda =
// z / a (N. M. Temme, SIAM J. Math. Anal. 10, 1979; DLMF 8.12), where the
// terms of a ln z - z, of order a ln a, cancel to a small exponent that
// plain double arithmetic would lose.
#include "chisq/gamma_prefactor.h"

#include "chisq/gamma_function.h"
#include "chisq/logarithm.h"

#include <cmath>
#include <limits>

namespace chisq::detail {

namespace {

constexpr double kRecipPi = 0.3183098861837907;

// Below this shape Gamma(a + 1) is the recurrence's product of at most ten
// factors; above it, Stirling's series for Gamma*(a) is exact to 2e-18.
constexpr double kStirlingShape = 10.0;

// exp(40) and exp(-40), the doubles nearest: they carry a value across the
// ends of exp's range.
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kExp40 = 2.3538526683702e+17;
constexpr double kExpMinus40 = 4.248354255291589e-18;

} // namespace

double ValueOf(Scaled s) {
  const double e = s.e.hi;
  // No factor m a double can hold brings exp(-e) back from this far out.
  if (std::fabs(e) > 1500.0)
    return e > 0.0 ? 0.0 * s.m : s.m * kInf;
  // exp(-e.hi) (1 - e.lo) is exp(-e.hi - e.lo) to 2^-106.
  const double lo = 1.0 - s.e.lo;
  if (std::fabs(e) <= 700.0)
    return s.m * std::exp(-e) * lo;
  // e - 40 and e + 40 are exact this far out, and the last product alone
  // may leave the normal doubles, rounding once.
  if (e > 0.0)
    return s.m * lo * std::exp(-(e - 40.0)) * kExpMinus40;
  return s.m * lo * std::exp(-(e + 40.0)) * kExp40;
}

Scaled DensityOf(const GammaPrefactor &prefactor) {
  const Scaled &factor = prefactor.factor;
  if (std::isinf(factor.e.hi)) // no finite shift can matter
    return {0.5 * factor.m, factor.e};
  const DoubleDouble e = Add(factor.e, prefactor.log_shift);
  // Below shape 10 a / 2 joins the exponent too, where a tiny a would
  // otherwise round the logarithm's large terms.
  if (prefactor.a < kStirlingShape)
    return {factor.m, Subtract(e, LogHalf(prefactor.a))};
  return {0.5 * factor.m, e};
}

double LogOf(Scaled s) { return (std::log(s.m) - s.e.hi) - s.e.lo; }

GammaPrefactor Prefactor(double a, double x) {
  if (a < kStirlingShape) {
    // e = z - a ln z + ln Gamma(1 + a), the whole factor in the exponent.
    const DoubleDouble log_z = LogHalf(x);
    const DoubleDouble e =
        Add(Subtract(DoubleDouble{0.5 * x, 0.0}, Multiply(log_z, a)),
            LogGamma1p(a));
    return {{1.0, e}, {0.0, 0.0}, log_z, a};
  }
  // lambda = z / a in double-double (z = x / 2 is exact here, as a normal x
  // is), or through the logarithms where the quotient would be subnormal:
  // the remainder z - q a is exact, and never overflows as x - q v can. The
  // quotients are divisions, not products with 1 / a: near lambda = 1 an
  // inexact q would cost the transition's exponent a phi its digits.
  const double z = 0.5 * x;
  const double inverse = 0.5 / a; // 1 / v
  const double q = z / a;
  DoubleDouble log_lambda;
  DoubleDouble lambda;
  if (q >= 0x1p-1000) {
    // z - p.hi is exact, p.hi being within a few units of z.
    const DoubleDouble p = TwoProduct(q, a);
    lambda = FastTwoSum(q, ((z - p.hi) - p.lo) / a);
    log_lambda = Log(lambda);
  } else {
    lambda = {q, 0.0};
    log_lambda = Subtract(Log(x), Log(2.0 * a));
  }
  // phi = (lambda - 1) - ln lambda, both in double-double: near lambda = 1
  // it is (lambda - 1)^2 / 2, far below either term. Within 2^-20 of 1 even
  // double-double leaves too few of its digits (Temme's expansion takes its
  // square root): there it is its series, to 3e-25.
  const DoubleDouble mu = Add(lambda, -1.0);
  DoubleDouble phi;
  if (std::fabs(mu.hi) < 0x1p-20) {
    const double u = mu.hi;
    phi = {u * u * (0.5 - u * (1.0 / 3.0 - u * (0.25 - u * 0.2))), 0.0};
  } else {
    phi = Subtract(mu, log_lambda);
  }
  const DoubleDouble a_phi = Multiply(phi, a);
  if (std::isinf(a_phi.hi)) { // the exponent itself past the doubles
    const DoubleDouble huge = {a_phi.hi, 0.0};
    return {{1.0, huge}, huge, {0.0, 0.0}, a};
  }
  // 1 / Gamma*(a) joins the exponent: one exp for the whole factor.
  const DoubleDouble e = Add(a_phi, LogScaledGamma(2.0 * inverse));
  const double m = std::sqrt(inverse * kRecipPi); // 1 / sqrt(2 pi a)
  return {{m, e}, a_phi, log_lambda, a};
}

} // namespace chisq::detail
