// SPDX-License-Identifier: MIT
// The library's five routines over arbitrary doubles, as a program that links
// libchisq calls them. The input is read as 8-byte doubles, two for each call:
// a leading 'D' byte maps them into the quantile's domain (p anywhere in it,
// near either end included, v from 1e-10 to 1e10 log-uniformly), any other
// takes their bits as they are. Traps on a call that does not return (the run's
// -timeout), a ratio or tail outside [0, 1] for valid arguments, a NaN
// ln Gamma for x > 0, and a quantile inside its domain that is not a number
// of at least zero or that writes the diagnostic.
#include "chisq/chisq.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void Require(bool holds) {
  if (!holds)
    __builtin_trap();
}

double Bits(const std::uint8_t *data) {
  double value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

// A fraction in [0, 1) from a double's bits.
double Fraction(double bits) {
  std::uint64_t word;
  std::memcpy(&word, &bits, sizeof word);
  return static_cast<double>(word >> 11) * 0x1p-53;
}

// A pair in the quantile's domain: p uniform, or 10^-k or 1 - 10^-k out to
// the bounds; v = 10^e with e uniform in [-10, 10].
void InDomain(double a, double b, double *p, double *v) {
  const double u = Fraction(a);
  const double tail = std::pow(10.0, -5.7 * Fraction(b * 3.0 + a));
  if (u < 1.0 / 3.0)
    *p = 0.000002 + 0.999996 * (3.0 * u);
  else if (u < 2.0 / 3.0)
    *p = std::fmax(0.000002, tail);
  else
    *p = std::fmin(0.999998, 1.0 - tail);
  *v = std::pow(10.0, -10.0 + 20.0 * Fraction(b));
}

// Bytes written to standard output so far: where the diagnostic would go.
off_t Written() { return lseek(STDOUT_FILENO, 0, SEEK_CUR); }

void Check(double a, double b) {
  const double g = chisq::LogGamma(a);
  Require(!(a > 0.0) || !std::isnan(g));
  const double z = chisq::NormalQuantile(a);
  Require(z == -9999.0 || std::isfinite(z));

  // (x, p) = (a, b), and the same with an arbitrary g: it must return.
  const double r = chisq::IncompleteGamma(a, b, chisq::LogGamma(b));
  if (a == 0.0)
    Require(r == 0.0);
  else if (a > 0.0 && b > 0.0)
    Require(r >= 0.0 && r <= 1.0);
  else
    Require(r == -1.0);
  chisq::IncompleteGamma(a, b, a);

  const double tail = chisq::ChiSquareUpperTail(a, b);
  if (a >= 0.0 && b > 0.0)
    Require(tail >= 0.0 && tail <= 1.0);
  else
    Require(tail == -1.0);

  const off_t before = Written();
  const double q = chisq::ChiSquareQuantile(a, b);
  std::fflush(stdout);
  if (a >= 0.000002 && a <= 0.999998 && b > 0.0 && std::isfinite(b))
    Require(q >= 0.0 && Written() == before);
  else
    Require(q == -1.0 || q >= 0.0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // Standard output into a file whose offset counts what was written.
  std::FILE *file = std::tmpfile();
  Require(file != nullptr && dup2(fileno(file), STDOUT_FILENO) >= 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const bool domain = size > 0 && data[0] == 'D';
  for (std::size_t at = domain ? 1 : 0; at + 16 <= size; at += 16) {
    double a = Bits(data + at);
    double b = Bits(data + at + 8);
    if (domain)
      InDomain(a, b, &a, &b);
    Check(a, b);
  }
  return 0;
}
