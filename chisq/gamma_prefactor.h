// SPDX-License-Identifier: MIT
// The factors every tail and the density of the precise distribution share;
// internal to the library.
#ifndef CHISQ_GAMMA_PREFACTOR_H
#define CHISQ_GAMMA_PREFACTOR_H

#include "chisq/double_double.h"

namespace chisq::detail {

// m exp(-e): a value whose exponent is carried apart, in double-double, so
// that a deep tail keeps its digits and its logarithm is finite where the
// value itself underflows.
struct Scaled {
  double m;
  DoubleDouble e;
};

// The value m exp(-e), exact but for a few roundings; 0 or inf where it
// leaves the doubles.
double ValueOf(Scaled s);

// ln(m exp(-e)).
double LogOf(Scaled s);

// For the gamma distribution of shape a, a = v / 2 and z = x / 2 (x passed
// undivided, so that a subnormal x keeps its bits): the factor
// z^a e^-z / Gamma(a + 1) of the tails' series and continued fraction, and
// what turns it into the density of the chi-square distribution,
// z^(a - 1) e^-z / (2 Gamma(a)) = factor (a / z) / 2. For x > 0 finite and
// a > 0.
struct GammaPrefactor {
  Scaled factor;
  DoubleDouble a_phi;     // a phi(z / a), the exponent of Temme's form: a >= 10
  DoubleDouble log_shift; // ln z below shape 10, ln(z / a) from there
  double a;
};
GammaPrefactor Prefactor(double a, double x);

// The density from the prefactor: factor (a / z) / 2.
Scaled DensityOf(const GammaPrefactor &prefactor);

} // namespace chisq::detail

#endif
