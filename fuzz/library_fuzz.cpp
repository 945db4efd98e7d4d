// SPDX-License-Identifier: MIT
// The library's routines over arbitrary doubles, as a program that links
// libchisq calls them. The input is read as 8-byte doubles, two for each call:
// a leading 'D' byte maps them into the published quantile's domain (p
// anywhere in it, near either end included, v from 1e-10 to 1e10
// log-uniformly), a leading 'T' spreads them over the distribution (v from
// 1e-10 to 1e10, x from far in the lower tail to far in the upper one,
// probabilities down to 1e-300 on either side), any other takes their bits
// as they are.
//
// Traps on a call that does not return (the run's -timeout), a ratio or tail
// outside [0, 1] for valid arguments, a NaN ln Gamma for x > 0, and a
// published quantile inside its domain that is not a number of at least zero
// or that writes the diagnostic. Of the distribution's functions: a NaN for
// valid arguments, or other than NaN for invalid ones; a value other than the
// conventions' at x < 0, x = 0, x = +inf and v = +inf; a log tail or log
// density that is not finite where its value is positive; and, for v in
// [1e-6, 1e9] where the accuracy bounds hold, values that cannot all be
// within those bounds: two tails that do not add up to 1, a log that is not
// the log of its value, a quantile whose tail is not its probability.
#include "chisq/chisq.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void Require(bool holds) {
  if (!holds)
    __builtin_trap();
}

