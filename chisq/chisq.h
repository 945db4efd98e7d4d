// Chi-square numerics: log-gamma, the regularised incomplete gamma ratio,
// the normal quantile and the chi-square quantile. Pure functions of doubles;
// only ChiSquareQuantile ever writes anything (one diagnostic line).
#ifndef CHISQ_CHISQ_H
#define CHISQ_CHISQ_H

// ln Gamma(x) for x > 0; +inf for x = 0 or +inf, NaN for x < 0 or NaN.
double LogGamma(double x);

// Lower regularised incomplete gamma ratio P(p, x), given g = ln Gamma(p)
// (shapes above 5e6 take an asymptotic expansion that does not use it).
// 0.0 for x = 0; -1.0 for x < 0, p <= 0, or a NaN x or p.
double IncompleteGamma(double x, double p, double g);

// Standard normal deviate with lower-tail probability p, or -9999.0 when the
// smaller tail is below 1e-20 (p = 0, p = 1, out of range or NaN).
double NormalQuantile(double p);

// Chi-square value below which the fraction p of the distribution with v
// degrees of freedom lies, or -1.0 for arguments out of range or a failed
// refinement.
double ChiSquareQuantile(double p, double v);

#endif
