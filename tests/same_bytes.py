#!/usr/bin/env python3
"""Runs the programs of two builds (g++'s and clang++'s, or a native and a
cross build) over the same sessions, and fails unless every output is the
same to the byte. The second build may run under an emulator.

    python3 tests/same_bytes.py build build-clang
    python3 tests/same_bytes.py build build-s390x qemu-s390x -L /usr/s390x-linux-gnu

The sessions are this test's own, in tests/sessions/ (table/ holds the
table's inputs, calculator/ the calculator's), and two grids made here.

It also compares the bits of every routine's results over a grid. The
published routines' are the same wherever the C library's exp, log, pow and
sqrt are the same; with --other-libm (the glibc of 32-bit x86, whose x87
code differs in the last bit, and of 32-bit ARM, or mingw-w64's) the
differences are counted and each must be within its routine's tolerance
below. The distribution's functions are held to their tolerance on every
platform, as erfc, expm1 and log1p differ in the last bit between
processors.
"""
import math
import os
import struct
import subprocess
import sys

# Differences allowed where the C library's exp, log or pow are another's, as
# (relative, absolute): a last-bit difference in them moves ln Gamma, the
# normal quantile and the ratio by a few units in their last place, and the
# tail, 1 - P, by as many units of 1; the quantile stops on a relative change
# of 5e-07, and a different last bit can take it one pass more or less.
OTHER_LIBM_TOLERANCE = {
    "LogGamma": (1e-15, 0.0),
    "NormalQuantile": (1e-15, 0.0),
    "IncompleteGamma": (1e-15, 0.0),
    "ChiSquareUpperTail": (0.0, 1e-15),
    "ChiSquareQuantile": (5e-07, 0.0),
}

# The distribution's functions take the C library's exp, log and erfc too:
# where another's differ by a unit in the last place, a tail, a density or
# the log of either may differ by a few, 4 units of 2^-52 (8.9e-16)
# relative, and as many units of the smallest normal double below it, where
# a value keeps fewer digits; the log density's and the log tails' absolute
# where |ln| < 1, as the log density's accuracy bound is there. Each grows
# as the functions' bounds do (distribution_allowed), and a quantile's is its
# tail's times the condition number kappa = p / (x f(x)), large for small v
# (near 2 / v): a tolerance of 1e-14 would be far too tight there.
UNIT = 2.0 ** -52
SMALLEST_NORMAL = 2.2250738585072014e-308
DISTRIBUTION_TOLERANCE = {
    "LowerTail": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
    "UpperTail": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
    "Density": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
    "LogLowerTail": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
    "LogUpperTail": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
    "LogDensity": (4 * UNIT, 4 * UNIT),
    "Quantile": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
    "UpperQuantile": (4 * UNIT, 4 * UNIT * SMALLEST_NORMAL),
}
OTHER_LIBM_TOLERANCE.update(DISTRIBUTION_TOLERANCE)


def log_x_density(x, v):
    """ln(x f(x)) = a ln z - z - ln Gamma(a), a = v / 2, z = x / 2; for a
    large through lambda = z / a and Stirling's series, which do not
    cancel."""
    a, z = v / 2, x / 2
    if a < 10:
        return a * math.log(z) - z - math.lgamma(a)
    t = (z - a) / a
    if abs(t) < 1e-4:
        phi = t * t * (0.5 - t * (1 / 3 - t / 4))
    else:
        phi = t - math.log(z / a) if t < -0.5 else t - math.log1p(t)
    return -a * phi + 0.5 * math.log(a / (2 * math.pi)) - 1 / (12 * a)


def distribution_allowed(name, p, v, value):
    """The difference allowed in a result near value of the distribution's
    function name at (p, v) (x for the tails and densities). A unit in the
    last place of an exp or log inside moves a value near e^-k by up to k
    units (the functions' own bounds grow by 2 |ln T| for that reason): the
    entry grows by 1 + |ln T| / 2, the log tails' by their smaller tail's,
    the log density's by its own; a quantile's is that at its probability
    times kappa."""
    relative, absolute = DISTRIBUTION_TOLERANCE[name]
    if name in ("LowerTail", "UpperTail", "Density"):
        grow = 1 + abs(math.log(value)) / 2 if value > 0 else 1.0
        return grow * max(relative * abs(value), absolute)
    if name == "LogDensity":
        # An error in the density is as much of its log, absolute.
        return (1 + abs(value) / 2) * max(relative * min(abs(value), 1.0),
                                          absolute)
    if name in ("LogLowerTail", "LogUpperTail"):
        # |ln S|, S the smaller of e^L and 1 - e^L; ln(1 - S) is near -S,
        # its error S's.
        other = -math.expm1(value)
        log_smaller = (-value if value < -math.log(2) else
                       -math.log(other) if other > 0 else 745.0)
        return (1 + log_smaller / 2) * max(
            relative * min(abs(value), 1.0), absolute)
    try:
        log_p = math.log(p)
        log_kappa = log_p - log_x_density(value, v)
    except (ValueError, OverflowError, ZeroDivisionError):
        return math.inf
    kappa = max(1.0, math.exp(min(log_kappa, 700.0)))
    return kappa * (1 + abs(log_p) / 2) * max(relative * abs(value),
                                              absolute)


def distribution_apart(name, args, x, y):
    """Whether two results of the distribution's functions are further apart
    than another C library can take them."""
    if x == y:
        return False
    if not (math.isfinite(x) and math.isfinite(y)):
        return True  # NaN, an infinity or the sign of one differs
    p, v = (struct.unpack(">d", bytes.fromhex(h))[0] for h in args)
    return abs(x - y) > distribution_allowed(name, p, v, max(x, y, key=abs))


HERE = os.path.dirname(os.path.abspath(__file__))


def sessions():
    for mode, args in (("table", []), ("calculator", ["x"])):
        folder = os.path.join(HERE, "sessions", mode)
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                yield args, f.read()
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
        # The published routines' bits are the same wherever exp, log and
        # pow are; the distribution's also take erfc, expm1 and log1p, whose
        # last bit differs even between processors under one C library
        # (glibc chooses its fused multiply-add versions at run time).
        tolerated = other_libm or name in DISTRIBUTION_TOLERANCE
        if not tolerated or args != b.decode().split()[1:-1]:
            print("routine bits differ:\n  %s\n  %s" % (a.decode(), b.decode()))
            return False
        x, y = (struct.unpack(">d", bytes.fromhex(v))[0] for v in (ours, theirs))
        relative_allowed, absolute_allowed = OTHER_LIBM_TOLERANCE[name]
        apart = abs(x - y)
        if name in DISTRIBUTION_TOLERANCE:
            too_far = distribution_apart(name, args, x, y)
            relative = apart / max(abs(x), abs(y)) if apart > 0 else 0.0
        else:
            relative = apart / max(abs(x), abs(y))
            too_far = apart > absolute_allowed and relative > relative_allowed
        count, bad, most = worst.get(name, (0, 0, (0.0, 0.0)))
        worst[name] = (count + 1, bad + too_far,
                       (max(most[0], apart), max(most[1], relative)))
    for name, (count, bad, most) in sorted(worst.items()):
        print("%s: %d results differ, by at most %.2g (%.2g relative); %d "
              "by more than allowed" % (name, count, most[0], most[1], bad))
    return all(bad == 0 for _, bad, _ in worst.values())


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
