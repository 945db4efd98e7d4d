// SPDX-License-Identifier: MIT
// Every public routine returns, with no trap and no undefined behaviour (the
// sanitizer build checks the latter), for every class of double, and keeps
// its promises on what it returns.
#include "chisq/chisq.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<double> Specials() {
  const double specials[] = {std::nan(""),
                             -std::nan(""),
                             HUGE_VAL,
                             -HUGE_VAL,
                             0.0,
                             -0.0,
                             DBL_TRUE_MIN,
                             -DBL_TRUE_MIN,
                             DBL_MIN / 3,
                             DBL_MIN,
                             -DBL_MIN,
                             DBL_MAX,
                             -DBL_MAX,
                             1e-300,
                             1e-17,
                             0.000002,
                             std::nextafter(0.000002, 0.0),
                             0.5,
                             0.999998,
                             std::nextafter(0.999998, 1.0),
                             1.0,
                             2.0,
                             7.0,
                             100.0,
                             5e6,
                             1e7,
                             1e60,
                             1e300,
                             -1.0,
                             -1e300};
  return std::vector<double>(std::begin(specials), std::end(specials));
}

// Doubles of every exponent, sign and payload.
std::vector<double> RandomBitPatterns(int count) {
  std::mt19937_64 random(20261210);
  std::vector<double> values;
  for (int i = 0; i < count; ++i) {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    values.push_back(value);
  }
  return values;
}

TEST(EveryDouble, OneArgumentRoutines) {
  std::vector<double> values = Specials();
  const std::vector<double> random = RandomBitPatterns(20000);
  values.insert(values.end(), random.begin(), random.end());
  for (double x : values) {
    const double z = chisq::NormalQuantile(x);
    EXPECT_TRUE(z == -9999.0 || std::isfinite(z)) << x;
    const double g = chisq::LogGamma(x);
    EXPECT_TRUE(!(x > 0.0) || g == g) << x; // a number for any positive x
  }
}

// A ratio in [0, 1] for every shape the calculator passes (at least 0.5).
// Below, log-gamma's (x - 1) + 1 costs the shape its last digits, up to all
// of them near 1e-16, and the series' factor can pass 1 by as much.
bool IsRatio(double r, double p) {
  return r >= 0.0 && (r <= 1.0 || (p < 0.5 && std::isfinite(r)));
}

TEST(EveryDouble, IncompleteGamma) {

  const std::vector<double> specials = Specials();
  for (double x : specials)
    for (double p : specials)
      for (double g : specials) {
        const double r = chisq::IncompleteGamma(x, p, g);
        if (x == 0.0) {
          EXPECT_EQ(r, 0.0);
        } else if (!(x > 0.0) || !(p > 0.0)) {
          EXPECT_EQ(r, -1.0) << x << " " << p;
        } else if (g == chisq::LogGamma(p)) {
          EXPECT_TRUE(IsRatio(r, p)) << x << " " << p;
        }
      }
  // Random pairs with their true log-gamma give a probability.
  const std::vector<double> random = RandomBitPatterns(40000);
  for (std::size_t i = 0; i + 1 < random.size(); i += 2) {
    const double x = std::fabs(random[i]);
    const double p = std::fabs(random[i + 1]);
    if (!(x > 0.0) || !(p > 0.0))
      continue;
    const double r = chisq::IncompleteGamma(x, p, chisq::LogGamma(p));
    EXPECT_TRUE(IsRatio(r, p)) << x << " " << p;
  }
}

TEST(EveryDouble, ChiSquareQuantile) {
  std::vector<double> values = Specials();
  const std::vector<double> random = RandomBitPatterns(2000);
  values.insert(values.end(), random.begin(), random.end());
  testing::internal::CaptureStdout();
  for (double p : values)
    for (double v : Specials()) {
      const double q = chisq::ChiSquareQuantile(p, v);
      EXPECT_TRUE(q >= 0.0 || q == -1.0) << p << " " << v;
    }
  // Probabilities in range with degrees of freedom of every magnitude.
  std::mt19937_64 random_bits(7);
  std::uniform_real_distribution<double> probability(0.000002, 0.999998);
  std::uniform_real_distribution<double> exponent(-320.0, 308.0);
  // Where the starting values and the refinement really work.
  std::uniform_real_distribution<double> working(-17.0, 8.0);
  for (int i = 0; i < 40000; ++i) {
    const double p = probability(random_bits);
    const double v =
        std::pow(10.0, i % 2 ? exponent(random_bits) : working(random_bits));
    const double q = chisq::ChiSquareQuantile(p, v);
    EXPECT_TRUE(q >= 0.0 || q == -1.0) << p << " " << v;
  }
  const std::string written = testing::internal::GetCapturedStdout();
  // Nothing but whole diagnostic lines.
  std::string rest = written;
  const std::string message = "\nerr IncompleteGamma";
  for (std::size_t at; (at = rest.find(message)) != std::string::npos;)
    rest.erase(at, message.size());
  EXPECT_EQ(rest, "");
}

} // namespace
