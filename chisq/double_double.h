// SPDX-License-Identifier: MIT
// Double-double arithmetic: a value as the unevaluated sum hi + lo of two
// doubles, |lo| <= ulp(hi) / 2. Error-free sums (O. Moller, BIT 5, 1965;
// D. E. Knuth, TAOCP 2) and Dekker's exact product by splitting (T. J.
// Dekker, Numerische Mathematik 18, 1971), so that no fused multiply-add
// is needed and every platform computes the same bits.
#ifndef CHISQ_DOUBLE_DOUBLE_H
#define CHISQ_DOUBLE_DOUBLE_H

#include <cmath>

namespace chisq::detail {

struct DoubleDouble {
  double hi, lo;
};

// a + b exactly, for any a and b.
inline DoubleDouble TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly, for |a| >= |b| (or a = 0).
inline DoubleDouble FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a = hi + lo, each of at most 26 significant bits, for |a| <= 2^995 (the
// splitting constant times more would overflow).
inline DoubleDouble Split(double a) {
  constexpr double kSplitter = 134217729.0; // 2^27 + 1
  const double c = kSplitter * a;
  const double hi = c - (c - a);
  return {hi, a - hi};
}

// a * b exactly, unless its low part underflows; an infinite product has
// no low part.
inline DoubleDouble TwoProduct(double a, double b) {
  const double p = a * b;
  if (std::isnan(p) || std::isinf(p))
    return {p, 0.0};
  // Near the top of the range the larger factor is split scaled down, where
  // neither the splitting nor the halves' products can overflow.
  if (std::fabs(p) > 0x1p1000 || std::fabs(a) > 0x1p995 ||
      std::fabs(b) > 0x1p995) {
    const DoubleDouble s = std::fabs(a) >= std::fabs(b)
                               ? TwoProduct(a * 0x1p-64, b)
                               : TwoProduct(a, b * 0x1p-64);
    return {p, s.lo * 0x1p64};
  }
  const DoubleDouble x = Split(a), y = Split(b);
  return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
  DoubleDouble s = TwoSum(a.hi, b.hi);
  const DoubleDouble t = TwoSum(a.lo, b.lo);
  s = FastTwoSum(s.hi, s.lo + t.hi);
  return FastTwoSum(s.hi, s.lo + t.lo);
}

inline DoubleDouble Add(DoubleDouble a, double b) {
  const DoubleDouble s = TwoSum(a.hi, b);
  return FastTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble Negate(DoubleDouble a) { return {-a.hi, -a.lo}; }

inline DoubleDouble Subtract(DoubleDouble a, DoubleDouble b) {
  return Add(a, Negate(b));
}

inline DoubleDouble Multiply(DoubleDouble a, double b) {
  const DoubleDouble p = TwoProduct(a.hi, b);
  return FastTwoSum(p.hi, p.lo + a.lo * b);
}

} // namespace chisq::detail

#endif
