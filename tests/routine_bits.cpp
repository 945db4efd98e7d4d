// SPDX-License-Identifier: MIT
// Prints the bits of every routine's result over a fixed grid of arguments,
// so that builds for different processors and systems can be compared byte
// for byte. The arguments come from decimal text, which every platform
// converts exactly alike.
#include "chisq/chisq.h"

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void Put(const char *name, double a, double b, double result) {
  std::printf("%s %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", name,
              Bits(a), Bits(b), Bits(result));
}

} // namespace

int main() {
  // Seven values a decade from 1e-20 to 1e20, then a fine grid up to 148.
  const char *mantissas[] = {"1", "1.7", "2.5", "3.3", "5", "7.1", "9.9"};
  double values[400];
  int n = 0;
  for (int e = -20; e <= 20; ++e)
    for (const char *m : mantissas) {
      char text[32];
      std::snprintf(text, sizeof text, "%se%d", m, e);
      values[n++] = std::strtod(text, nullptr);
    }
  for (int i = 0; n < 400; ++i)
    values[n++] = 0.37 * i + 0.01;

  for (int i = 0; i < n; ++i) {
    Put("LogGamma", values[i], 0.0, chisq::LogGamma(values[i]));
    const double p = values[i] * 1e-3;
    Put("NormalQuantile", p, 0.0, chisq::NormalQuantile(p));
  }
  for (int i = 0; i < n; i += 3)
    for (int j = 0; j < n; j += 5) {
      const double x = values[i], p = values[j];
      Put("IncompleteGamma", x, p,
          chisq::IncompleteGamma(x, p, chisq::LogGamma(p)));
      Put("ChiSquareUpperTail", x, p, chisq::ChiSquareUpperTail(x, p));
    }
  const double levels[] = {0.000002, 0.0001, 0.005, 0.025, 0.1,   0.3,     0.5,
                           0.7,      0.9,    0.95,  0.99,  0.999, 0.999998};
  for (double p : levels)
    for (int j = 0; j < n; j += 2)
      Put("ChiSquareQuantile", p, values[j],
          chisq::ChiSquareQuantile(p, values[j]));

  // The distribution: x over every value and the conventions' edges, v over
  // every ninth value, the shapes where the methods change and +inf.
  double xs[404], vs[60];
  int nx = 0, nv = 0;
  for (int i = 0; i < n; ++i)
    xs[nx++] = values[i];
  for (double x : {-1.0, 0.0, HUGE_VAL})
    xs[nx++] = x;
  for (int j = 0; j < n; j += 9)
    vs[nv++] = values[j];
  for (double v : {1.0, 2.0, 20.0, 40.0, HUGE_VAL})
    vs[nv++] = v;
  for (int j = 0; j < nv; ++j)
    for (int i = 0; i < nx; ++i) {
      const double x = xs[i], v = vs[j];
      Put("LowerTail", x, v, chisq::LowerTail(x, v));
      Put("UpperTail", x, v, chisq::UpperTail(x, v));
      Put("LogLowerTail", x, v, chisq::LogLowerTail(x, v));
      Put("LogUpperTail", x, v, chisq::LogUpperTail(x, v));
      Put("Density", x, v, chisq::Density(x, v));
      Put("LogDensity", x, v, chisq::LogDensity(x, v));
    }
  // The quantiles at the levels above, deep into either tail, and the ends.
  const char *deep[] = {"1e-5",    "1e-10",        "1e-20", "1e-100", "1e-300",
                        "0.99999", "0.9999999999", "0",     "1"};
  double probabilities[std::size(levels) + std::size(deep)];
  int np = 0;
  for (double p : levels)
    probabilities[np++] = p;
  for (const char *text : deep)
    probabilities[np++] = std::strtod(text, nullptr);
  for (int j = 0; j < nv; ++j)
    for (int k = 0; k < np; ++k) {
      const double p = probabilities[k], v = vs[j];
      Put("Quantile", p, v, chisq::Quantile(p, v));
      Put("UpperQuantile", p, v, chisq::UpperQuantile(p, v));
    }
  return 0;
}
