#!/usr/bin/env python3
"""Whole-process timings of the program against minimal programs that do
the same input and output, run side by side, alternating, in one run, and
their instruction counts under callgrind (when valgrind is installed), which
do not depend on what else the machine is doing.

    python3 bench/process_bench.py build-bench/chisq

For the table there is a third program, the floor: it calls the quantile
routine for the 1,600 cells as the table does, then writes the table's bytes
from memory. What the table takes beyond it is its formatting and output.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def compile_c(source, out):
    subprocess.run(["cc", "-O2", "-o", out, os.path.join(HERE, source)],
                   check=True)


def timed(argv, stdin_path, pipe):
    """Wall time of argv reading stdin_path, through cat where pipe."""
    start = time.perf_counter()
    if not pipe:
        with open(stdin_path, "rb") as stdin:
            subprocess.run(argv, stdin=stdin, stdout=subprocess.DEVNULL,
                           check=True)
        return time.perf_counter() - start
    feeder = subprocess.Popen(["cat", stdin_path], stdout=subprocess.PIPE)
    subprocess.run(argv, stdin=feeder.stdout, stdout=subprocess.DEVNULL,
                   check=True)
    feeder.stdout.close()
    feeder.wait()
    return time.perf_counter() - start


def peak_kib(peak, argv, stdin_path):
    with open(stdin_path, "rb") as stdin:
        done = subprocess.run([peak] + argv, stdin=stdin,
                              stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, check=True)
    return int(done.stderr.split()[-1])


def instructions(argv, stdin_path):
    """Instructions the whole process executes, loader included, or None
    without valgrind."""
    if shutil.which("valgrind") is None:
        return None
    with open(stdin_path, "rb") as stdin:
        done = subprocess.run(["valgrind", "--tool=callgrind",
                               "--callgrind-out-file=/dev/null"] + argv,
                              stdin=stdin, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, check=True)
    for line in done.stderr.decode().splitlines():
        if "Collected :" in line:
            return int(line.split()[-1])
    return None


def compare(name, programs, stdin_path, rounds, peak, pipe=False,
            counted=None):
    """Times the programs alternately; the first is the one measured, the
    last the reference its ratio is taken to. Instructions are counted over
    counted (another input) where given."""
    times = [[] for _ in programs]
    for _ in range(rounds):
        for argv, samples in zip(programs, times):
            samples.append(timed(argv, stdin_path, pipe))
    medians = [statistics.median(samples) for samples in times]
    print(name)
    for argv, median in zip(programs, medians):
        count = instructions(argv, counted or stdin_path)
        print("  %-22s %8.3f ms  ratio %.2f  peak %5d KiB  %s"
              % (os.path.basename(argv[0]), median * 1e3,
                 median / medians[-1], peak_kib(peak, argv, stdin_path),
                 "%.2f M instructions" % (count / 1e6) if count else ""))


def main():
    program = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as tmp:
        peak = os.path.join(tmp, "peak")
        compile_c("peak.c", peak)
        # The minimal writer: the table's own bytes as one string.
        empty = os.path.join(tmp, "empty")
        open(empty, "wb").close()
        table = subprocess.run([program], stdin=open(empty, "rb"),
                               capture_output=True, check=True).stdout
        writer_c = os.path.join(tmp, "writer.c")
        with open(writer_c, "w") as f:
            f.write("#include <stdio.h>\nstatic const char t[] = {%s};\n"
                    "int main(void) { fwrite(t, 1, sizeof t, stdout);"
                    " return 0; }\n" % ",".join(str(b) for b in table))
        writer = os.path.join(tmp, "writer")
        subprocess.run(["cc", "-O2", "-o", writer, writer_c], check=True)
        # The floor: the cells computed, the bytes written from memory.
        floor_cpp = os.path.join(tmp, "floor.cpp")
        with open(floor_cpp, "w") as f:
            f.write("#include <cstdio>\n#include \"chisq/chisq.h\"\n"
                    "#include \"front/levels.h\"\n"
                    "static const char t[] = {%s};\n"
                    "int main() {\n"
                    "  volatile double sink = 0.0;\n"
                    "  for (int r = 1; r <= 200; ++r)\n"
                    "    for (double p : kTableLevels)\n"
                    "      sink = sink + chisq::ChiSquareQuantile(p, r);\n"
                    "  fwrite(t, 1, sizeof t, stdout);\n}\n"
                    % ",".join(str(b) for b in table))
        floor = os.path.join(tmp, "floor")
        build = os.path.dirname(program)
        subprocess.run(["c++", "-O2", "-ffp-contract=off",
                        "-I", os.path.join(HERE, ".."), "-o", floor,
                        floor_cpp, os.path.join(build, "libchisq.a"), "-lm"],
                       check=True)
        loop = os.path.join(tmp, "loop")
        compile_c("minimal_calculator.c", loop)
        pairs, few_pairs = (os.path.join(tmp, name)
                            for name in ("pairs", "few_pairs"))
        for path, count in ((pairs, 100000), (few_pairs, 10000)):
            with open(path, "w") as f:
                for i in range(count):
                    f.write("%d %r\n" % (1 + i % 200, 0.01 * (i % 40000)))
                f.write("0 0\n")

        compare("table, %d bytes, input ended" % len(table),
                [[program], [floor], [writer]], empty, 300, peak)
        compare("calculator, 100,000 pairs through a pipe (instructions"
                " over 10,000)", [[program, "x"], [loop]], pairs, 15, peak,
                pipe=True, counted=few_pairs)


if __name__ == "__main__":
    main()
