#!/usr/bin/env python3
"""Runs two builds of the program (say g++'s and clang++'s) over the same
sessions and fails unless every output is the same to the byte.

    python3 tests/same_bytes.py build/chisq build-clang/chisq
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def sessions():
    yield [], b""
    yield [], b"abq\n"
    corpus = os.path.join(HERE, "..", "fuzz", "corpus", "session")
    for name in sorted(os.listdir(corpus)):
        with open(os.path.join(corpus, name), "rb") as f:
            yield ["x"], f.read()
    # A grid over both tails, fractional and huge degrees of freedom.
    pairs = []
    for df in [1, 1.5, 2, 3, 5, 10, 17.5, 30, 100, 1000, 1e4, 1e5, 1e6, 1e7,
               2e7, 1e9, 4e16, 1e300]:
        for ratio in [0, 1e-9, 0.01, 0.2, 0.5, 0.9, 1, 1.1, 1.5, 2, 3, 10,
                      100, 1e10, 1e300]:
            pairs.append("%r %r" % (df, df * ratio))
    yield ["x"], ("\n".join(pairs) + "\n0 0\n").encode()


def main():
    first, second = sys.argv[1:3]
    failures = 0
    count = 0
    for args, stdin in sessions():
        outputs = [subprocess.run([program] + args, input=stdin,
                                  capture_output=True, timeout=60).stdout
                   for program in (first, second)]
        count += 1
        if outputs[0] != outputs[1]:
            failures += 1
            print("differ: args %r, input %r" % (args, stdin[:60]))
    print("%d passed, %d failed" % (count - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
