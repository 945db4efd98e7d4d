// SPDX-License-Identifier: MIT
// Chi-square quantiles from either tail to full precision, after A. R.
// DiDonato and A. H. Morris (ACM TOMS 12, 1986) and A. Gil, J. Segura and
// N. M. Temme (SIAM J. Sci. Comput. 34, 2012): a starting value from the
// small-probability series (x^a / Gamma(a + 1) for a lower tail, the leading
// term of the asymptotic expansion for an upper one) or from Wilson and
// Hilferty's cube-root normal approximation (PNAS 17, 1931) through the
// normal deviate of Abramowitz and Stegun 26.2.23, then Halley's iteration
// on the logarithm of the smaller precise tail, in ln x for a lower tail
// (where ln P is nearly linear in ln x) and in x for an upper one, inside a
// bracket that every step narrows.
#include "chisq/chisq.h"

#include "chisq/gamma_function.h"
#include "chisq/logarithm.h"
#include "chisq/tails.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace chisq {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();
constexpr double kLogSqrt2Pi = 0.91893853320467274;

// Halley's iteration converges cubically: this many steps only where its
// steps stop shrinking before they reach a rounding, and a bisection of the
// bracket after that.
constexpr int kMaxSteps = 40;

// ln Gamma(a), for starting values only.
double RoughLogGamma(double a) {
  if (a < 10.0)
    return detail::LogGamma1p(a).hi - std::log(a);
  return (a - 0.5) * std::log(a) - a + kLogSqrt2Pi +
         detail::LogScaledGamma(1.0 / a);
}

// The standard normal deviate with upper tail exp(log_q), log_q <= ln(1/2),
// to 4.5e-4 (Abramowitz and Stegun 26.2.23).
double NormalDeviate(double log_q) {
  const double t = std::sqrt(-2.0 * log_q);
  return t - (2.515517 + t * (0.802853 + t * 0.010328)) /
                 (1.0 + t * (1.432788 + t * (0.189269 + t * 0.001308)));
}

// Wilson and Hilferty: v (1 - 2 / (9 v) + z sqrt(2 / (9 v)))^3, or 0 where
// the cube's base is not positive.
double WilsonHilferty(double z, double v) {
  const double c = 2.0 / (9.0 * v);
  const double base = 1.0 - c + z * std::sqrt(c);
  return base > 0.0 ? v * base * base * base : 0.0;
}

// A first x for the tail (lower or not) whose logarithm is log_t, at most
// ln(1/2), for shape a = v / 2.
double Start(double log_t, double v, double a, bool lower) {
  const double deviate = NormalDeviate(log_t);
  if (lower) {
    // P = z^a / Gamma(a + 1) (1 - a z / (a + 1) + ...), its first term
    // solved, then the second's first order, z e^(z / (a + 1)); Wilson and
    // Hilferty where that z is not small.
    const double log_z = (log_t + RoughLogGamma(a + 1.0)) / a;
    const double z = std::exp(log_z);
    if (z < 0.2 * (a + 1.0))
      return 2.0 * z * std::exp(z / (a + 1.0));
    const double x = WilsonHilferty(-deviate, v);
    return x > 0.0 ? x : 2.0 * z;
  }
  if (v >= 1.0)
    return WilsonHilferty(deviate, v);
  // Q = z^(a - 1) e^-z / Gamma(a) (1 + (a - 1) / z + ...): two passes of
  // z = -ln Q - ln Gamma(a) + (a - 1) ln z.
  const double base = -log_t - RoughLogGamma(a);
  double z = std::fmax(base, 1.0);
  for (int i = 0; i < 2; ++i)
    z = std::fmax(base + (a - 1.0) * std::log(z), 0.1);
  return 2.0 * z;
}

// The probability t that the quantile's tail must match, with its
// logarithm in double-double: near the quantile of a deep tail, ln T and
// ln t agree in their leading digits, and a double's rounding of either
// would move the quantile by many units.
struct Target {
  double t;
  detail::DoubleDouble log_t;
};

// ln T(x) - ln t for the lower tail (lower) or the upper one, and
// x T'(x) / T(x), from the logarithms, which stay finite where T or the
// density underflows.
struct Residual {
  double h, slope;
};
Residual ResidualAt(double x, double a, const Target &target, bool lower) {
  const detail::GammaPrefactor prefactor = detail::Prefactor(a, x);
  // Below shape 1, where DiDonato and Morris's series gives Q, a lower tail
  // comes from the power series instead: its logarithm is exact to far
  // below Q's last unit, which a quantile there multiplies by up to 2 / v.
  const detail::Ratio smaller =
      lower && detail::SmallShapeSeries(a, x)
          ? detail::Ratio{detail::LowerBySeries(a, x, prefactor), true}
          : detail::SmallerRatio(a, x, prefactor);
  const detail::Scaled &value = smaller.value;
  const double log_tail = detail::LogTailOf(smaller, lower);
  double h;
  if (smaller.lower != lower) // the larger tail, near ln(1/2)
    h = (log_tail - target.log_t.hi) - target.log_t.lo;
  else if (value.e.hi == 0.0 && value.e.lo == 0.0) // T = m itself, near t
    h = std::log(value.m / target.t);
  else { // m exp(-e): ln m - (e + ln t), the large terms cancelling exactly
    const detail::DoubleDouble rest = detail::Add(value.e, target.log_t);
    h = (std::log(value.m) - rest.hi) - rest.lo;
  }
  const double log_ratio =
      detail::LogOf(detail::DensityOf(prefactor)) - log_tail;
  double ratio = x * std::exp(log_ratio);
  if (std::isinf(ratio)) // a subnormal x, where the density is huge
    ratio = std::exp(std::log(x) + log_ratio);
  return {h, lower ? ratio : -ratio};
}