double Bits(const std::uint8_t *data) {
  double value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

std::uint64_t Word(double value) {
  std::uint64_t word;
  std::memcpy(&word, &value, sizeof word);
  return word;
}

// A fraction in [0, 1) from a word's top 53 bits.
double Uniform(std::uint64_t word) {
  return static_cast<double>(word >> 11) * 0x1p-53;
}

// A fraction in [0, 1) from a double's bits.
double Fraction(double bits) { return Uniform(Word(bits)); }

// A pair in the quantile's domain: p uniform, or 10^-k or 1 - 10^-k out to
// the bounds; v = 10^e with e uniform in [-10, 10].
void InDomain(double a, double b, double *p, double *v) {
  const double u = Fraction(a);
  const double tail = std::pow(10.0, -5.7 * Fraction(b * 3.0 + a));
  if (u < 1.0 / 3.0)
    *p = 0.000002 + 0.999996 * (3.0 * u);
  else if (u < 2.0 / 3.0)
    *p = std::fmax(0.000002, tail);
  else
    *p = std::fmin(0.999998, 1.0 - tail);
  *v = std::pow(10.0, -10.0 + 20.0 * Fraction(b));
}

// The 'T' mapping: v = 10^e, e uniform in [-10, 10], an integer where the
// low bit says so (the textbook's degrees of freedom); x = v e^(+-10^k), k
// uniform in [-8, 2.8], which runs from the middle of the distribution to
// beyond 1e-300 in either tail for every v; a probability 10^-k, k uniform in
// [0, 300], or 1 - 10^-k, k in [0, 16].
void Spread(double a, double b, double *x, double *p, double *v) {
  const std::uint64_t wa = Word(a), wb = Word(b);
  *v = std::pow(10.0, -10.0 + 20.0 * Uniform(wb));
  if ((wb & 1) != 0 && *v >= 1.0)
    *v = std::round(*v);
  const double w = std::pow(10.0, -8.0 + 10.8 * Uniform(wa));
  *x = *v * std::exp((wa & 1) != 0 ? w : -w);
  const std::uint64_t mixed = (wa * 0x9e3779b97f4a7c15u) ^ (wb >> 7);
  const double u = Uniform(mixed);
  *p = (mixed & 2) != 0 ? std::pow(10.0, -300.0 * u)
                        : 1.0 - std::pow(10.0, -16.0 * u);
}

// Bytes written to standard output so far: where the diagnostic would go.
off_t Written() { return lseek(STDOUT_FILENO, 0, SEEK_CUR); }

constexpr double kUnit = 0x1p-52;
constexpr double kInf = HUGE_VAL;
// ln of the smallest normal double, a little inside: above it a value whose
// log is right is a normal double.
constexpr double kLogNormal = -708.0;
constexpr double kLogLargest = 709.0;

// Where the accuracy bounds hold.
bool Bounded(double v) { return v >= 1e-6 && v <= 1e9; }

// The relative bound (16 + 2 |ln t|) u, given ln t.
double Bound(double log_t) { return (16.0 + 2.0 * std::fabs(log_t)) * kUnit; }

// A tail and its log agree where the tail is a normal double: the log within
// its bound relative to |ln T|, the tail within its own, one rounding of log.
void RequireLogOfTail(double tail, double log_tail, double log_smaller) {
  if (!(tail >= DBL_MIN || log_tail > kLogNormal))
    return;
  const double allowed =
      (Bound(log_smaller) + 2.0 * kUnit) * std::fabs(log_tail) +
      Bound(log_tail) + kUnit;
  Require(std::fabs(std::log(tail) - log_tail) <= allowed);
}

void CheckDistribution(double x, double v) {
  const double lower = chisq::LowerTail(x, v);
  const double upper = chisq::UpperTail(x, v);
  const double log_lower = chisq::LogLowerTail(x, v);
  const double log_upper = chisq::LogUpperTail(x, v);
  const double density = chisq::Density(x, v);
  const double log_density = chisq::LogDensity(x, v);
  const double all[] = {lower,     upper,   log_lower,
                        log_upper, density, log_density};
  const bool valid = !std::isnan(x) && v > 0.0;
  for (double result : all)
    Require(std::isnan(result) != valid);
  if (!valid)
    return;

  Require(lower >= 0.0 && lower <= 1.0 && upper >= 0.0 && upper <= 1.0);
  Require(log_lower <= 0.0 && log_upper <= 0.0 && density >= 0.0);
  // A log is -inf only where its value is 0, and finite where that is
  // positive; a log density of +inf only with an infinite density (which a
  // tiny x and v can give with a finite log).
  Require(!(lower > 0.0) || std::isfinite(log_lower));
  Require(!(upper > 0.0) || std::isfinite(log_upper));
  Require(log_lower > -kInf || lower == 0.0);
  Require(log_upper > -kInf || upper == 0.0);
  Require(!(density > 0.0 && density < kInf) || std::isfinite(log_density));
  Require(log_density > -kInf || density == 0.0);
  Require(log_density < kInf || density == kInf);

  const bool zero_below =
      lower == 0.0 && upper == 1.0 && log_lower == -kInf && log_upper == 0.0;
  if (x < 0.0) {
    Require(zero_below && density == 0.0 && log_density == -kInf);
    return;
  }
  if (x == kInf) {
    if (v < kInf)
      Require(lower == 1.0 && upper == 0.0 && log_lower == 0.0 &&
              log_upper == -kInf && density == 0.0 && log_density == -kInf);
    return;
  }
  if (v == kInf) {
    Require(zero_below && density == 0.0 && log_density == -kInf);
    return;
  }
  if (x == 0.0) {
    Require(zero_below);
    if (v < 2.0)
      Require(density == kInf && log_density == kInf);
    else if (v == 2.0)
      Require(density == 0.5 &&
              std::fabs(log_density - std::log(0.5)) <= kUnit);
    else
      Require(density == 0.0 && log_density == -kInf);
    return;
  }
  if (!Bounded(v))
    return;
  // Both tails and the density are positive, however far below the smallest
  // double: their logs are finite.
  Require(std::isfinite(log_lower) && std::isfinite(log_upper) &&
          std::isfinite(log_density));

  // The smaller tail S within its bound; the larger one held to 1 - S to
  // within rounding.
  const double log_smaller = std::fmin(log_lower, log_upper);
  const double smaller = std::fmin(lower, upper);
  Require(std::fabs(lower + upper - 1.0) <=
          Bound(log_smaller) * smaller + 4.0 * kUnit);
  RequireLogOfTail(lower, log_lower, log_smaller);
  RequireLogOfTail(upper, log_upper, log_smaller);
  // The larger tail's log is ln(1 - S) where S keeps digits it has lost: S's
  // error counts at most twice there (S <= 1/2), and below the smallest
  // normal double S is bounded only absolutely.
  const bool lower_larger = lower >= upper;
  const double log_larger = lower_larger ? log_lower : log_upper;
  Require(std::fabs(log_larger - std::log1p(-smaller)) <=
          (Bound(log_smaller) + 3.0 * kUnit) * std::fabs(log_larger) +
              2.0 * Bound(log_smaller) * smaller + DBL_MIN);

  // The density and its log, which is relative where |ln f| >= 1.
  if ((density >= DBL_MIN && density < kInf) ||
      (log_density > kLogNormal && log_density < kLogLargest)) {
    const double scale = std::fmax(1.0, std::fabs(log_density));
    const double bound = Bound(log_density);
    Require(std::fabs(std::log(density) - log_density) <=
            (bound + 2.0 * kUnit) * scale + bound);
  }
}

// The tail at a quantile x is its probability to within the tail's bound and
// what one error of x within the quantile's bound moves it by: |x f(x)|
// times max(16, kappa (16 + 2 |ln p|)) u, kappa = p / (x f(x)).
void RequireRoundTrip(double probability, double v, double x,
                      double (*tail)(double, double)) {
  if (!(probability >= 1e-300) || !(x >= DBL_MIN && x < kInf))
    return;
  const double moved = x * chisq::Density(x, v);
  const double bound = Bound(std::log(probability)) * probability;
  const double allowed = bound + std::fmax(16.0 * kUnit * moved, bound);
  // A quarter more for the curvature of the tail over that error, and for
  // the bound taken at p rather than at the true tail.
  Require(std::fabs(tail(x, v) - probability) <= 1.25 * allowed);
}

void CheckQuantiles(double p, double v) {
  const double lower = chisq::Quantile(p, v);
  const double upper = chisq::UpperQuantile(p, v);
  if (std::isnan(p) || !(v > 0.0) || !(p >= 0.0 && p <= 1.0)) {
    Require(std::isnan(lower) && std::isnan(upper));
    return;
  }
  Require(lower >= 0.0 && upper >= 0.0);
  if (p == 0.0)
    Require(lower == 0.0 && upper == kInf);
  else if (p == 1.0)
    Require(lower == kInf && upper == 0.0);
  if (!Bounded(v))
    return;
  Require(p == 1.0 || lower < kInf);
  Require(p == 0.0 || upper < kInf);
  RequireRoundTrip(p, v, lower, chisq::LowerTail);
  RequireRoundTrip(p, v, upper, chisq::UpperTail);
}

// The distribution's functions write nothing.
void CheckFunctions(double x, double p, double v) {
  const off_t before = Written();
  CheckDistribution(x, v);
  CheckQuantiles(p, v);
  std::fflush(stdout);
  Require(Written() == before);
}

void Check(double a, double b) {
  const double g = chisq::LogGamma(a);
  Require(!(a > 0.0) || !std::isnan(g));
  const double z = chisq::NormalQuantile(a);
  Require(z == -9999.0 || std::isfinite(z));

  // (x, p) = (a, b), and the same with an arbitrary g: it must return.
  const double r = chisq::IncompleteGamma(a, b, chisq::LogGamma(b));
  if (a == 0.0)
    Require(r == 0.0);
  else if (a > 0.0 && b > 0.0)
    Require(r >= 0.0 && r <= 1.0);
  else
    Require(r == -1.0);
  chisq::IncompleteGamma(a, b, a);

  const double tail = chisq::ChiSquareUpperTail(a, b);
  if (a >= 0.0 && b > 0.0)
    Require(tail >= 0.0 && tail <= 1.0);
  else
    Require(tail == -1.0);

  const off_t before = Written();
  const double q = chisq::ChiSquareQuantile(a, b);
  std::fflush(stdout);
  if (a >= 0.000002 && a <= 0.999998 && b > 0.0 && std::isfinite(b))
    Require(q >= 0.0 && Written() == before);
  else
    Require(q == -1.0 || q >= 0.0);

  CheckFunctions(a, a, b);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // Standard output into a file whose offset counts what was written.
  std::FILE *file = std::tmpfile();
  Require(file != nullptr && dup2(fileno(file), STDOUT_FILENO) >= 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const char mode = size > 0 ? static_cast<char>(data[0]) : '\0';
  const bool mapped = mode == 'D' || mode == 'T';
  for (std::size_t at = mapped ? 1 : 0; at + 16 <= size; at += 16) {
    double a = Bits(data + at);
    double b = Bits(data + at + 8);
    if (mode == 'T') {
      double x, p, v;
      Spread(a, b, &x, &p, &v);
      CheckFunctions(x, p, v);
      continue;
    }
    if (mode == 'D')
      InDomain(a, b, &a, &b);
    Check(a, b);
  }
  return 0;
}
