// SPDX-License-Identifier: MIT
// The distribution's functions against mpmath's true values
// (tests/fixtures/make_distribution.py): both tails, their logarithms, the
// density and its logarithm at every point of the fixture, the quantiles at
// every probability, each held to the bound the header states; then the
// exact values at the edges of the domain. The two bound tests print the
// worst error of every region beside the bound there, so that each
// platform's run shows its margins.
#include "chisq/chisq.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kUnit = 0x1p-52;
const double kInf = HUGE_VAL;

// One line of the fixture: its fields after the kind, as written and as
// strtod reads them (a truth beyond the range of a double reads as 0 or
// infinity; the logarithms beside it are what is checked there).
struct Row {
  std::vector<std::string> text;
  std::vector<double> value;
};

struct Fixture {
  std::map<std::string, std::vector<Row>> rows;
  std::map<std::string, std::size_t> counted; // by the file's last line
};

const Fixture &Read() {
  static const Fixture fixture = [] {
    Fixture read;
    const std::string file = std::string(CHISQ_FIXTURES) + "/distribution.txt";
    std::ifstream in(file);
    EXPECT_TRUE(in) << "missing fixture " << file;
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string kind, field;
      fields >> kind;
      if (kind == "#") {
        if (fields >> field && field == "rows:") {
          std::size_t count;
          while (fields >> field >> count)
            read.counted[field] = count;
        }
        continue;
      }
      Row row;
      while (fields >> field) {
        char *end;
        row.value.push_back(std::strtod(field.c_str(), &end));
        EXPECT_EQ(*end, '\0') << "not a number: " << field << " in " << line;
        row.text.push_back(field);
      }
      EXPECT_EQ(row.text.size(), kind == "T" ? 8u : 5u) << line;
      read.rows[kind].push_back(row);
    }
    return read;
  }();
  return fixture;
}

const std::vector<Row> &Rows(const std::string &kind) {
  static const std::vector<Row> none;
  return Read().rows.count(kind) ? Read().rows.at(kind) : none;
}

// Regions for the worst errors: by v, and by the smaller tail S.
const char *const kVRegions[] = {"v tiny", "v small", "v textbook", "v large"};
const char *const kTailRegions[] = {"body", "deep", "beyond"};

int VRegion(double v) { return v < 0.01 ? 0 : v < 2 ? 1 : v <= 1000 ? 2 : 3; }

int TailRegion(double log_s) {
  return log_s >= std::log(1e-3) ? 0 : log_s >= std::log(1e-300) ? 1 : 2;
}

// The worst error, in units of 2^-52, of one function in one region (the
// worst as a share of the bound, which varies from row to row), and the
// first few rows out of bounds in full.
struct Cell {
  int rows = 0, failures = 0;
  double error = 0.0, bound = 0.0;
  std::string where;
};

class Tally {
public:
  explicit Tally(const char *function) : function_(function) {}

  void See(int v_region, int tail_region, double error, double bound,
           const std::string &where, double got, const std::string &truth) {
    if (!(error >= 0.0)) // NaN
      error = kInf;
    Cell &cell = cells_[v_region][tail_region];
    ++cell.rows;
    if (cell.rows == 1 || error / bound > cell.error / cell.bound) {
      cell.error = error;
      cell.bound = bound;
      cell.where = where;
    }
    if (error <= bound)
      return;
    if (++cell.failures <= kShown)
      ADD_FAILURE() << function_ << "(" << where << ") = " << Text(got)
                    << ", true " << truth << ": error " << Text(error)
                    << " u, bound " << Text(bound) << " u ("
                    << kVRegions[v_region] << ", " << kTailRegions[tail_region]
                    << ")";
  }

  // A quantile below the smallest normal, right or not.
  void SeeBelowNormal(int v_region, const std::string &where, double got,
                      double nearest, const std::string &truth, bool right) {
    ++underflow_rows_;
    if (right)
      return;
    if (++underflow_failures_ <= kShown)
      ADD_FAILURE() << function_ << "(" << where << ") = " << Text(got)
                    << ", true " << truth << ": neither the nearest double "
                    << Text(nearest) << " nor within the bound ("
                    << kVRegions[v_region] << ", below the smallest normal)";
  }

