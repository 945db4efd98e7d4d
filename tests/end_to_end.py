#!/usr/bin/env python3
"""Runs the built program as a user would, through pipes and through a real
pseudo-terminal, and compares whole outputs byte for byte.

    python3 tests/end_to_end.py build/chisq
    python3 tests/end_to_end.py qemu-s390x -L /usr/s390x-linux-gnu build/chisq

Everything after the script's name is the command that starts the program.
"""
import os
import select
import subprocess
import sys
import threading
import time
import unittest

PROGRAM = None  # the command, as a list
EMULATED = bool(os.environ.get("CHISQ_EMULATED"))
WINDOWS = sys.argv[-1].endswith(".exe")  # a Windows program, run under wine
PROMPT = b"\nd.f. & Chi^2 value (Ctrl-c to break)? "


def result(text):
    return b"\nprob = " + text.encode() + b"\n"


def run(args, stdin=b"", stdout=subprocess.PIPE):
    done = subprocess.run(PROGRAM + args, input=stdin, stdout=stdout,
                          stderr=subprocess.PIPE, timeout=60)
    return done.returncode, done.stdout, done.stderr


class Calculator(unittest.TestCase):
    def session(self, stdin, *results, args=("x",)):
        """The whole output of a piped session: one prompt per attempt, and
        the result of each attempt, None where it was bad input."""
        status, out, err = run(list(args), stdin)
        expected = b"".join(PROMPT + (result(r) if r else b"")
                            for r in results)
        self.assertEqual(out, expected + PROMPT + b"\n")
        self.assertEqual((status, err), (0, b""))

    def test_sessions(self):
        p18 = "0.050109061 = 5.011e-002"
        one = "1.000000000 = 1.000e+000"
        zero = "0.000000000 = 0.000e+000"
        p24 = "0.135335283 = 1.353e-001"  # 2 df at 4: e^-2
        cases = [
            ("example", b"10 18.3\n0 0\n", [p18]),
            ("0 and 0 first", b"0 0\n", []),
            ("three numbers on a line", b"10 18.3 2\n4 0 0\n", [p18, p24]),
            ("a pair across lines", b"10\n\n  18.3\n0\n0\n", [p18]),
            ("0.999 ends the loop", b"0.999 5\n10 18.3\n", []),
            ("negative chi2 ends it", b"10 -0.5\n10 18.3\n", []),
            ("-0 is a chi2 of zero", b"1 -0\n0 0\n", [one]),
            ("df of exactly 1, fractional df", b"1 0\n1.5 3\n0 0\n",
             [one, "0.147599557 = 1.476e-001"]),
            ("far upper tail", b"1 100\n0 0\n", [zero]),
            ("end of input after a pair", b"10 18.3\n", [p18]),
            ("end of input inside a pair", b"10 18.3\n2", [p18]),
            ("end of input after a sign", b"10 18.3\n2 -", [p18]),
            ("end of input after a point", b"10 18.3 .", [p18]),
            ("empty input", b"", []),
            ("a word", b"abc\n10 18.3\n0 0\n", [None, p18]),
            ("a word for chi2", b"10 x 99\n2 4\n0 0\n", [None, p24]),
            ("inf and nan are words", b"inf 5\nnan 5\n2 4\n0 0\n",
             [None, None, p24]),
            ("a lone sign", b"- 5\n2 4\n0 0\n", [None, p24]),
            ("a bad line at the end", b"2 4\n10 q", [p24, None]),
            ("hexadecimal reads its 0", b"0x10 5\n2 4\n", [None, p24]),
            # Text-mode input on Windows would end at the 0x1A.
            ("a Ctrl-Z byte is a bad character", b"2 4\x1a\n2 4\n0 0\n",
             [p24, None, p24]),
            ("carriage returns are white space", b"2 4\r\n2\r\n4\r\n0 0\r\n",
             [p24, p24]),
            ("exponent without digits", b"2e 4e+ 0 0\n", [p24]),
            ("infinite chi2", b"10 1e400\n0 0\n", [zero]),
            ("infinite df", b"1e400 5\n0 0\n", [one]),
            ("both infinite", b"1e400 1e999\n0 0\n", [zero]),
            ("overflowing fraction", b"10 1e120\n10 1e300\n0 0\n",
             [zero, zero]),
            ("huge df", b"4e16 3.9999999e16\n0 0\n",
             ["0.999796524 = 9.998e-001"]),
            ("huge both", b"1e300 1e300\n1e308 1e308\n0 0\n",
             ["0.500000000 = 5.000e-001", "0.500000000 = 5.000e-001"]),
        ]
        for name, stdin, results in cases:
            with self.subTest(name):
                self.session(stdin, *results)

    def test_any_argument_selects_the_calculator(self):
        for args in ([""], ["-h"], ["a", "b", "c"]):
            with self.subTest(args=args):
                self.session(b"10 18.3\n0 0\n", "0.050109061 = 5.011e-002",
                             args=args)

    def test_a_long_number_is_read_whole(self):
        digits = b"1" + b"0" * 10_000_000  # 1e10000000: infinite chi2
        self.session(b"10 " + digits + b"\n2 4\n0 0\n",
                     "0.000000000 = 0.000e+000", "0.135335283 = 1.353e-001")

    def test_write_error_is_reported(self):
        for args, stdin in ((["x"], b"10 18.3\n0 0\n"), ([], b"")):
            with self.subTest(args=args), open("/dev/full", "wb") as full:
                status, _, err = run(args, stdin, stdout=full)
                self.assertEqual(status, 1)
                prefix = b"chisq: cannot write standard output: "
                if WINDOWS:  # wine reports the full device in its own way
                    self.assertRegex(err, b"^" + prefix + b"[^\n]+\n$")
                else:
                    self.assertEqual(err, prefix + b"No space left on device\n")


FIXTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixtures")
PAUSE = b"\nENTER for more, (q+ENTER) for quit... "


def whole_table():
    """The whole output of table mode with its input ended: the fixture,
    whose cells the quantile test holds to mpmath's values. The answers at
    the pauses are the modes test's, in-process."""
    with open(os.path.join(FIXTURES, "table.txt"), "rb") as f:
        return f.read()


class Table(unittest.TestCase):
    def test_the_whole_table_with_input_ended(self):
        status, out, err = run([], b"")
        self.assertEqual(out, whole_table())
        self.assertEqual((status, err), (0, b""))


def peak_memory_kib(args, chunks, output_length):
    """Pipes the chunks to the program and reads its output until
    output_length bytes have come; the program then waits for more input,
    its work done, and its peak resident memory (VmHWM; getrusage would
    count the test's own fork before exec) is read before its input ends."""
    process = subprocess.Popen(PROGRAM + args, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE)

    def feed():
        for chunk in chunks:
            process.stdin.write(chunk)
        process.stdin.flush()

    writer = threading.Thread(target=feed)
    writer.start()
    received = 0
    while received < output_length:
        chunk = os.read(process.stdout.fileno(), 1 << 20)
        if not chunk:
            break
        received += len(chunk)
    writer.join()
    with open("/proc/%d/status" % process.pid) as status:
        peak = [int(line.split()[1]) for line in status
                if line.startswith("VmHWM:")][0]
    process.stdin.close()
    received += len(process.stdout.read())  # the last line
    return process.wait(timeout=60), received, peak


@unittest.skipIf(os.environ.get("CHISQ_SANITIZED"),
                 "sanitizers keep memory of their own")
@unittest.skipIf(EMULATED, "the peak memory would be the emulator's")
class BoundedMemory(unittest.TestCase):
    LIMIT_KIB = 8 * 1024

    def test_a_100_mb_token(self):
        megabyte = b"7" * (1 << 20)
        chunks = [b"10 "] + [megabyte] * 100 + [b"\n2 4\n"]
        expected = (PROMPT + result("0.000000000 = 0.000e+000") + PROMPT +
                    result("0.135335283 = 1.353e-001") + PROMPT)
        status, received, peak = peak_memory_kib(["x"], chunks,
                                                 len(expected))
        self.assertEqual((status, received), (0, len(expected) + 1))
        self.assertLess(peak, self.LIMIT_KIB)

    def test_a_million_pairs(self):
        chunks = [b"10 18.3\n" * 10000] * 100
        expected = (1000000 * len(PROMPT + result("0.050109061 = 5.011e-002"))
                    + len(PROMPT))
        status, received, peak = peak_memory_kib(["x"], chunks, expected)
        self.assertEqual((status, received), (0, expected + 1))
        self.assertLess(peak, self.LIMIT_KIB)


