// SPDX-License-Identifier: MIT
// The accuracy the README and the manual state, held against mpmath's true
// values over the whole domain (tests/fixtures/make_accuracy.py): the bounds
// here are the documents' own, no looser.
#include "chisq/chisq.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row {
  double a, b, truth;
};

// The rows of one kind in a fixture: "KIND A B TRUTH" lines, or plain
// "A B TRUTH" lines when kind is empty.
std::vector<Row> Rows(const char *file, const std::string &kind) {
  std::ifstream in(std::string(CHISQ_FIXTURES) + "/" + file);
  EXPECT_TRUE(in) << "missing fixture " << file;
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string first, a, b, truth;
    if (!kind.empty()) {
      fields >> first;
      if (first != kind)
        continue;
    }
    fields >> a >> b >> truth;
    // strtod, not the stream, reads a subnormal or underflowing truth.
    rows.push_back({std::strtod(a.c_str(), nullptr),
                    std::strtod(b.c_str(), nullptr),
                    std::strtod(truth.c_str(), nullptr)});
  }
  return rows;
}

double UpperTail(double df, double chi2) {
  return 1.0 - chisq::IncompleteGamma(0.5 * chi2, 0.5 * df,
                                      chisq::LogGamma(0.5 * df));
}

// Upper tails as the calculator forms them: absolute error within AS 32's
// 1e-8 (1e-13 past 1e7 degrees of freedom, where Temme's expansion serves),
// and below one half also within 3e-8 of the tail plus 2^-53, the rounding
// of 1 - P near one.
void ExpectTailWithinBounds(const std::vector<Row> &rows) {
  for (const Row &r : rows) {
    const double q = UpperTail(r.a, r.b);
    const double error = std::fabs(q - r.truth);
    EXPECT_LE(error, r.a > 1e7 ? 1e-13 : 1e-8)
        << "df=" << r.a << " chi2=" << r.b << " got " << q;
    if (r.truth < 0.5) {
      EXPECT_LE(error, 3e-8 * r.truth + 0x1p-53)
          << "df=" << r.a << " chi2=" << r.b << " got " << q;
    }
  }
}

TEST(Accuracy, UpperTailsOverTheWholeDomain) {
  const std::vector<Row> rows = Rows("accuracy.txt", "tail");
  EXPECT_EQ(rows.size(), 537u);
  ExpectTailWithinBounds(rows);
}

TEST(Accuracy, UpperTailsOfTheFirstThousandDegrees) {
  const std::vector<Row> rows = Rows("upper_tail.txt", "");
  EXPECT_EQ(rows.size(), 624u);
  ExpectTailWithinBounds(rows);
}

// Quantiles: within the refinement's 5e-7 relative from v = 1e-4 up; below
// that ln Gamma(v / 2) carries the rounding of (x - 1) + 1 and the error
// grows as v falls; zero exactly where the true quantile is below half the
// smallest double. A subnormal result is also allowed its last unit.
double QuantileBound(double v) {
  const struct {
    double from, relative;
  } bands[] = {{1e-4, 5e-7}, {1e-5, 1e-4}, {1e-7, 5e-2}, {0.0, 3.0}};
  for (const auto &band : bands)
    if (v >= band.from)
      return band.relative;
  return 0.0;
}

TEST(Accuracy, QuantilesOverTheWholeDomain) {
  const std::vector<Row> rows = Rows("accuracy.txt", "quantile");
  EXPECT_EQ(rows.size(), 1071u);
  std::vector<double> results;
  testing::internal::CaptureStdout();
  for (const Row &r : rows)
    results.push_back(chisq::ChiSquareQuantile(r.a, r.b));
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "")
      << "a refinement reported a failure";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row &r = rows[i];
    const double x = results[i];
    if (r.truth == 0.0) {
      EXPECT_EQ(x, 0.0) << "p=" << r.a << " v=" << r.b;
    } else {
      EXPECT_LE(std::fabs(x - r.truth),
                QuantileBound(r.b) * r.truth + 0x1p-1074)
          << "p=" << r.a << " v=" << r.b << " got " << x;
    }
  }
}

} // namespace
