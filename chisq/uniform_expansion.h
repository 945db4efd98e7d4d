// SPDX-License-Identifier: MIT
// Temme's uniform asymptotic expansion of the incomplete gamma ratios;
// internal to the library.
#ifndef CHISQ_UNIFORM_EXPANSION_H
#define CHISQ_UNIFORM_EXPANSION_H

#include "chisq/gamma_prefactor.h"

namespace chisq::detail {

// Shapes from which the expansion serves, and how far from the transition
// z = a: |z / a - 1| <= kUniformWidth.
constexpr double kUniformShape = 20.0;
constexpr double kUniformWidth = 0.4;

// P(a, z) where lower (z < a), Q(a, z) otherwise, given e = a phi(z / a),
// phi(lambda) = lambda - 1 - ln lambda, for a >= kUniformShape and z within
// kUniformWidth of a.
Scaled UniformExpansion(double a, DoubleDouble e, bool lower);

} // namespace chisq::detail

#endif