class Terminal:
    """The program on a real pseudo-terminal, or with pipes=True on a pair of
    pipes that a script writes and reads one answer at a time."""

    def __init__(self, args, pipes=False):
        if pipes:
            self.process = subprocess.Popen(PROGRAM + args,
                                            stdin=subprocess.PIPE,
                                            stdout=subprocess.PIPE)
            self.master = self.process.stdout.fileno()
            self.typed = self.process.stdin.fileno()
        else:
            master, slave = os.openpty()
            self.master = self.typed = master
            self.process = subprocess.Popen(PROGRAM + args, stdin=slave,
                                            stdout=slave, stderr=slave,
                                            close_fds=True)
            os.close(slave)
        self.pipes = pipes
        self.screen = b""

    def wait_for(self, text, seconds=20):
        """Reads the screen until text is on it; no input is sent."""
        deadline = time.monotonic() + seconds
        while text not in self.screen:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.master], [], [], left)[0]:
                raise AssertionError("not on the screen: %r\nscreen: %r"
                                     % (text, self.screen[-300:]))
            try:
                chunk = os.read(self.master, 65536)
            except OSError:  # a terminal whose program has ended
                chunk = b""
            if not chunk:
                raise AssertionError("ended before %r" % text)
            self.screen += chunk

    def type(self, text):
        os.write(self.typed, text)

    def finish(self):
        if self.pipes:
            self.process.stdin.close()
        status = self.process.wait(timeout=20)
        try:
            while select.select([self.master], [], [], 0.2)[0]:
                chunk = os.read(self.master, 65536)
                if not chunk:  # a pipe at its end
                    break
                self.screen += chunk
        except OSError:  # a terminal whose program has ended
            pass
        if self.pipes:
            self.process.stdout.close()
        else:
            os.close(self.master)
        return status


# Wine shows a Windows console on a pseudo-terminal by drawing it, with
# cursor movements between the characters and spaces left out: what reaches
# the terminal is not what the program wrote.
AT_A_TERMINAL = unittest.skipIf(
    WINDOWS, "wine draws its own console on a pseudo-terminal")


@AT_A_TERMINAL
class CalculatorAtATerminal(unittest.TestCase):
    def test_prompt_is_on_the_screen_before_the_read(self):
        term = Terminal(["x"])
        term.wait_for(b"(Ctrl-c to break)? ")
        term.type(b"10 18.3\n")
        term.wait_for(b"prob = 0.050109061 = 5.011e-002\r\n"
                      b"\r\nd.f. & Chi^2 value (Ctrl-c to break)? ")
        term.type(b"0 0\n")
        self.assertEqual(term.finish(), 0)


@AT_A_TERMINAL
class TableAtATerminal(unittest.TestCase):
    def test_pages_wait_for_enter_and_q_quits(self):
        term = Terminal([])
        term.wait_for(b" 15    4.6009")
        term.wait_for(b"\r\nENTER for more, (q+ENTER) for quit... ")
        time.sleep(0.3)  # it waits: nothing of the next page comes
        self.assertNotIn(b" 16 ", term.screen)
        term.type(b"\n")
        term.wait_for(b" 30   13.7867  16.7908  20.5992  29.3360  40.2560"
                      b"  43.7730  50.8922  59.7031\r\n"
                      b"\r\nENTER for more, (q+ENTER) for quit... ")
        self.assertEqual(term.screen.count(b"quit... "), 2)
        term.type(b"q\n")
        self.assertEqual(term.finish(), 0)
        self.assertNotIn(b" 31 ", term.screen)


class ThroughPipesOneAnswerAtATime(unittest.TestCase):
    """Buffered output is written out before the program waits for input,
    so a reader at the other end of a pipe is never left waiting with it."""

    def test_calculator_answers_before_the_next_pair(self):
        peer = Terminal(["x"], pipes=True)
        peer.wait_for(PROMPT)
        peer.type(b"10 18.3\n")
        peer.wait_for(result("0.050109061 = 5.011e-002") + PROMPT)
        peer.type(b"0 0\n")
        self.assertEqual(peer.finish(), 0)
        self.assertEqual(peer.screen, PROMPT + result(
            "0.050109061 = 5.011e-002") + PROMPT + b"\n")

    def test_table_shows_each_page_before_its_pause(self):
        peer = Terminal([], pipes=True)
        peer.wait_for(PAUSE)
        # The whole first page, up to its pause, and nothing after it.
        first_page = whole_table()[:len(peer.screen)]
        self.assertEqual(peer.screen, first_page)
        self.assertTrue(first_page.endswith(PAUSE))
        self.assertEqual(first_page.count(PAUSE), 1)
        peer.type(b"q\n")
        self.assertEqual(peer.finish(), 0)
        self.assertEqual(peer.screen, first_page + b"\n")


if __name__ == "__main__":
    PROGRAM = sys.argv[1:-1] + [os.path.abspath(sys.argv[-1])]
    unittest.main(argv=sys.argv[:1], verbosity=2)
