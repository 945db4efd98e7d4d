// SPDX-License-Identifier: MIT
// The routines against the same work done by Boost.Math, GSL and R's
// standalone Rmath, whichever were found when this was built. Every figure
// that matters is a ratio between two benchmarks of one run.
#include "chisq/chisq.h"
#include "front/levels.h"

#include <benchmark/benchmark.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#ifdef HAVE_BOOST_MATH
#include <boost/math/distributions/chi_squared.hpp>
#endif
#ifdef HAVE_GSL
#include <gsl/gsl_cdf.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_randist.h>
#endif
#ifdef HAVE_RMATH
#define MATHLIB_STANDALONE
#include <Rmath.h>
#endif

namespace {

// The table's 1,600 cells, one iteration computing all of them.
template <typename Quantile>
void TableCells(benchmark::State &state, Quantile q) {
  for (auto _ : state) {
    double sum = 0.0;
    for (int df = 1; df <= 200; ++df)
      for (double p : kTableLevels)
        sum += q(p, static_cast<double>(df));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 1600);
}

// A grid of upper tails: df from 1 to 1000, chi2 across both tails.
std::vector<double> Grid() {
  std::vector<double> pairs;
  for (double df : {1.0, 2.0, 3.0, 5.0, 10.0, 20.0, 50.0, 100.0, 300.0, 1000.0})
    for (double ratio : {0.01, 0.1, 0.3, 0.6, 0.9, 1.0, 1.1, 1.5, 2.0, 4.0})
      pairs.insert(pairs.end(), {df, df * ratio});
  return pairs;
}

template <typename Tail> void UpperTails(benchmark::State &state, Tail tail) {
  const std::vector<double> pairs = Grid();
  for (auto _ : state) {
    double sum = 0.0;
    for (std::size_t i = 0; i < pairs.size(); i += 2)
      sum += tail(pairs[i], pairs[i + 1]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() *
                          static_cast<long>(pairs.size() / 2));
}

double OurQuantile(double p, double df) {
  return chisq::ChiSquareQuantile(p, df);
}
double OurUpperTail(double df, double chi2) {
  return chisq::ChiSquareUpperTail(chi2, df);
}

void BM_TableCells_chisq(benchmark::State &s) { TableCells(s, OurQuantile); }
void BM_UpperTail_chisq(benchmark::State &s) { UpperTails(s, OurUpperTail); }
BENCHMARK(BM_TableCells_chisq);
BENCHMARK(BM_UpperTail_chisq);

#ifdef HAVE_BOOST_MATH
void BM_TableCells_boost(benchmark::State &s) {
  TableCells(s, [](double p, double df) {
    return boost::math::quantile(boost::math::chi_squared(df), p);
  });
}
void BM_UpperTail_boost(benchmark::State &s) {
  UpperTails(s, [](double df, double chi2) {
    return boost::math::cdf(
        boost::math::complement(boost::math::chi_squared(df), chi2));
  });
}
BENCHMARK(BM_TableCells_boost);
BENCHMARK(BM_UpperTail_boost);
#endif

#ifdef HAVE_GSL
void BM_TableCells_gsl(benchmark::State &s) {
  TableCells(s, [](double p, double df) { return gsl_cdf_chisq_Pinv(p, df); });
}
void BM_UpperTail_gsl(benchmark::State &s) {
  UpperTails(s,
             [](double df, double chi2) { return gsl_cdf_chisq_Q(chi2, df); });
}
BENCHMARK(BM_TableCells_gsl);
BENCHMARK(BM_UpperTail_gsl);
#endif

#ifdef HAVE_RMATH
void BM_TableCells_rmath(benchmark::State &s) {
  TableCells(s, [](double p, double df) { return qchisq(p, df, 1, 0); });
}
void BM_UpperTail_rmath(benchmark::State &s) {
  UpperTails(s, [](double df, double chi2) { return pchisq(chi2, df, 0, 0); });
}
BENCHMARK(BM_TableCells_rmath);
BENCHMARK(BM_UpperTail_rmath);
#endif

// The distribution's functions, each against the peers as shipped (Boost.Math
// with its default policy) on the same arguments, which are computed once.
struct Pair {
  double first, second;
};

// Calls f on every pair of a list, the whole list in one iteration.
template <typename F>
void OverPairs(benchmark::State &state, const std::vector<Pair> &pairs, F f) {
  for (auto _ : state) {
    double sum = 0.0;
    for (const Pair &pair : pairs)
      sum += f(pair.first, pair.second);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(pairs.size()));
}

// Fractions in [0, 1) from a fixed sequence (splitmix64), the same on every
// machine.
class Fractions {
public:
  double Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1p-53;
  }

private:
  std::uint64_t state_ = 20261211;
};

// The chi-square value whose upper tail is q, from a peer where there is
// one: the arguments must not depend on the library being timed.
double ReferenceUpperQuantile(double q, double v) {
#if defined(HAVE_BOOST_MATH)
  return static_cast<double>(boost::math::quantile(boost::math::complement(
      boost::math::chi_squared_distribution<long double>(v),
      static_cast<long double>(q))));
#elif defined(HAVE_RMATH)
  return qchisq(q, v, 0, 0);
#else
  return chisq::UpperQuantile(q, v);
#endif
}

// A user's mix, as (x, v): p-values from 1 down to 1e-12, log-uniformly;
// degrees of freedom mostly whole numbers from 1 to 200, one pair in five
// from 200 to 1e5, log-uniformly; x the chi-square value of that p-value.
const std::vector<Pair> &UserPairs() {
  static const std::vector<Pair> pairs = [] {
    std::vector<Pair> made;
    Fractions fractions;
    for (int i = 0; i < 1000; ++i) {
      const double spread = fractions.Next(), pick = fractions.Next();
      const double v = i % 5 == 4 ? std::round(200.0 * std::pow(500.0, pick))
                                  : std::floor(1.0 + 200.0 * pick);
      const double q = std::pow(10.0, -12.0 * spread);
      made.push_back({ReferenceUpperQuantile(q, v), v});
    }
    return made;
  }();
  return pairs;
}

// The table's 1,600 cells as (significance level, df): each column's upper
// tail, 1 - p.
const std::vector<Pair> &TableUpperCells() {
  static const std::vector<Pair> cells = [] {
    std::vector<Pair> made;
    for (int df = 1; df <= 200; ++df)
      for (double p : kTableLevels)
        made.push_back({1.0 - p, static_cast<double>(df)});
    return made;
  }();
  return cells;
}

// Upper tails of 1e-3 to 1e-12, one a decade, for df 1 to 200.
const std::vector<Pair> &DeepUpperCells() {
  static const std::vector<Pair> cells = [] {
    std::vector<Pair> made;
    for (int df = 1; df <= 200; ++df)
      for (int k = 3; k <= 12; ++k)
        made.push_back({std::pow(10.0, -k), static_cast<double>(df)});
    return made;
  }();
  return cells;
}

void BM_UserTails_chisq(benchmark::State &s) {
  OverPairs(s, UserPairs(), chisq::UpperTail);
}
void BM_Densities_chisq(benchmark::State &s) {
  OverPairs(s, UserPairs(), chisq::Density);
}
void BM_LogUpperTails_chisq(benchmark::State &s) {
  OverPairs(s, UserPairs(), chisq::LogUpperTail);
}
void BM_TableQuantiles_chisq(benchmark::State &s) {
  OverPairs(s, TableUpperCells(), chisq::UpperQuantile);
}
void BM_UpperQuantiles_chisq(benchmark::State &s) {
  OverPairs(s, DeepUpperCells(), chisq::UpperQuantile);
}
BENCHMARK(BM_UserTails_chisq);
BENCHMARK(BM_Densities_chisq);
BENCHMARK(BM_LogUpperTails_chisq);
BENCHMARK(BM_TableQuantiles_chisq);
BENCHMARK(BM_UpperQuantiles_chisq);

#ifdef HAVE_BOOST_MATH
double BoostUpperTail(double x, double v) {
  return boost::math::cdf(
      boost::math::complement(boost::math::chi_squared(v), x));
}
double BoostUpperQuantile(double q, double v) {
  return boost::math::quantile(
      boost::math::complement(boost::math::chi_squared(v), q));
}
void BM_UserTails_boost(benchmark::State &s) {
  OverPairs(s, UserPairs(), BoostUpperTail);
}
void BM_Densities_boost(benchmark::State &s) {
  OverPairs(s, UserPairs(), [](double x, double v) {
    return boost::math::pdf(boost::math::chi_squared(v), x);
  });
}
// Boost.Math has no log tail: a user takes the log of the tail.
void BM_LogUpperTails_boost(benchmark::State &s) {
  OverPairs(s, UserPairs(),
            [](double x, double v) { return std::log(BoostUpperTail(x, v)); });
}
void BM_TableQuantiles_boost(benchmark::State &s) {
  OverPairs(s, TableUpperCells(), BoostUpperQuantile);
}
void BM_UpperQuantiles_boost(benchmark::State &s) {
  OverPairs(s, DeepUpperCells(), BoostUpperQuantile);
}
BENCHMARK(BM_UserTails_boost);
BENCHMARK(BM_Densities_boost);
BENCHMARK(BM_LogUpperTails_boost);
BENCHMARK(BM_TableQuantiles_boost);
BENCHMARK(BM_UpperQuantiles_boost);
#endif

// GSL has no log tail.
#ifdef HAVE_GSL
void BM_UserTails_gsl(benchmark::State &s) {
  OverPairs(s, UserPairs(), gsl_cdf_chisq_Q);
}
void BM_Densities_gsl(benchmark::State &s) {
  OverPairs(s, UserPairs(), gsl_ran_chisq_pdf);
}
void BM_TableQuantiles_gsl(benchmark::State &s) {
  OverPairs(s, TableUpperCells(), gsl_cdf_chisq_Qinv);
}
void BM_UpperQuantiles_gsl(benchmark::State &s) {
  OverPairs(s, DeepUpperCells(), gsl_cdf_chisq_Qinv);
}
BENCHMARK(BM_UserTails_gsl);
BENCHMARK(BM_Densities_gsl);
BENCHMARK(BM_TableQuantiles_gsl);
BENCHMARK(BM_UpperQuantiles_gsl);
#endif

#ifdef HAVE_RMATH
void BM_UserTails_rmath(benchmark::State &s) {
  OverPairs(s, UserPairs(),
            [](double x, double v) { return pchisq(x, v, 0, 0); });
}
void BM_Densities_rmath(benchmark::State &s) {
  OverPairs(s, UserPairs(), [](double x, double v) { return dchisq(x, v, 0); });
}
void BM_LogUpperTails_rmath(benchmark::State &s) {
  OverPairs(s, UserPairs(),
            [](double x, double v) { return pchisq(x, v, 0, 1); });
}
void BM_TableQuantiles_rmath(benchmark::State &s) {
  OverPairs(s, TableUpperCells(),
            [](double q, double v) { return qchisq(q, v, 0, 0); });
}
void BM_UpperQuantiles_rmath(benchmark::State &s) {
  OverPairs(s, DeepUpperCells(),
            [](double q, double v) { return qchisq(q, v, 0, 0); });
}
BENCHMARK(BM_UserTails_rmath);
BENCHMARK(BM_Densities_rmath);
BENCHMARK(BM_LogUpperTails_rmath);
BENCHMARK(BM_TableQuantiles_rmath);
BENCHMARK(BM_UpperQuantiles_rmath);
#endif

std::string Label(double a, double b) {
  char text[64];
  std::snprintf(text, sizeof text, "%g %g", a, b);
  return text;
}

// The worst cases: the huge calculator inputs and the awkward quantile
// arguments, each timed alone so that the slowest stands out.
const double kHugePairs[][2] = {
    {10.0, HUGE_VAL}, {HUGE_VAL, 5.0},      {10.0, 1e120},  {10.0, 1e300},
    {10.0, DBL_MAX},  {4e16, 3.9999999e16}, {1e300, 1e300}, {DBL_MAX, DBL_MAX},
    {1e7, 1e7},       {2e7, 2e7},           {1e6, 1.001e6}, {1e300, 1.0},
};

// Case number state.range(0) of cases, labelled with its arguments.
template <std::size_t N>
void TimeOneCase(benchmark::State &state, const double (&cases)[N][2],
                 double (*routine)(double, double)) {
  const double *args = cases[state.range(0)];
  for (auto _ : state)
    benchmark::DoNotOptimize(routine(args[0], args[1]));
  state.SetLabel(Label(args[0], args[1]));
}

void BM_WorstUpperTail(benchmark::State &s) {
  TimeOneCase(s, kHugePairs, OurUpperTail);
}
BENCHMARK(BM_WorstUpperTail)->DenseRange(0, std::size(kHugePairs) - 1);

const double kAwkward[][2] = {
    {std::nan(""), 5.0},
    {0.5, std::nan("")},
    {0.5, HUGE_VAL},
    {0.5, 1e-300},
    {0.999998, 1e-17},
    {0.1, 1e50},
    {0.5, 1e300},
    {0.999998, DBL_MAX},
    {0.000002, 1e300},
    {0.999998, 1e-10},
    {0.999998, 1e7},
    {0.000002, 1e7},
    {0.999998, 0.32},
    {0.000002, 0.32},
    {0.5, 1e7},
    // p near 1 with a tiny v, where the refinement alternates and the
    // bisection settles.
    {0.99998138579633955, 7.1763992309574636e-05},
    {0.99999771696103745, 2.0624781484292781e-06},
};
void BM_WorstQuantile(benchmark::State &s) {
  TimeOneCase(s, kAwkward, OurQuantile);
}
BENCHMARK(BM_WorstQuantile)->DenseRange(0, std::size(kAwkward) - 1);

} // namespace

int main(int argc, char **argv) {
#ifdef HAVE_GSL
  gsl_set_error_handler_off();
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
