// SPDX-License-Identifier: MIT
// The routines against the same work done by Boost.Math, GSL and R's
// standalone Rmath, whichever were found when this was built. Every figure
// that matters is a ratio between two benchmarks of one run.
#include "chisq/chisq.h"
#include "front/levels.h"

#include <benchmark/benchmark.h>

#include <cfloat>
#include <cmath>
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
