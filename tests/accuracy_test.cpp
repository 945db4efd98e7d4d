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

// The rows of one kind in a fixture: "KIND A B TRUTH" lines.
std::vector<Row> Rows(const char *file, const std::string &kind) {
  std::ifstream in(std::string(CHISQ_FIXTURES) + "/" + file);
  EXPECT_TRUE(in) << "missing fixture " << file;
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string first, a, b, truth;
    fields >> first >> a >> b >> truth;
    if (first != kind)
      continue;
    // strtod, not the stream, reads a subnormal or underflowing truth.
    rows.push_back({std::strtod(a.c_str(), nullptr),
                    std::strtod(b.c_str(), nullptr),
                    std::strtod(truth.c_str(), nullptr)});
  }
  return rows;
}

// Upper tails: absolute error within 2e-8 (1e-13 past 1e7 degrees of
// freedom, where Temme's expansion serves); below one half and from one
// degree of freedom up, also within 1e-7 of the tail plus 2^-53, the
// rounding of 1 - P near one.
TEST(Accuracy, UpperTailsOverTheWholeDomain) {
  const std::vector<Row> rows = Rows("accuracy.txt", "tail");
  EXPECT_EQ(rows.size(), 1435u);
  for (const Row &r : rows) {
    const double q = chisq::ChiSquareUpperTail(r.b, r.a);
    const double error = std::fabs(q - r.truth);
    EXPECT_LE(error, r.a > 1e7 ? 1e-13 : 2e-8)
        << "df=" << r.a << " chi2=" << r.b << " got " << q;
    if (r.truth < 0.5 && r.a >= 1.0) {
      EXPECT_LE(error, 1e-7 * r.truth + 0x1p-53)
          << "df=" << r.a << " chi2=" << r.b << " got " << q;
    }
  }
}

// Quantiles, relative error by decades of v: the refinement's 5e-7 from
// 1e-2 up; below, where only p near 1 gives a quantile that is not tiny, the
// ratio's own error outweighs a step of the refinement. Zero exactly where
// the true quantile is below half the smallest double; a subnormal result is
// also allowed its last unit.
double QuantileBound(double v) {
  const struct {
    double from, relative;
  } bands[] = {{1e-2, 5e-7}, {1e-4, 3e-5}, {1e-6, 5e-4}, {0.0, 5e-5}};
  for (const auto &band : bands)
    if (v >= band.from)
      return band.relative;
  return 0.0;
}

TEST(Accuracy, QuantilesOverTheWholeDomain) {
  const std::vector<Row> rows = Rows("accuracy.txt", "quantile");
  EXPECT_EQ(rows.size(), 1155u);
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
