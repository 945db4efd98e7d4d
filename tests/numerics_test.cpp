// SPDX-License-Identifier: MIT
// Log-gamma, the incomplete gamma ratio and the upper tail: edge cases, tiny
// arguments against mpmath's values, and the guards for huge and non-finite
// arguments.
#include "chisq/chisq.h"
#include "chisq/large_shape.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

double UpperTail(double df, double chi2) {
  return chisq::ChiSquareUpperTail(chi2, df);
}

TEST(LogGamma, AgreesWithTheLibraryAcrossTheShiftThreshold) {
  const double below_seven = std::nextafter(7.0, 0.0);
  for (double x : {0.5, 1.0, 1.5, 2.0, 3.3, 6.5, below_seven, 7.0, 7.5, 20.0,
                   100.0, 1e6, 1e15}) {
    SCOPED_TRACE(x);
    EXPECT_NEAR(chisq::LogGamma(x), std::lgamma(x),
                1e-10 * (1.0 + std::lgamma(x)));
  }
  // The series' accuracy, set by its fifteen-decimal coefficients.
  EXPECT_NEAR(chisq::LogGamma(1.0), 0.0, 1e-10);
  EXPECT_NEAR(chisq::LogGamma(2.0), 0.0, 1e-10);
  EXPECT_NEAR(chisq::LogGamma(0.5), 0.5 * std::log(3.14159265358979323846),
              1e-10);
  EXPECT_NEAR(chisq::LogGamma(7.0), chisq::LogGamma(below_seven), 1e-10);
}

TEST(LogGamma, TinyArgumentsWithinTheStatedBound) {
  // mpmath's ln Gamma, held to 1e-9 relative: the published (x - 1) + 1
  // rounds away up to all of x here (36.74 for 5.6e-17).
  struct Case {
    double x, truth;
  } cases[] = {
      {5.6e-17, 37.421179983157673}, {1e-12, 27.631021115927971},
      {1e-9, 20.723265836369195},    {3e-9, 19.624653546546654},
      {1e-8, 18.420680738180209},    {9.99e-6, 11.513920199001402},
      {1e-5, 11.512919692895826},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_NEAR(chisq::LogGamma(c.x), c.truth, 1e-9 * c.truth);
  }
}

TEST(LogGamma, ReturnsForEveryClassOfArgument) {
  // Where (x - 1) + 1 rounds to zero, and where (y - 0.5) ln y overflows
  // but ln Gamma does not: the true values (mpmath), not an infinity.
  struct Case {
    double x, truth;
  } cases[] = {
      {1e-17, 39.143946580898777},
      {DBL_TRUE_MIN, 744.44007192138126},
      {2.55e305, 1.7906725941420033e308},
      {2.552e305, 1.7920790440195568e308},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_NEAR(chisq::LogGamma(c.x), c.truth, 1e-15 * c.truth);
  }
  EXPECT_EQ(chisq::LogGamma(0.0), HUGE_VAL);
  EXPECT_EQ(chisq::LogGamma(HUGE_VAL), HUGE_VAL);
  EXPECT_EQ(chisq::LogGamma(DBL_MAX), HUGE_VAL);
  EXPECT_EQ(chisq::LogGamma(2.6e305), HUGE_VAL); // 1.83e308
  // A huge negative argument would otherwise shift for ever.
  EXPECT_TRUE(std::isnan(chisq::LogGamma(-1e300)));
  EXPECT_TRUE(std::isnan(chisq::LogGamma(-0.5)));
  EXPECT_TRUE(std::isnan(chisq::LogGamma(std::nan(""))));
}

TEST(IncompleteGamma, SentinelsAndZero) {
  const double nan = std::nan("");
  struct Case {
    double x, p, expected;
  } cases[] = {
      {0.0, 2.0, 0.0},   {0.0, 0.0, 0.0},   {0.0, -1.0, 0.0},
      {0.0, nan, 0.0},   {-1.0, 2.0, -1.0}, {1.0, 0.0, -1.0},
      {1.0, -2.0, -1.0}, {nan, 2.0, -1.0},  {1.0, nan, -1.0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "x=" << c.x << " p=" << c.p);
    EXPECT_EQ(chisq::IncompleteGamma(c.x, c.p, 0.0), c.expected);
  }
  // A NaN ln Gamma is misuse on the series' path and the fraction's alike.
  EXPECT_EQ(chisq::IncompleteGamma(0.5, 2.0, nan), -1.0);
  EXPECT_EQ(chisq::IncompleteGamma(5.0, 2.0, nan), -1.0);
  EXPECT_EQ(chisq::IncompleteGamma(0.0, 2.0, nan), 0.0);
}

TEST(IncompleteGamma, BothMethodsNearTheirBoundary) {
  // x = 1 takes the series, x = p = 3 the continued fraction.
  struct Case {
    double x, p, expected;
  } cases[] = {
      {2.0, 1.0, 1.0 - std::exp(-2.0)},
      {1.0, 1.0, 1.0 - std::exp(-1.0)},
      {1.0, 2.0, 1.0 - 2.0 * std::exp(-1.0)},
      {3.0, 3.0, 1.0 - 8.5 * std::exp(-3.0)},
      {std::nextafter(3.0, 0.0), 3.0, 1.0 - 8.5 * std::exp(-3.0)},
      {7.0, 3.0, 1.0 - 32.5 * std::exp(-7.0)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "x=" << c.x << " p=" << c.p);
    EXPECT_NEAR(chisq::IncompleteGamma(c.x, c.p, chisq::LogGamma(c.p)),
                c.expected, 2e-8);
  }
}