  ~Tally() {
    for (int v = 0; v < 4; ++v)
      for (int t = 0; t < 3; ++t) {
        const Cell &cell = cells_[v][t];
        if (cell.rows == 0)
          continue;
        std::printf("%-13s %-10s %-6s %5d rows: worst %8.3g u of %8.3g u "
                    "at %s\n",
                    function_, kVRegions[v], kTailRegions[t], cell.rows,
                    cell.error, cell.bound, cell.where.c_str());
        if (cell.failures > kShown)
          ADD_FAILURE() << function_ << " " << kVRegions[v] << " "
                        << kTailRegions[t] << ": " << cell.failures - kShown
                        << " more rows out of bounds";
      }
    if (underflow_rows_ > 0)
      std::printf("%-13s %5d rows below the smallest normal: %d wrong\n",
                  function_, underflow_rows_, underflow_failures_);
    if (underflow_failures_ > kShown)
      ADD_FAILURE() << function_ << ": " << underflow_failures_ - kShown
                    << " more rows below the smallest normal wrong";
  }

  static std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
  }

private:
  static constexpr int kShown = 3;
  const char *function_;
  Cell cells_[4][3];
  int underflow_rows_ = 0, underflow_failures_ = 0;
};

std::string Arguments(const char *first, double a, const char *second,
                      double b) {
  return std::string(first) + "=" + Tally::Text(a) + ", " + second + "=" +
         Tally::Text(b);
}

TEST(Distribution, FixtureIsWhole) {
  for (const char *kind : {"T", "Q", "UQ"}) {
    SCOPED_TRACE(kind);
    ASSERT_TRUE(Read().counted.count(kind)) << "no count of the rows";
    EXPECT_EQ(Rows(kind).size(), Read().counted.at(kind));
    EXPECT_GT(Rows(kind).size(), 200u);
  }
}

// Row T: x v lower upper loglower logupper density logdensity. Errors are
// relative to the truth read as a double (within half a unit of the true
// value): for the tails and the density only where that is a normal double;
// for the log tails everywhere, a truth below the smallest normal counted
// as that (a log of the larger tail can be -1e-400); for LogDensity
// relative from |ln f| = 1 on and absolute below.
TEST(Distribution, TailsDensityAndTheirLogsWithinTheirBounds) {
  enum Measure { kRatio, kLogTail, kLogDensity };
  struct Function {
    const char *name;
    double (*f)(double, double);
    std::size_t column, log_column;
    Measure measure;
  };
  const Function functions[] = {
      {"LowerTail", chisq::LowerTail, 2, 4, kRatio},
      {"UpperTail", chisq::UpperTail, 3, 5, kRatio},
      {"LogLowerTail", chisq::LogLowerTail, 4, 4, kLogTail},
      {"LogUpperTail", chisq::LogUpperTail, 5, 5, kLogTail},
      {"Density", chisq::Density, 6, 7, kRatio},
      {"LogDensity", chisq::LogDensity, 7, 7, kLogDensity},
  };
  for (const Function &function : functions) {
    Tally tally(function.name);
    for (const Row &row : Rows("T")) {
      const double x = row.value[0], v = row.value[1];
      const double truth = row.value[function.column];
      const double log_truth = row.value[function.log_column];
      const double log_s = std::fmin(row.value[4], row.value[5]);
      const double got = function.f(x, v);
      double error = 0.0, bound = 0.0;
      switch (function.measure) {
      case kRatio:
        if (!(truth >= DBL_MIN && truth <= DBL_MAX))
          continue;
        error = std::fabs(got - truth) / truth / kUnit;
        bound = 16 + 2 * std::fabs(log_truth);
        break;
      case kLogTail:
        error = std::fabs(got - truth) / std::fmax(std::fabs(truth), DBL_MIN) /
                kUnit;
        bound = 16 + 2 * std::fabs(log_s);
        break;
      case kLogDensity:
        error =
            std::fabs(got - truth) / std::fmax(std::fabs(truth), 1.0) / kUnit;
        bound = 16 + 2 * std::fabs(truth);
        break;
      }
      tally.See(VRegion(v), TailRegion(log_s), error, bound,
                Arguments("x", x, "v", v), got, row.text[function.column]);
    }
  }
}

