// SPDX-License-Identifier: MIT
// The chi-square distribution with v degrees of freedom to full precision:
// the gamma distribution of shape v / 2 at x / 2, its tails from the smaller
// incomplete gamma ratio (gamma_ratios.cpp), its density from the shared
// prefactor (gamma_prefactor.cpp).
#include "chisq/chisq.h"

#include "chisq/gamma_prefactor.h"
#include "chisq/gamma_ratios.h"
#include "chisq/tails.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace chisq {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Arguments the distribution is not defined for.
bool Invalid(double x, double v) { return std::isnan(x) || !(v > 0.0); }

// For 0 < x < inf and finite v: the smaller tail and which it is.
detail::Ratio Smaller(double x, double v) {
  const double a = detail::Shape(v);
  return detail::SmallerRatio(a, x, detail::Prefactor(a, x));
}

// The lower tail (lower) or the upper one, for x > 0 finite and finite v.
double Tail(double x, double v, bool lower) {
  const detail::Ratio r = Smaller(x, v);
  const double s = detail::ValueOf(r.value);
  return r.lower == lower ? s : 1.0 - s;
}

double LogTail(double x, double v, bool lower) {
  return detail::LogTailOf(Smaller(x, v), lower);
}

} // namespace

double LowerTail(double x, double v) {
  if (Invalid(x, v))
    return kNaN;
  if (x <= 0.0 || (v == kInf && x < kInf))
    return 0.0;
  if (x == kInf)
    return 1.0;
  return Tail(x, v, true);
}

double UpperTail(double x, double v) {
  if (Invalid(x, v))
    return kNaN;
  if (x <= 0.0 || (v == kInf && x < kInf))
    return 1.0;
  if (x == kInf)
    return 0.0;
  return Tail(x, v, false);
}

double LogLowerTail(double x, double v) {
  if (Invalid(x, v))
    return kNaN;
  if (x <= 0.0 || (v == kInf && x < kInf))
    return -kInf;
  if (x == kInf)
    return 0.0;
  return LogTail(x, v, true);
}

double LogUpperTail(double x, double v) {
  if (Invalid(x, v))
    return kNaN;
  if (x <= 0.0 || (v == kInf && x < kInf))
    return 0.0;
  if (x == kInf)
    return -kInf;
  return LogTail(x, v, false);
}

double Density(double x, double v) {
  if (Invalid(x, v))
    return kNaN;
  if (x < 0.0 || x == kInf || v == kInf)
    return 0.0;
  if (x == 0.0)
    return v < 2.0 ? kInf : v == 2.0 ? 0.5 : 0.0;
  return detail::ValueOf(
      detail::DensityOf(detail::Prefactor(detail::Shape(v), x)));
}

double LogDensity(double x, double v) {
  if (Invalid(x, v))
    return kNaN;
  if (x < 0.0 || x == kInf || v == kInf)
    return -kInf;
  if (x == 0.0)
    return v < 2.0 ? kInf : v == 2.0 ? -0.6931471805599453 : -kInf;
  return detail::LogOf(
      detail::DensityOf(detail::Prefactor(detail::Shape(v), x)));
}

} // namespace chisq
