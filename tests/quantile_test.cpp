// SPDX-License-Identifier: MIT
// The normal quantile and the chi-square quantile: the cases that pick each
// starting value, the table's 1,600 cells against mpmath, the finish where
// the refinement cannot settle, and awkward arguments.
#include "chisq/chisq.h"
#include "front/levels.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// What the routine wrote to standard output while it ran.
std::string Written(double p, double v, double *result) {
  testing::internal::CaptureStdout();
  *result = chisq::ChiSquareQuantile(p, v);
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

TEST(NormalQuantile, KnownPointsAndSentinel) {
  EXPECT_NE(chisq::NormalQuantile(0.5), 0.0);
  EXPECT_NEAR(chisq::NormalQuantile(0.5), 0.0, 1e-6);
  EXPECT_LT(chisq::NormalQuantile(std::nextafter(0.5, 0.0)), 0.0);
  EXPECT_NEAR(chisq::NormalQuantile(0.975), 1.959964, 5e-4);
  EXPECT_NEAR(chisq::NormalQuantile(0.025), -1.959964, 5e-4);
  EXPECT_NEAR(chisq::NormalQuantile(0.975), -chisq::NormalQuantile(0.025),
              1e-9);
  EXPECT_NEAR(chisq::NormalQuantile(0.999), 3.090232, 5e-4);
  for (double p : {0.0, 1.0, -0.5, 1.5, 1e-21, std::nan("")}) {
    SCOPED_TRACE(p);
    EXPECT_EQ(chisq::NormalQuantile(p), -9999.0);
  }
}

TEST(ChiSquareQuantile, ArgumentChecksAreSilent) {
  struct Case {
    double p, v;
    bool accepted;
  } cases[] = {
      {0.000002, 3.0, true},
      {0.999998, 3.0, true},
      {std::nextafter(0.000002, 0.0), 3.0, false},
      {std::nextafter(0.999998, 1.0), 3.0, false},
      {0.5, 0.0, false},
      {0.5, -1.0, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "p=" << c.p << " v=" << c.v);
    double result;
    EXPECT_EQ(Written(c.p, c.v, &result), "");
    if (c.accepted)
      EXPECT_GT(result, 0.0);
    else
      EXPECT_EQ(result, -1.0);
  }
}

TEST(ChiSquareQuantile, EachStartingValue) {
  // Two degrees of freedom have the closed form -2 ln(1 - p).
  for (double p : {0.005, 0.1, 0.5, 0.95, 0.999}) {
    SCOPED_TRACE(p);
    const double exact = -2.0 * std::log(1.0 - p);
    EXPECT_NEAR(chisq::ChiSquareQuantile(p, 2.0), exact, 5e-7 * exact);
  }
  // A small chi-square start below 5e-07 is returned unrefined: the first
  // term of the series for P, which lies a little below the true quantile
  // (mpmath: 1.34993958591169365e-8).
  const double truth = 1.34993958591169365e-8;
  const double start = chisq::ChiSquareQuantile(0.01, 0.5);
  EXPECT_LT(start, truth);
  EXPECT_NEAR(start, truth, 1e-8 * truth);
  // Small chi-square start above 5e-07, refined: the 0.005 point of 1 df.
  EXPECT_NEAR(chisq::ChiSquareQuantile(0.005, 1.0), 3.927042222e-5, 1e-10);
  // Small degrees of freedom: 0.3 df at p = 0.9 (mpmath: 0.8895970626).
  double small_df;
  EXPECT_EQ(Written(0.9, 0.3, &small_df), "");
  EXPECT_NEAR(small_df, 0.8895970626, 1e-6);
  // Wilson-Hilferty: the 5 per cent point of 10 df.
  char cell[16];
  std::snprintf(cell, sizeof cell, "%9.4f",
                chisq::ChiSquareQuantile(0.95, 10.0));
  EXPECT_STREQ(cell, "  18.3070");
}

// The table's 200 rows as "%3d" and eight "%9.4f" cells of quantile(p, df),
// held to the rows of the true quantiles (mpmath's, rounded as printed).
void ExpectTableRows(double (*quantile)(double, double)) {
  std::ifstream in(CHISQ_FIXTURES "/critical_values.txt");
  ASSERT_TRUE(in) << "missing fixture";
  std::string expected;
  int rows = 0;
  while (std::getline(in, expected)) {
    std::istringstream fields(expected);
    int df;
    fields >> df;
    char cell[32];
    std::snprintf(cell, sizeof cell, "%3d", df);
    std::string row = cell;
    for (double p : kTableLevels) {
      std::snprintf(cell, sizeof cell, "%9.4f", quantile(p, df));
      row += cell;
    }
    EXPECT_EQ(row, expected);
    ++rows;
  }
  EXPECT_EQ(rows, 200);
}

TEST(ChiSquareQuantile, AllTableCellsPrintAsTheTrueQuantile) {
  ExpectTableRows(chisq::ChiSquareQuantile);
}

// The precise quantile prints the same table: both are right to the four
// decimals shown.
TEST(Quantile, AllTableCellsPrintAsThePublishedRoutine) {
  ExpectTableRows(chisq::Quantile);
}

TEST(ChiSquareQuantile, AwkwardArgumentsReturnTheirTrueValueQuietly) {
  const double nan = std::nan("");
  const double inf = HUGE_VAL;
  const double just_in = std::nextafter(0.000002, 1.0);
  const double near_one = std::nextafter(0.999998, 0.0);
  // True values from mpmath; -1 is the sentinel, 0 a quantile below half the
  // smallest double.
  struct Case {
    double p, v, truth;
  } cases[] = {
      {nan, 5.0, -1.0},
      {0.5, nan, -1.0},
      {nan, nan, -1.0},
      {0.5, inf, -1.0},
      {inf, 5.0, -1.0},
      {-inf, 5.0, -1.0},
      {0.5, -inf, -1.0},
      {0.5, -0.0, -1.0},
      {0.5, 1e-300, 0.0},
      {0.999998, 1e-17, 0.0},
      {just_in, 1e-300, 0.0},
      {0.5, DBL_TRUE_MIN, 0.0},
      {near_one, 1e-10, 0.0},
      {0.999998, 1e-13, 0.0},
      {0.9, 3e-16, 0.0},
      {0.999, 3e-16, 0.0},
      {0.1, 1e50, 1e50},
      {0.5, 1e300, 1e300},
      {just_in, 1e300, 1e300},
      {0.5, 1e306, 1e306},
      {0.999998, DBL_MAX, DBL_MAX},
      {just_in, DBL_MAX, DBL_MAX},
      {near_one, 1e8, 100065228.30519542},
      {just_in, 1e8, 99934798.714600734},
      {0.5, 1e7, 9999999.3333333412},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "p=" << c.p << " v=" << c.v);
    double result;
    EXPECT_EQ(Written(c.p, c.v, &result), "");
    if (c.truth <= 0.0)
      EXPECT_EQ(result, c.truth);
    else
      EXPECT_NEAR(result, c.truth, 5e-7 * c.truth);
  }
}