// Rows Q and UQ: p v x f logf. The relative error of x within
// max(16, kappa (16 + 2 |ln p|)) units, kappa = p / (x f(x)) the condition
// of the quantile (q for p in the upper one). Where the true x is below the
// smallest normal, the nearest double (0 also where x is below the smallest
// double), or within that bound: halfway between two subnormals the nearest
// cannot be told from a p that moves x by kappa units.
TEST(Distribution, QuantilesWithinTheirBounds) {
  struct Function {
    const char *name;
    double (*f)(double, double);
    const char *kind, *probability;
  };
  const Function functions[] = {
      {"Quantile", chisq::Quantile, "Q", "p"},
      {"UpperQuantile", chisq::UpperQuantile, "UQ", "q"},
  };
  for (const Function &function : functions) {
    Tally tally(function.name);
    for (const Row &row : Rows(function.kind)) {
      const double p = row.value[0], v = row.value[1], x = row.value[2];
      const double got = function.f(p, v);
      const std::string where = Arguments(function.probability, p, "v", v);
      double error = kInf, bound = 0.0;
      if (x > 0.0) {
        const double log_p = std::log(p);
        const double kappa = std::exp(log_p - std::log(x) - row.value[4]);
        bound = std::fmax(16, kappa * (16 + 2 * std::fabs(log_p)));
        error = std::fabs(got - x) / x / kUnit;
      }
      if (x >= DBL_MIN) {
        tally.See(VRegion(v), TailRegion(std::log(std::fmin(p, 1 - p))), error,
                  bound, where, got, row.text[2]);
        continue;
      }
      const bool nearest = got == x || (x <= DBL_TRUE_MIN && got == 0.0);
      tally.SeeBelowNormal(VRegion(v), where, got, x, row.text[2],
                           nearest || error <= bound);
    }
  }
}

