// SPDX-License-Identifier: MIT
/* Runs a command and prints its peak resident memory in KiB on standard
   error. A launcher this small adds next to nothing of its own, unlike a
   fork of the benchmark script, whose memory exec would count too. */
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv) {
  if (argc < 2)
    return 2;
  pid_t child = fork();
  if (child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) < 0)
    return 2;
  fprintf(stderr, "%ld\n", usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
