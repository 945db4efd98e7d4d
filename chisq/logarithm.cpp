// SPDX-License-Identifier: MIT
// ln x in double-double: x = m 2^k with m in [sqrt(1/2), sqrt(2)), then
// ln m = 2 atanh(s), s = (m - 1) / (m + 1), by its Taylor series (the
// classic reduction, as in W. J. Cody and W. Waite, Software Manual for the
// Elementary Functions, 1980), the leading 2 s carried in double-double and
// the rest, under 1% of it, in double. No libm call: every platform
// computes the same bits.
#include "chisq/logarithm.h"

#include "chisq/polynomial.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace chisq::detail {

namespace {

// ln 2 = kLn2Hi + kLn2Lo, kLn2Hi with its low 21 bits zero so that k ln 2
// is exact in it for every binary exponent k.
constexpr double kLn2Hi = 0x1.62e42feep-1;
constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;
constexpr double kSqrtHalf = 0.7071067811865476;

// ln(x 2^shift).
DoubleDouble LogScaled(double x, int shift) {
  // x = m 2^k, m in [sqrt(1/2), sqrt(2)), from the bits: frexp is a call.
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  int k = shift;
  if (bits < 0x0010000000000000u) { // subnormal: scaled into the normals
    x *= 0x1p54;
    std::memcpy(&bits, &x, sizeof bits);
    k -= 54;
  }
  k += static_cast<int>(bits >> 52) - 1023;
  bits = (bits & 0x000fffffffffffffu) | 0x3ff0000000000000u;
  double m;
  std::memcpy(&m, &bits, sizeof m);
  if (m > 2.0 * kSqrtHalf) {
    m *= 0.5;
    ++k;
  }
  // s = (m - 1) / (m + 1) in double-double: m - 1 is exact, m + 1 may take a
  // 54th bit, and the quotient's remainder is exact by Dekker's product.
  const double num = m - 1.0;
  const DoubleDouble den = TwoSum(m, 1.0);
  const double reciprocal = 1.0 / den.hi;
  const double q = num * reciprocal;
  const DoubleDouble p = TwoProduct(q, den.hi);
  const double q_lo = (((num - p.hi) - p.lo) - q * den.lo) * reciprocal;
  const double s2 = q * q;
  // 2 s^3 (1/3 + s^2/5 + ...): |s| <= 0.172, so s^2 <= 0.0295 and the terms
  // after 2 s^25 / 25 are below 1e-21 of 2 s.
  constexpr double kOdd[] = {1.0 / 3,  1.0 / 5,  1.0 / 7,  1.0 / 9,
                             1.0 / 11, 1.0 / 13, 1.0 / 15, 1.0 / 17,
                             1.0 / 19, 1.0 / 21, 1.0 / 23, 1.0 / 25};
  const double tail = 2.0 * q * s2 * Polynomial(kOdd, s2);
  const DoubleDouble log_m = FastTwoSum(2.0 * q, 2.0 * q_lo + tail);
  if (k == 0)
    return log_m;
  // k ln 2 and ln m cannot cancel (|ln m| < ln 2 / 2): their low parts add
  // in double.
  const double kd = static_cast<double>(k);
  const DoubleDouble sum = TwoSum(kd * kLn2Hi, log_m.hi);
  return FastTwoSum(sum.hi, sum.lo + (kd * kLn2Lo + log_m.lo));
}

} // namespace

DoubleDouble Log(double x) { return LogScaled(x, 0); }

DoubleDouble LogHalf(double x) { return LogScaled(x, -1); }

DoubleDouble Log(DoubleDouble x) { return Add(Log(x.hi), x.lo / x.hi); }

} // namespace chisq::detail
