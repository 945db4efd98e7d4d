// SPDX-License-Identifier: MIT
// A program of someone else's that uses the installed library.
#include <chisq/chisq.h>

#include <cstdio>

int main() {
  std::printf("%.4f\n", chisq::ChiSquareQuantile(0.95, 10));
  return 0;
}