// The values fixed by convention, as R and SciPy have them.
TEST(Distribution, ExactValuesAtTheEdges) {
  using F = double (*)(double, double);
  const F lower = chisq::LowerTail, upper = chisq::UpperTail,
          log_lower = chisq::LogLowerTail, log_upper = chisq::LogUpperTail,
          density = chisq::Density, log_density = chisq::LogDensity,
          quantile = chisq::Quantile, upper_quantile = chisq::UpperQuantile;
  const F tails_and_density[] = {lower,     upper,   log_lower,
                                 log_upper, density, log_density};
  const double nan = std::nan("");
  struct Case {
    const char *name;
    F f;
    double a, b, want;
  };
  std::vector<Case> cases;
  // NaN for a NaN argument, v <= 0, a probability outside [0, 1].
  const char *const names[] = {"LowerTail",    "UpperTail", "LogLowerTail",
                               "LogUpperTail", "Density",   "LogDensity"};
  const double undefined[][2] = {{nan, 3.0},  {1.0, nan},   {1.0, 0.0},
                                 {1.0, -1.0}, {1.0, -kInf}, {-1.0, 0.0},
                                 {0.0, -0.0}, {kInf, -1.0}};
  for (int i = 0; i < 6; ++i)
    for (const auto &xv : undefined)
      cases.push_back({names[i], tails_and_density[i], xv[0], xv[1], nan});
  for (double p :
       {nan, -0.1, -DBL_TRUE_MIN, std::nextafter(1.0, 2.0), 1.5, kInf, -kInf}) {
    cases.push_back({"Quantile", quantile, p, 3.0, nan});
    cases.push_back({"UpperQuantile", upper_quantile, p, 3.0, nan});
  }
  for (double v : {nan, 0.0, -1.0, -kInf}) {
    cases.push_back({"Quantile", quantile, 0.5, v, nan});
    cases.push_back({"UpperQuantile", upper_quantile, 0.5, v, nan});
  }
  for (double v : {1e-300, 1e-6, 1.0, 3.0, 1e9, 1e300}) {
    // x < 0, x = 0 and x = +inf.
    for (double x : {-1.0, -DBL_TRUE_MIN, -kInf, 0.0}) {
      cases.push_back({"LowerTail", lower, x, v, 0.0});
      cases.push_back({"UpperTail", upper, x, v, 1.0});
      cases.push_back({"LogLowerTail", log_lower, x, v, -kInf});
      cases.push_back({"LogUpperTail", log_upper, x, v, 0.0});
    }
    for (double x : {-1.0, -DBL_TRUE_MIN, -kInf, kInf}) {
      cases.push_back({"Density", density, x, v, 0.0});
      cases.push_back({"LogDensity", log_density, x, v, -kInf});
    }
    cases.push_back({"LowerTail", lower, kInf, v, 1.0});
    cases.push_back({"UpperTail", upper, kInf, v, 0.0});
    cases.push_back({"LogLowerTail", log_lower, kInf, v, 0.0});
    cases.push_back({"LogUpperTail", log_upper, kInf, v, -kInf});
    // The quantiles of 0 and 1.
    cases.push_back({"Quantile", quantile, 0.0, v, 0.0});
    cases.push_back({"Quantile", quantile, 1.0, v, kInf});
    cases.push_back({"UpperQuantile", upper_quantile, 0.0, v, kInf});
    cases.push_back({"UpperQuantile", upper_quantile, 1.0, v, 0.0});
  }
  // The density at 0: infinite below two degrees of freedom, 1/2 at two,
  // 0 above.
  for (double v : {1e-6, 1.0, std::nextafter(2.0, 0.0)}) {
    cases.push_back({"Density", density, 0.0, v, kInf});
    cases.push_back({"LogDensity", log_density, 0.0, v, kInf});
  }
  cases.push_back({"Density", density, 0.0, 2.0, 0.5});
  cases.push_back({"LogDensity", log_density, 0.0, 2.0, std::log(0.5)});
  for (double v : {std::nextafter(2.0, 3.0), 3.0, 1e9}) {
    cases.push_back({"Density", density, 0.0, v, 0.0});
    cases.push_back({"LogDensity", log_density, 0.0, v, -kInf});
  }
  // An infinite v: all of the distribution beyond every finite x.
  for (double x : {0.0, 1.0, 1e300}) {
    cases.push_back({"LowerTail", lower, x, kInf, 0.0});
    cases.push_back({"UpperTail", upper, x, kInf, 1.0});
    cases.push_back({"LogLowerTail", log_lower, x, kInf, -kInf});
    cases.push_back({"LogUpperTail", log_upper, x, kInf, 0.0});
    cases.push_back({"Density", density, x, kInf, 0.0});
    cases.push_back({"LogDensity", log_density, x, kInf, -kInf});
  }
  for (const Case &c : cases) {
    const double got = c.f(c.a, c.b);
    const bool same = std::isnan(c.want) ? std::isnan(got) : got == c.want;
    EXPECT_TRUE(same) << c.name << "(" << Tally::Text(c.a) << ", "
                      << Tally::Text(c.b) << ") = " << Tally::Text(got)
                      << ", not " << Tally::Text(c.want);
  }
}

// Far in the upper tail of one degree of freedom (mpmath's value).
TEST(Distribution, UpperQuantileOfFiveInOneHundredMillion) {
  const double truth = 29.716785489763062630;
  const double got = chisq::UpperQuantile(5e-8, 1.0);
  EXPECT_LE(std::fabs(got - truth), 16 * kUnit * truth)
      << "UpperQuantile(5e-08, 1) = " << Tally::Text(got) << ", true "
      << "29.716785489763062630";
}

} // namespace