TEST(ChiSquareQuantile, SettlesWhereTheRefinementAlternates) {
  // p near 1 with a tiny v: the refinement alternates between two estimates
  // for ever (about 5 calls in a million there), so the finish bisects on P(v /
  // 2, ch / 2) = p. Its result is the double where P reaches p, its neighbour
  // below one where P is still under p, and nothing is written.
  struct Case {
    double p, v;
  } cases[] = {
      {0.99998138579633955, 7.1763992309574636e-05},
      {0.99979411946875318, 0.0011389748345702918},
      {0.9998960907190545, 0.00027948698609193658},
      {0.99999771696103745, 2.0624781484292781e-06},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "p=" << c.p << " v=" << c.v);
    double x;
    EXPECT_EQ(Written(c.p, c.v, &x), "");
    const double xx = 0.5 * c.v;
    const double g = chisq::LogGamma(xx);
    const double below = std::nextafter(x, 0.0);
    EXPECT_LT(chisq::IncompleteGamma(0.5 * below, xx, g), c.p);
    EXPECT_GE(chisq::IncompleteGamma(0.5 * x, xx, g), c.p);
  }
}

TEST(ChiSquareQuantile, LargeDegreesFollowCornishFisher) {
  // v + z sqrt(2 v) + 2 (z^2 - 1) / 3, with the next term of order v^-1/2.
  struct Level {
    double p, z;
  } levels[] = {{0.001, -3.090232306167813},
                {0.5, 0.0},
                {0.95, 1.6448536269514722},
                {0.999998, 4.61138236230823},
                {0.000002, -4.61138236230823}};
  for (double v : {9e6, 2e7, 1e10, 1e50}) {
    for (const Level &l : levels) {
      SCOPED_TRACE(testing::Message() << "v=" << v << " p=" << l.p);
      const double expected =
          v + l.z * std::sqrt(2.0 * v) + 2.0 * (l.z * l.z - 1.0) / 3.0;
      EXPECT_NEAR(chisq::ChiSquareQuantile(l.p, v), expected, 0.05 + 1e-10 * v);
    }
  }
}

} // namespace