// Where the quantile lies: the tail says x is below it at below, above it at
// above.
struct Bracket {
  double below, above;
};

// Narrows the bracket with r, the residual at x: the lower tail grows with
// x, the upper falls, so h > 0 puts x above the quantile for the one, below
// it for the other.
void Narrow(Bracket *b, double x, const Residual &r, bool lower) {
  if ((r.h > 0.0) == lower)
    b->above = x;
  else
    b->below = x;
}

// A subnormal quantile as the nearest double: the bracket bisected on the
// doubles' bits down to two neighbours, then the one nearer to where a
// Newton step in ln x from the upper puts the quantile.
double NearestSubnormal(Bracket b, double a, const Target &target, bool lower) {
  b.above = std::fmin(b.above, DBL_MIN);
  Residual at_above = ResidualAt(b.above, a, target, lower);
  for (;;) {
    std::uint64_t low, high;
    std::memcpy(&low, &b.below, sizeof low);
    std::memcpy(&high, &b.above, sizeof high);
    if (high - low <= 1)
      break;
    const std::uint64_t mid_bits = low + (high - low) / 2;
    double mid;
    std::memcpy(&mid, &mid_bits, sizeof mid);
    const Residual r = ResidualAt(mid, a, target, lower);
    if (r.h == 0.0)
      return mid;
    Narrow(&b, mid, r, lower);
    if (b.above == mid)
      at_above = r;
  }
  const double estimate = b.above * std::exp(-at_above.h / at_above.slope);
  // Half the smallest double rounds to zero: the distances are compared.
  return estimate - b.below < b.above - estimate ? b.below : b.above;
}

// The x at which the lower tail (lower) or the upper one is t, for
// 0 < t < 1 and finite v > 0 (t above 1/2 only for a lower tail below 2
// degrees of freedom).
double Solve(double t, double v, bool lower) {
  const Target target = {t, detail::Log(t)};
  const double log_t = target.log_t.hi;
  const double a = detail::Shape(v);
  double x = Start(log_t, v, a, lower);
  if (x == 0.0) {
    // A lower quantile below the smallest subnormal, unless the start's
    // estimate was off where it underflowed.
    if (LogLowerTail(kTiny, v) >= log_t)
      return 0.0;
    x = kTiny;
  }
  Bracket bracket = {0.0, kInf};
  double result = kNaN;
  double last_step = kInf;
  for (int step = 0; step < kMaxSteps; ++step) {
    const Residual r = ResidualAt(x, a, target, lower);
    if (r.h == 0.0) {
      result = x;
      break;
    }
    Narrow(&bracket, x, r, lower);
    // Halley's step in u = ln x, where h_u = x T' / T and
    // h_uu / h_u = 1 + x f' / f - h_u = a - x / 2 - h_u.
    const double newton = r.h / r.slope;
    const double halley = 0.5 * newton * (a - 0.5 * x - r.slope);
    const double du =
        std::fabs(halley) < 0.5 ? newton / (1.0 - halley) : newton;
    const double next = x * std::exp(-du);
    const bool inside = next > bracket.below && next < bracket.above;
    // Converged, or down to the roundings of the tail, which no longer let
    // the steps shrink.
    const double change = std::fabs(du);
    if (change <= 0x1p-53 || (change < 1e-9 && change >= last_step)) {
      result = inside ? next : x;
      break;
    }
    if (!inside)
      break;
    last_step = change;
    x = next;
  }
  // A bisection of the bracket in ln x, where the steps left it or did not
  // settle, down to adjacent doubles.
  while (std::isnan(result)) {
    const double below = bracket.below, above = bracket.above;
    double mid;
    if (above == kInf) // ten decades a step, for a start far too low
      mid = below > 0.0 ? std::fmin(1e10 * below, DBL_MAX) : 1.0;
    else if (below == 0.0)
      mid = std::fmax(1e-300 * above, kTiny);
    else
      mid = std::sqrt(below) * std::sqrt(above);
    if (!(mid > below && mid < above)) {
      result = below;
      break;
    }
    const Residual r = ResidualAt(mid, a, target, lower);
    if (r.h == 0.0)
      result = mid;
    Narrow(&bracket, mid, r, lower);
  }
  // Below the normal doubles the roundings of x itself are coarse: the
  // nearest one is searched for.
  if (result < DBL_MIN)
    return NearestSubnormal(bracket, a, target, lower);
  return result;
}

// The quantile of the lower tail p (lower) or of the upper tail q, from
// whichever is at most 1/2 (1 - p is exact above it), but for the smallest
// shapes' lower tails, below.
double QuantileOf(double t, double v, bool lower) {
  if (std::isnan(t) || !(v > 0.0) || t < 0.0 || t > 1.0)
    return kNaN;
  if (t == 0.0)
    return lower ? 0.0 : kInf;
  if (t == 1.0)
    return lower ? kInf : 0.0;
  if (v == kInf)
    return kInf;
  // For the smallest shapes a lower tail above 1/2 whose upper tail is not
  // small is solved for itself: its quantile is tiny, where ln P is exact
  // to far below Q's last unit (the upper tail is about a ln(1 / x) there,
  // a = v / 2, and the lower one's advantage ends near 1 - p = 8 a).
  if (t > 0.5 && !(lower && 1.0 - t > 4.0 * v))
    return Solve(1.0 - t, v, !lower);
  return Solve(t, v, lower);
}

} // namespace

double Quantile(double p, double v) { return QuantileOf(p, v, true); }

double UpperQuantile(double q, double v) { return QuantileOf(q, v, false); }

} // namespace chisq
