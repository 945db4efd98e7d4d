// SPDX-License-Identifier: MIT
// The gamma function to full precision: 1 / Gamma(1 + t) by its Taylor
// series about 0 (the coefficients of Abramowitz and Stegun 6.1.34,
// recomputed to 17 digits with mpmath), ln Gamma(1 + a) from it by the
// recurrence, and ln Gamma*(a) by Stirling's series with the Bernoulli
// numbers' exact rationals (DLMF 5.11.1).
#include "chisq/gamma_function.h"

#include "chisq/logarithm.h"
#include "chisq/polynomial.h"

#include <cmath>

namespace chisq::detail {

namespace {

// c_1 .. c_21 of 1 / Gamma(1 + t) = 1 + sum c_k t^k: for |t| <= 1/2 the
// terms left out are below 2.5e-19.
constexpr double kRecipGamma[] = {
    0.57721566490153287,    -0.6558780715202539,     -0.042002635034095237,
    0.16653861138229148,    -0.042197734555544333,   -0.009621971527876973,
    0.0072189432466630999,  -0.0011651675918590652,  -0.00021524167411495098,
    0.0001280502823881162,  -2.0134854780788239e-05, -1.2504934821426706e-06,
    1.1330272319816959e-06, -2.0563384169776071e-07, 6.1160951044814161e-09,
    5.0020076444692229e-09, -1.18127457048702e-09,   1.0434267116911005e-10,
    7.7822634399050708e-12, -3.696805618642206e-12,  5.1003702874544758e-13};

// 1 / Gamma(1 + t) - 1 for |t| <= 1/2.
double SeriesRecipGamma1pm1(double t) { return Polynomial(kRecipGamma, t) * t; }

} // namespace

double RecipGamma1pm1(double t) {
  if (t <= 0.5)
    return SeriesRecipGamma1pm1(t);
  // 1 / Gamma(1 + t) = (1 / Gamma(t)) / t, and 1 - t is exact here.
  return (SeriesRecipGamma1pm1(t - 1.0) + (1.0 - t)) / t;
}

DoubleDouble LogGamma1p(double a) {
  // Whole and half-whole shapes, the textbook's degrees of freedom: ln
  // Gamma(1 + k / 2) for k = 0 .. 20, mpmath's to 32 digits.
  constexpr DoubleDouble kHalves[] = {
      {0.0, 0.0},
      {-0.12078223763524522, -4.1797047492946264e-18},
      {0.0, 0.0},
      {0.2846828704729192, -2.0938630583071727e-17},
      {0.6931471805599453, 2.3190468138462996e-17},
      {1.2009736023470743, -6.235058427319136e-17},
      {1.791759469228055, 4.349979825096335e-17},
      {2.4537365708424423, -1.2332749279512093e-16},
      {3.1780538303479458, -1.3216387039714197e-16},
      {3.9578139676187165, -2.1692160317109888e-16},
      {4.787491742782046, 1.8268155143874837e-16},
      {5.662562059857142, -2.544481899893623e-16},
      {6.579251212010101, -2.179078601603509e-16},
      {7.534364236758733, 2.749147566750321e-16},
      {8.525161361065415, -3.667166030063331e-16},
      {9.549267257300997, 8.089236454099911e-16},
      {10.60460290274525, -6.302121059784911e-16},
      {11.689333420797269, -7.642990631994476e-17},
      {12.801827480081469, 5.206295788716661e-16},
      {13.940625219403763, 2.0916364919946416e-16},
      {15.104412573075516, -5.84624463166684e-16}};
  const double twice = 2.0 * a;
  if (twice <= 20.0 && twice == static_cast<double>(static_cast<int>(twice)))
    return kHalves[static_cast<int>(twice)];

  // a = n + t with |t| <= 1/2: Gamma(1 + a) = Gamma(1 + t) a (a - 1) ...
  // (a - n + 1), each factor exact.
  const int n = static_cast<int>(a + 0.5);
  const double log_gamma_t = -std::log1p(SeriesRecipGamma1pm1(a - n));
  if (n == 0)
    return {log_gamma_t, 0.0};
  DoubleDouble product = {a, 0.0};
  for (int i = 1; i < n; ++i)
    product = Multiply(product, a - i);
  return Add(Log(product), log_gamma_t);
}

double LogScaledGamma(double y) {
  // B_2k / (2k (2k - 1)) for k = 1 .. 9; at a = 10 the tenth term is 1.4e-19.
  constexpr double kStirling[] = {
      1.0 / 12.0,    -1.0 / 360.0,       1.0 / 1260.0,
      -1.0 / 1680.0, 1.0 / 1188.0,       -691.0 / 360360.0,
      1.0 / 156.0,   -3617.0 / 122400.0, 43867.0 / 244188.0};
  return Polynomial(kStirling, y * y) * y;
}

} // namespace chisq::detail
