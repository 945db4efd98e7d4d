// SPDX-License-Identifier: MIT
// The accuracy the README and the manual state, held against mpmath's true
// values over the whole domain and at the worst places the dense search
// found (tests/fixtures/make_accuracy.py, accuracy_search.cpp): the bounds
// here are the documents' own, no looser.
#include "chisq/chisq.h"
#include "chisq/large_shape.h"

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

// A region's bound and the worst error found in it, printed at the end so
// that each platform's run shows how close it came.
struct Region {
  const char *name;
  double bound, worst = 0.0;
  bool See(double error) {
    worst = std::fmax(worst, error);
    return error <= bound;
  }
  ~Region() { std::printf("%s: worst %.2g of %.2g\n", name, worst, bound); }
};

// Upper tails: absolute error within 2e-8 (1e-13 past 1e7 degrees of
// freedom, where Temme's expansion serves); below one half and from one
// degree of freedom up, also within 1e-7 of the tail plus 2^-53, the
// rounding of 1 - P near one.
TEST(Accuracy, UpperTailsOverTheWholeDomain) {
  const std::vector<Row> rows = Rows("accuracy.txt", "tail");
  EXPECT_EQ(rows.size(), 1443u);
  Region absolute{"tail, absolute", 1e-7};
  Region large{"tail past 1e7 df, absolute", 2e-13};
  Region relative{"tail below 1/2 from 1 df, relative", 2e-7};
  for (const Row &r : rows) {
    const double q = chisq::ChiSquareUpperTail(r.b, r.a);
    const double error = std::fabs(q - r.truth);
    Region &region = 0.5 * r.a > chisq::detail::kLargeShape ? large : absolute;
    EXPECT_TRUE(region.See(error))
        << "df=" << r.a << " chi2=" << r.b << " got " << q;
    if (r.truth > 0.0 && r.truth < 0.5 && r.a >= 1.0) {
      EXPECT_TRUE(relative.See(std::fmax(0.0, error - 0x1p-53) / r.truth))
          << "df=" << r.a << " chi2=" << r.b << " got " << q;
    }
  }
}

// Quantiles, relative error by decades of v: the refinement's 5e-7 from
// 1e-2 up; below, where only p near 1 gives a quantile that is not tiny, the
// ratio's own error outweighs a step of the refinement. Zero exactly where
// the true quantile is below half the smallest double; a subnormal result is
// also allowed its last unit.
TEST(Accuracy, QuantilesOverTheWholeDomain) {
  const std::vector<Row> rows = Rows("accuracy.txt", "quantile");
  EXPECT_EQ(rows.size(), 1162u);
  Region regions[] = {{"quantile from 1e-2 df", 5e-7},
                      {"quantile, 1e-4 to 1e-2 df", 3e-5},
                      {"quantile, 1e-6 to 1e-4 df", 5e-4},
                      {"quantile below 1e-6 df", 5e-5}};
  const double from[] = {1e-2, 1e-4, 1e-6, 0.0};
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
      continue;
    }
    std::size_t band = 0;
    while (r.b < from[band])
      ++band;
    const double error = std::fmax(0.0, std::fabs(x - r.truth) - 0x1p-1074);
    EXPECT_TRUE(regions[band].See(error / r.truth))
        << "p=" << r.a << " v=" << r.b << " got " << x;
  }
}

} // namespace
