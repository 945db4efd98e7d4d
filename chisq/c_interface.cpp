// SPDX-License-Identifier: MIT
// The distribution's functions under C names, for C and every language that
// calls C.
#include "chisq/chisq.h"

extern "C" {

double chisq_lower_tail(double x, double v) { return chisq::LowerTail(x, v); }

double chisq_upper_tail(double x, double v) { return chisq::UpperTail(x, v); }

double chisq_log_lower_tail(double x, double v) {
  return chisq::LogLowerTail(x, v);
}

double chisq_log_upper_tail(double x, double v) {
  return chisq::LogUpperTail(x, v);
}

double chisq_density(double x, double v) { return chisq::Density(x, v); }

double chisq_log_density(double x, double v) { return chisq::LogDensity(x, v); }

double chisq_quantile(double p, double v) { return chisq::Quantile(p, v); }

double chisq_upper_quantile(double q, double v) {
  return chisq::UpperQuantile(q, v);
}

} // extern "C"