TEST(IncompleteGamma, TinyShapesWithinTheStatedBound) {
  // P(p, x) = 1 - p E1(x) + ... for a tiny p (mpmath), given LogGamma(p); a
  // subnormal shape's factor underflows in the published form.
  struct Case {
    double x, p, truth;
  } cases[] = {
      {0.5722804992789565, 1.2739302454442786e-16, 0.99999999999999994},
      {1.0, DBL_TRUE_MIN, 1.0},
      {0.5, 1e-20, 1.0},
      {1e-300, 1e-300, 1.0},
      {0.5, 5e-17, 0.99999999999999997},
      {0.5, 1e-10, 0.99999999994402264},
      {0.5, 1e-6, 0.99999944022611184},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "x=" << c.x << " p=" << c.p);
    const double ratio = chisq::IncompleteGamma(c.x, c.p, chisq::LogGamma(c.p));
    EXPECT_LE(ratio, 1.0);
    EXPECT_NEAR(ratio, c.truth, 2e-8);
  }
}

TEST(ChiSquareUpperTail, IsTheCalculatorsProbability) {
  // Bit for bit 1 - P(v / 2, x / 2) wherever the calculator reaches (df of 1
  // and more), tiny x included.
  for (double df : {1.0, 1.5, 2.0, 3.0, 10.0, 99.5, 1e4, 5e6, 1e7, 2e7, 1e30})
    for (double ratio : {0.0, 1e-310, 1e-301, 1e-3, 0.5, 1.0, 1.3, 4.0, 1e3}) {
      const double chi2 = df * ratio;
      SCOPED_TRACE(testing::Message() << "df=" << df << " chi2=" << chi2);
      EXPECT_EQ(chisq::ChiSquareUpperTail(chi2, df),
                1.0 - chisq::IncompleteGamma(0.5 * chi2, 0.5 * df,
                                             chisq::LogGamma(0.5 * df)));
    }
  // Where halving rounds: the true tails (mpmath) for the smallest double.
  struct Case {
    double x, v, truth;
  } cases[] = {
      {1.0, DBL_TRUE_MIN, 0.0},
      {0.0, DBL_TRUE_MIN, 1.0},
      {DBL_TRUE_MIN, 2e-10, 7.4455597571894050e-08},
      {DBL_TRUE_MIN, 0.001, 0.31083751417284595},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "x=" << c.x << " v=" << c.v);
    EXPECT_NEAR(chisq::ChiSquareUpperTail(c.x, c.v), c.truth, 2e-8);
  }
  const double nan = std::nan("");
  for (double x : {-1.0, -DBL_TRUE_MIN, -HUGE_VAL, nan, 1.0})
    for (double v : {-1.0, 0.0, -0.0, nan, 2.0}) {
      if (x == 1.0 && v == 2.0)
        continue;
      SCOPED_TRACE(testing::Message() << "x=" << x << " v=" << v);
      EXPECT_EQ(chisq::ChiSquareUpperTail(x, v), -1.0);
    }
}

TEST(IncompleteGamma, HugeAndInfiniteInputGiveAProbability) {
  const double inf = HUGE_VAL;
  struct Case {
    double df, chi2, expected; // expected < 0: only a probability is asked
  } cases[] = {
      {10.0, inf, 0.0},         {1.0, inf, 0.0},
      {inf, inf, 0.0},          {inf, 5.0, 1.0},
      {inf, 1e300, 1.0},        {inf, 0.0, 1.0},
      {10.0, 1e120, 0.0},       {10.0, 1e300, 0.0},
      {10.0, DBL_MAX, 0.0},     {1e300, 1e300, -1.0},
      {DBL_MAX, DBL_MAX, -1.0}, {4e16, 3.9999999e16, -1.0},
      {1e300, 1.0, 1.0},        {1e20, 1e30, 0.0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "df=" << c.df << " chi2=" << c.chi2);
    const double prob = UpperTail(c.df, c.chi2);
    EXPECT_GE(prob, 0.0);
    EXPECT_LE(prob, 1.0);
    if (c.expected >= 0.0) {
      EXPECT_EQ(prob, c.expected);
    }
  }
}

TEST(IncompleteGamma, LargeShapesFollowTheNormalLimit) {
  // The skewness is sqrt(8 / df): past 1e8 degrees of freedom the upper tail
  // is the normal one to within that.
  for (double df : {1e8, 1e10, 1e12, 4e16, 1e20, 1e100}) {
    for (double z : {-3.5, -1.0, 0.0, 0.5, 2.0, 4.0}) {
      SCOPED_TRACE(testing::Message() << "df=" << df << " z=" << z);
      const double chi2 = df + z * std::sqrt(2.0 * df);
      // The deviate chi2 really has, once rounded.
      const double exact_z = (chi2 - df) / std::sqrt(2.0 * df);
      EXPECT_NEAR(UpperTail(df, chi2),
                  0.5 * std::erfc(exact_z / std::sqrt(2.0)),
                  std::sqrt(8.0 / df) + 1e-12);
    }
  }
}

TEST(IncompleteGamma, NoJumpWhereTheAsymptoticExpansionTakesOver) {
  const double df = 2.0 * chisq::detail::kLargeShape;
  const double above = std::nextafter(df, HUGE_VAL);
  for (double z : {-3.0, -1.0, 0.0, 1.0, 3.0}) {
    SCOPED_TRACE(z);
    const double chi2 = df + z * std::sqrt(2.0 * df);
    EXPECT_NEAR(UpperTail(df, chi2), UpperTail(above, chi2), 1e-8);
  }
}

} // namespace
