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

TEST(EveryDouble, IncompleteGamma) {
  // With g = LogGamma(p): a ratio in [0, 1] for every x > 0 and p > 0, 0.0
  // for x = 0, and the sentinel otherwise. With any other g it returns.
  const std::vector<double> specials = Specials();
  const auto check = [](double x, double p) {
    const double r = chisq::IncompleteGamma(x, p, chisq::LogGamma(p));
    if (x == 0.0)
      EXPECT_EQ(r, 0.0);
    else if (!(x > 0.0) || !(p > 0.0))
      EXPECT_EQ(r, -1.0) << x << " " << p;
    else
      EXPECT_TRUE(r >= 0.0 && r <= 1.0) << x << " " << p << " " << r;
  };
  for (double x : specials)
    for (double p : specials) {
      check(x, p);
      for (double g : specials)
        chisq::IncompleteGamma(x, p, g);
    }
  const std::vector<double> random = RandomBitPatterns(40000);
  for (std::size_t i = 0; i + 1 < random.size(); i += 2)
    check(std::fabs(random[i]), std::fabs(random[i + 1]));
}

TEST(EveryDouble, ChiSquareUpperTail) {
  // A probability for x >= 0 and v > 0, the sentinel otherwise.
  std::vector<double> values = Specials();
  const std::vector<double> random = RandomBitPatterns(2000);
  values.insert(values.end(), random.begin(), random.end());
  for (double x : values)
    for (double v : values) {
      const double q = chisq::ChiSquareUpperTail(x, v);
      if (x >= 0.0 && v > 0.0)
        EXPECT_TRUE(q >= 0.0 && q <= 1.0) << x << " " << v << " " << q;
      else
        EXPECT_EQ(q, -1.0) << x << " " << v;
    }
}

TEST(EveryDouble, ChiSquareQuantile) {
  // Inside the domain a number of at least zero and nothing written; outside
  // it the sentinel, silently.
  std::vector<double> values = Specials();
  const std::vector<double> random = RandomBitPatterns(2000);
  values.insert(values.end(), random.begin(), random.end());
  const auto check = [](double p, double v) {
    const double q = chisq::ChiSquareQuantile(p, v);
    if (p >= 0.000002 && p <= 0.999998 && v > 0.0 && std::isfinite(v))
      EXPECT_GE(q, 0.0) << p << " " << v;
    else
      EXPECT_EQ(q, -1.0) << p << " " << v;
  };
  testing::internal::CaptureStdout();
  for (double p : values)
    for (double v : Specials())
      check(p, v);
  // Probabilities in range, near either end too, with degrees of freedom of
  // every magnitude.
  std::mt19937_64 random_bits(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_real_distribution<double> exponent(-320.0, 308.0);
  // Where the starting values and the refinement really work.
  std::uniform_real_distribution<double> working(-17.0, 8.0);
  for (int i = 0; i < 40000; ++i) {
    const double tail = std::pow(10.0, -5.7 * unit(random_bits));
    const double p = i % 3 == 0   ? 0.000002 + 0.999996 * unit(random_bits)
                     : i % 3 == 1 ? std::fmax(0.000002, tail)
                                  : std::fmin(0.999998, 1.0 - tail);
    const double v =
        std::pow(10.0, i % 2 ? exponent(random_bits) : working(random_bits));
    check(p, v);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

} // namespace
