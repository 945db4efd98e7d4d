// SPDX-License-Identifier: MIT
// Polynomial evaluation for the precise distribution; internal to the
// library.
#ifndef CHISQ_POLYNOMIAL_H
#define CHISQ_POLYNOMIAL_H

#include <cstddef>

namespace chisq::detail {

// c[0] + c[1] t + ... + c[N - 1] t^(N - 1) by Horner's rule in t^2 on the
// even and the odd coefficients at once: two chains of half the length,
// which the processor runs side by side.
template <std::size_t N>
inline double Polynomial(const double (&c)[N], double t) {
  const double t2 = t * t;
  double even = 0.0;
  double odd = 0.0;
  for (std::size_t i = N; i-- > 0;) {
    if (i % 2 == 0)
      even = even * t2 + c[i];
    else
      odd = odd * t2 + c[i];
  }
  return even + t * odd;
}

} // namespace chisq::detail

#endif
