#!/usr/bin/env python3
"""Runs the programs of two builds (g++'s and clang++'s, or a native and a
cross build) over the same sessions, and fails unless every output is the
same to the byte. The second build may run under an emulator.

    python3 tests/same_bytes.py build build-clang
    python3 tests/same_bytes.py build build-s390x qemu-s390x -L /usr/s390x-linux-gnu

It also compares the bits of every routine's results over a grid. These are
the same wherever the C library's exp, log, pow and sqrt are the same; with
--other-libm (32-bit x86's glibc, whose x87 code differs in the last bit, or
mingw-w64's) the differences are counted and each must be within the
quantile's own convergence tolerance.
"""
import os
import struct
import subprocess
import sys

OTHER_LIBM_TOLERANCE = 5e-07

HERE = os.path.dirname(os.path.abspath(__file__))


def sessions():
    yield [], b""
    yield [], b"abq\n"
    corpus = os.path.join(HERE, "..", "fuzz", "corpus", "session")
    for name in sorted(os.listdir(corpus)):
        with open(os.path.join(corpus, name), "rb") as f:
            session = f.read()
        # As the fuzz target reads it: a NUL first is the table's input.
        if session.startswith(b"\0"):
            yield [], session[1:]
        else:
            yield ["x"], session
    # A grid over both tails, fractional and huge degrees of freedom.
    pairs = []
    for df in [1, 1.5, 2, 3, 5, 10, 17.5, 30, 100, 1000, 1e4, 1e5, 1e6, 1e7,
               2e7, 1e9, 4e16, 1e300]:
        for ratio in [0, 1e-9, 0.01, 0.2, 0.5, 0.9, 1, 1.1, 1.5, 2, 3, 10,
                      100, 1e10, 1e300]:
            pairs.append("%r %r" % (df, df * ratio))
    yield ["x"], ("\n".join(pairs) + "\n0 0\n").encode()
    # Far tails, where a probability is formed from a lower tail near 1.
    pairs = ["%d %d" % (df, chi2) for df in range(1, 121, 7)
             for chi2 in range(0, 181, 3)]
    yield ["x"], ("\n".join(pairs) + "\n0 0\n").encode()


def executable(build, name):
    for candidate in (name, name + ".exe"):
        path = os.path.join(build, candidate)
        if os.path.exists(path):
            return os.path.abspath(path)
    sys.exit("no %s in %s" % (name, build))


def compare_bits(reference, other, other_libm):
    """Returns whether the routine bits agree, saying where they do not."""
    if reference == other:
        return True
    reference, other = reference.splitlines(), other.splitlines()
    if len(reference) != len(other):
        print("routine bits: %d lines, not %d" % (len(other), len(reference)))
        return False
    worst = {}
    for a, b in zip(reference, other):
        if a == b:
            continue
        name, *args, ours = a.decode().split()
        theirs = b.decode().split()[-1]
        if not other_libm or args != b.decode().split()[1:-1]:
            print("routine bits differ:\n  %s\n  %s" % (a.decode(), b.decode()))
            return False
        x, y = (struct.unpack(">d", bytes.fromhex(v))[0] for v in (ours, theirs))
        relative = abs(x - y) / max(abs(x), abs(y)) if x != y else 0.0
        count, largest = worst.get(name, (0, 0.0))
        worst[name] = (count + 1, max(largest, relative))
    for name, (count, largest) in sorted(worst.items()):
        print("%s: %d results differ, by at most %.2g relative"
              % (name, count, largest))
    return all(largest <= OTHER_LIBM_TOLERANCE for _, largest in worst.values())


def run(command, stdin=b""):
    return subprocess.run(command, input=stdin, capture_output=True,
                          timeout=300)


def describe(done):
    return "status %d, %d bytes out, error output %r" % (
        done.returncode, len(done.stdout), done.stderr[:200])


def main():
    arguments = sys.argv[1:]
    other_libm = "--other-libm" in arguments
    if other_libm:
        arguments.remove("--other-libm")
    reference, other, emulator = arguments[0], arguments[1], arguments[2:]
    ours = [executable(reference, "chisq")]
    theirs = emulator + [executable(other, "chisq")]

    count = failures = 0
    for args, stdin in sessions():
        count += 1
        expected, done = run(ours + args, stdin), run(theirs + args, stdin)
        if emulator and done.stdout != expected.stdout:
            # Once in a few thousand starts wine has lost a program's output;
            # the program itself is the same on every run, so a second run
            # tells the emulator's fault from the program's.
            print("differed once, ran again: args %r, input %r: %s"
                  % (args, stdin[:60], describe(done)))
            done = run(theirs + args, stdin)
        if done.stdout != expected.stdout:
            failures += 1
            print("differ: args %r, input %r\n  %s\n  %s"
                  % (args, stdin[:60], describe(expected), describe(done)))

    # Lines, whatever their ends: text mode on Windows adds CRs.
    bits = [run(command).stdout.replace(b"\r\n", b"\n") for command in (
        [executable(reference, "tests/routine_bits")],
        emulator + [executable(other, "tests/routine_bits")])]
    count += 1
    failures += not compare_bits(*bits, other_libm)

    print("%d passed, %d failed" % (count - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
