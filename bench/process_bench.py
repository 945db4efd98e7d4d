#!/usr/bin/env python3
"""Whole-process timings of the program against minimal programs that do
the same input and output, run side by side, alternating, in one run.

    python3 bench/process_bench.py build-bench/chisq
"""
import os
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


def compare(name, ours, theirs, stdin_path, rounds, peak, pipe=False):
    times = {"ours": [], "theirs": []}
    for _ in range(rounds):
        times["ours"].append(timed(ours, stdin_path, pipe))
        times["theirs"].append(timed(theirs, stdin_path, pipe))
    a = statistics.median(times["ours"])
    b = statistics.median(times["theirs"])
    print("%-44s %9.3f ms %9.3f ms  ratio %.2f  peak %d / %d KiB"
          % (name, a * 1e3, b * 1e3, a / b,
             peak_kib(peak, ours, stdin_path),
             peak_kib(peak, theirs, stdin_path)))


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
        loop = os.path.join(tmp, "loop")
        compile_c("minimal_calculator.c", loop)
        pairs = os.path.join(tmp, "pairs")
        with open(pairs, "w") as f:
            for i in range(100000):
                f.write("%d %r\n" % (1 + i % 200, 0.01 * (i % 40000)))
            f.write("0 0\n")

        print("%-44s %12s %12s" % ("", "chisq", "minimal"))
        compare("table, %d bytes, input ended" % len(table), [program],
                [writer], empty, 200, peak)
        compare("calculator, 100,000 pairs through a pipe",
                [program, "x"], [loop], pairs, 15, peak, pipe=True)


if __name__ == "__main__":
    main()
