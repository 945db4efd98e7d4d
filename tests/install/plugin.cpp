// SPDX-License-Identifier: MIT
// A plugin (a Python extension, say) with the static library linked in.
#include <chisq/chisq.h>

extern "C" __attribute__((visibility("default"))) double
PluginQuantile(double p, double v) {
  return chisq::ChiSquareQuantile(p, v);
}
