// SPDX-License-Identifier: MIT
// Loads the plugin named on the command line and calls it.
#include <cstdio>
#include <dlfcn.h>

int main(int argc, char **argv) {
  if (argc != 2)
    return 2;
  void *plugin = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (plugin == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
  using Quantile = double (*)(double, double);
  const auto quantile =
      reinterpret_cast<Quantile>(dlsym(plugin, "PluginQuantile"));
  if (quantile == nullptr)
    return 1;
  std::printf("%.4f\n", quantile(0.95, 10));
  return dlclose(plugin);
}
