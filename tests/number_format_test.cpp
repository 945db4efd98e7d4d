// SPDX-License-Identifier: MIT
// The number formatter against the C library's snprintf, byte for byte, over
// values chosen where decimal conversion goes wrong: exact ties and the
// doubles next to them, near-ties of the last digit, carries into a new
// digit, the edges of the integer method's range, and every class of double.
#include "front/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

// Values tried for each format; fewer where the suite runs under an emulator.
#ifndef CHISQ_FORMAT_CASES
#define CHISQ_FORMAT_CASES 8000000
#endif

namespace {

struct Format {
  const char *name;
  int width, decimals; // decimals < 0: the exponent form with three digits
};

const Format kTableCell = {"%9.4f", 9, 4};
const Format kFixed = {"%.9f", 0, 9};
const Format kExponent = {"%.3e", 0, -3};

// The formatter's text for value, and its length.
std::size_t Ours(const Format &format, double value, char *buffer) {
  return format.decimals >= 0
             ? FormatFixed(value, format.width, format.decimals, buffer)
             : FormatExponent(value, -format.decimals, buffer);
}

std::string Ours(const Format &format, double value) {
  char buffer[kFormattedSize];
  return std::string(buffer, Ours(format, value, buffer));
}

// printf's own text for the format, the exponent rewritten with three
// digits from the number C prints (at least two), not by moving characters
// as the formatter's fallback does; returns the length.
std::size_t Printf(const Format &format, double value, char *buffer,
                   std::size_t size) {
  if (format.decimals >= 0)
    return static_cast<std::size_t>(std::snprintf(
        buffer, size, "%*.*f", format.width, format.decimals, value));
  std::snprintf(buffer, size, "%.*e", -format.decimals, value);
  char *e = std::strchr(buffer, 'e');
  if (e == nullptr) // inf and nan
    return std::strlen(buffer);
  const long exponent = std::strtol(e + 1, nullptr, 10);
  const std::size_t at = static_cast<std::size_t>(e - buffer);
  return at + static_cast<std::size_t>(std::snprintf(
                  e, size - at, "e%c%03ld", exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent));
}

// Counts the values tried and reports the first few that differ.
class Checker {
public:
  explicit Checker(const Format &format) : format_(format) {}
  void operator()(double value) {
    ++tried_;
    char ours[kFormattedSize], theirs[400];
    const std::size_t length = Ours(format_, value, ours);
    const std::size_t expected = Printf(format_, value, theirs, sizeof theirs);
    if ((length != expected || std::strlen(ours) != length ||
         std::memcmp(ours, theirs, length) != 0) &&
        ++failed_ <= 10)
      ADD_FAILURE() << format_.name << " of " << std::hexfloat << value
                    << std::defaultfloat << ": \"" << ours << "\", printf \""
                    << theirs << "\"";
  }
  // The value and the doubles up to `steps` below and above it.
  void Around(double value, int steps) {
    (*this)(value);
    double down = value, up = value;
    for (int i = 0; i < steps; ++i) {
      down = std::nextafter(down, -HUGE_VAL);
      up = std::nextafter(up, HUGE_VAL);
      (*this)(down);
      (*this)(up);
    }
  }
  long long tried() const { return tried_; }
  long long failed() const { return failed_; }

private:
  const Format &format_;
  long long tried_ = 0, failed_ = 0;
};

void Specials(Checker &check) {
  const double specials[] = {
      0.0,       -0.0,         -1.0,          1.0,     HUGE_VAL,
      -HUGE_VAL, std::nan(""), -std::nan(""), DBL_MAX, -DBL_MAX,
      DBL_MIN,   DBL_TRUE_MIN, -DBL_TRUE_MIN, 0x1p-53, 1.0 - 0x1p-53};
  for (double value : specials)
    check.Around(value, 3);
  for (int e = -1074; e <= 1023; ++e) // every power of two, and neighbours
    check.Around(std::ldexp(1.0, e), 2);
  for (int e = -330; e <= 308; ++e) // every power of ten, as a double
    check.Around(std::pow(10.0, e), 2);
  // The integer method stops at results of 2^64: its last values and
  // printf's first, for each format.
  for (int decimals : {4, 9})
    for (int k = 0; k <= 4; ++k)
      check.Around(std::ldexp(1.0, 64 - k) / std::pow(10.0, decimals), 4);
}

// Halfway points of the last digit: j + 1/2 units of it, for the units of
// every decimal place the format can show, with the doubles around them.
// Among them, with j = 99...9, the carries (9.99995, 0.9999999995).
void NearTies(const Format &format, Checker &check, std::mt19937_64 &random,
              long long count) {
  const bool exponent = format.decimals < 0;
  const int shown = exponent ? -format.decimals : format.decimals;
  const int steps = 2;
  const long long rounds = count / (2 * steps + 1);
  for (long long i = 0; i < rounds; ++i) {
    // The unit 10^-place and the digit count j: small j in order for the
    // first half, then j of every size, some of them all nines.
    int place;
    std::uint64_t j;
    if (exponent) {
      place = static_cast<int>(random() % 31) - 5 + shown; // 1e+5 .. 1e-25
      j = std::uint64_t{1000} + random() % 9000;
      if (i % 16 == 0)
        j = 9999;
    } else {
      place = shown;
      if (i < rounds / 2)
        j = static_cast<std::uint64_t>(i);
      else {
        const int digits = 1 + static_cast<int>(random() % 19);
        j = random() % (std::uint64_t{1} << (digits * 3)); // up to 2^57
        if (i % 16 == 0) { // 9, 99, ... 999999999999999
          j = 9;
          for (int n = 1 + static_cast<int>(random() % 15); n > 1; --n)
            j = j * 10 + 9;
        }
      }
    }
    const double half = static_cast<double>(j) + 0.5;
    const double value = place >= 0 ? half / std::pow(10.0, place)
                                    : half * std::pow(10.0, -place);
    check.Around((i & 32) != 0 ? -value : value, steps);
  }
}

// Exact ties: every value with few fraction bits (t / 2^n) is a tie or next
// to one for some format, as 0.03125 is for "%.4f" and 0.0078125 for "%.3e".
void Dyadic(Checker &check, std::mt19937_64 &random, long long count) {
  const long long rounds = count / 3;
  for (long long i = 0; i < rounds; ++i) {
    const int n = static_cast<int>(random() % 16);
    const std::uint64_t t =
        i < rounds / 2 ? static_cast<std::uint64_t>(i)
                       : random() % (std::uint64_t{1} << (1 + random() % 60));
    check.Around(std::ldexp(static_cast<double>(t), -n), 1);
  }
}

// Every other double: random bit patterns (below 2^70 but for a few: past
// the integer method's range printf is its own reference, and slow), uniform
// probabilities, and values in the table's range.
void Random(Checker &check, std::mt19937_64 &random, long long count) {
  for (long long i = 0; i < count; ++i) {
    double value;
    switch (i % 3) {
    case 0: {
      std::uint64_t bits = random();
      if (i % 3000 != 0) // the exponent field below 1023 + 70
        bits = (bits & ~(std::uint64_t{0x7ff} << 52)) |
               (random() % (1023 + 70) << 52);
      std::memcpy(&value, &bits, sizeof value);
      break;
    }
    case 1:
      value = static_cast<double>(random() >> 11) * 0x1p-53;
      break;
    default:
      value = static_cast<double>(random() >> 11) * 0x1p-53 * 400.0;
    }
    check(value);
  }
}

void Compare(const Format &format) {
  std::mt19937_64 random(20261210);
  Checker check(format);
  Specials(check);
  const long long count = CHISQ_FORMAT_CASES;
  NearTies(format, check, random, count / 2);
  Dyadic(check, random, count / 4);
  Random(check, random, count / 4);
  EXPECT_EQ(check.failed(), 0) << "of " << check.tried();
  EXPECT_GE(check.tried(), count * 9 / 10);
}

TEST(FormatFixed, TableCellsAsPrintfHasThem) { Compare(kTableCell); }
TEST(FormatFixed, ProbabilitiesAsPrintfHasThem) { Compare(kFixed); }
TEST(FormatExponent, ProbabilitiesAsPrintfHasThem) { Compare(kExponent); }

TEST(FormatExponent, SignAndThreeDigits) {
  const struct {
    double value;
    const char *expected;
  } cases[] = {
      {1.0, "1.000e+000"},
      {0.050109061412462186, "5.011e-002"},
      {1.1102230246251565e-16, "1.110e-016"},
      {1e100, "1.000e+100"},
      {0.0, "0.000e+000"},
      {-2.5e-5, "-2.500e-005"},
      {4.9e-324, "4.941e-324"},
      {1.7976931348623157e308, "1.798e+308"},
      {9.9996, "1.000e+001"},
      {9.9994, "9.999e+000"},
      {0.0078125, "7.812e-003"}, // a tie, to even
      // Exponents past the integer method's -24 .. 3, and no exponent at
      // all: the snprintf fallback, held to text written here.
      {12345.0, "1.234e+004"},
      {-9.9996e3, "-1.000e+004"},
      {1.25e-25, "1.250e-025"},
      {9.99951e-25, "1.000e-024"},
      {-1.7976931348623157e308, "-1.798e+308"},
      {HUGE_VAL, "inf"},
      {-HUGE_VAL, "-inf"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Ours(kExponent, c.value), c.expected) << c.value;
}

TEST(FormatFixed, CellsAndProbabilities) {
  const struct {
    double value;
    const Format &format;
    const char *expected;
  } cases[] = {
      {-1.0, kTableCell, "  -1.0000"},
      {-0.0, kTableCell, "  -0.0000"},
      {0.03125, kTableCell, "   0.0312"}, // a tie, to even
      {0.09375, kTableCell, "   0.0938"},
      {9.99995, kTableCell, "  10.0000"},
      {267.54049, kTableCell, " 267.5405"},
      {1e20, kTableCell, "100000000000000000000.0000"}, // the fallback
      {-HUGE_VAL, kTableCell, "     -inf"},
      {0x1p64, kFixed, "18446744073709551616.000000000"},
      {0.9999999996, kFixed, "1.000000000"},
      {0x1p-53, kFixed, "0.000000000"},
      {0.050109061412462186, kFixed, "0.050109061"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Ours(c.format, c.value), c.expected) << c.value;
}

} // namespace
