// SPDX-License-Identifier: MIT
// Correctly rounded decimal conversion in 128-bit integer arithmetic: a
// double is m * 2^e with m below 2^53, so m * 10^k * 2^e is m * 5^k shifted
// by e + k bits, and m * 5^k for k up to 27 fits in 128 bits. Rounding is
// to nearest with ties to even, on the exact value, as C's printf does in
// the default rounding mode; results of 2^64 and more go to snprintf.
#include "front/number_format.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

static_assert(std::numeric_limits<double>::is_iec559 &&
                  sizeof(double) == sizeof(std::uint64_t),
              "doubles are IEEE 754 binary64");

constexpr int kMaxScale = 27; // 5^27 is the last power of five below 2^63
constexpr int kMaxDigits = 17;

constexpr std::uint64_t kPowersOfFive[kMaxScale + 1] = {1ULL,
                                                        5ULL,
                                                        25ULL,
                                                        125ULL,
                                                        625ULL,
                                                        3125ULL,
                                                        15625ULL,
                                                        78125ULL,
                                                        390625ULL,
                                                        1953125ULL,
                                                        9765625ULL,
                                                        48828125ULL,
                                                        244140625ULL,
                                                        1220703125ULL,
                                                        6103515625ULL,
                                                        30517578125ULL,
                                                        152587890625ULL,
                                                        762939453125ULL,
                                                        3814697265625ULL,
                                                        19073486328125ULL,
                                                        95367431640625ULL,
                                                        476837158203125ULL,
                                                        2384185791015625ULL,
                                                        11920928955078125ULL,
                                                        59604644775390625ULL,
                                                        298023223876953125ULL,
                                                        1490116119384765625ULL,
                                                        7450580596923828125ULL};

constexpr std::uint64_t kPowersOfTen[kMaxDigits + 2] = {1ULL,
                                                        10ULL,
                                                        100ULL,
                                                        1000ULL,
                                                        10000ULL,
                                                        100000ULL,
                                                        1000000ULL,
                                                        10000000ULL,
                                                        100000000ULL,
                                                        1000000000ULL,
                                                        10000000000ULL,
                                                        100000000000ULL,
                                                        1000000000000ULL,
                                                        10000000000000ULL,
                                                        100000000000000ULL,
                                                        1000000000000000ULL,
                                                        10000000000000000ULL,
                                                        100000000000000000ULL,
                                                        1000000000000000000ULL};

// An unsigned 128-bit integer, in halves that every target has.
struct Wide {
  std::uint64_t high, low;
};

Wide Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t mask = 0xffffffffULL;
  const std::uint64_t low_low = (a & mask) * (b & mask);
  const std::uint64_t low_high = (a & mask) * (b >> 32);
  const std::uint64_t high_low = (a >> 32) * (b & mask);
  const std::uint64_t high_high = (a >> 32) * (b >> 32);
  // Below 3 * 2^32: no overflow.
  const std::uint64_t middle =
      (low_low >> 32) + (low_high & mask) + (high_low & mask);
  return {high_high + (low_high >> 32) + (high_low >> 32) + (middle >> 32),
          (middle << 32) | (low_low & mask)};
}

// n >> s for s from 1 to 127.
Wide ShiftRight(Wide n, int s) {
  if (s >= 64)
    return {0, n.high >> (s - 64)};
  return {n.high >> s, (n.low >> s) | (n.high << (64 - s))};
}

bool BitAt(Wide n, int i) {
  return ((i >= 64 ? n.high >> (i - 64) : n.low >> i) & 1) != 0;
}

// Whether any of the bits below bit i (0 to 127) is set.
bool AnyBitBelow(Wide n, int i) {
  if (i < 64)
    return (n.low & ((1ULL << i) - 1)) != 0;
  return n.low != 0 || (n.high & ((1ULL << (i - 64)) - 1)) != 0;
}

// value as negative and m * 2^e; false for infinities and NaN.
bool Decompose(double value, bool *negative, std::uint64_t *m, int *e) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  *negative = (bits >> 63) != 0;
  const int field = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
  if (field == 0x7ff)
    return false;
  if (field == 0) { // zero and subnormals
    *m = fraction;
    *e = -1074;
  } else {
    *m = fraction | (1ULL << 52);
    *e = field - 1075;
  }
  return true;
}

// m * 2^e * 10^k for k from 0 to kMaxScale, truncated to an integer, and
// whether rounding it to nearest, ties to even, adds one; false when the
// truncated result is 2^64 or more.
bool Scale(std::uint64_t m, int e, int k, std::uint64_t *result, bool *up) {
  *up = false;
  const int shift = e + k;
  // The table's cells: m * 625 stays in 64 bits, and so does the shift.
  if (k <= 4 && shift < 0 && shift > -64) {
    const std::uint64_t n = m * kPowersOfFive[k];
    const int s = -shift;
    const std::uint64_t q = n >> s;
    const std::uint64_t rest = n & ((std::uint64_t{1} << s) - 1);
    const std::uint64_t half = std::uint64_t{1} << (s - 1);
    *up = rest > half || (rest == half && (q & 1) != 0);
    *result = q;
    return true;
  }
  const Wide n = Multiply(m, kPowersOfFive[k]);
  if (shift >= 0) { // an integer already; m is not zero here
    if (n.high != 0 || shift >= 64 ||
        (shift > 0 && (n.low >> (64 - shift)) != 0))
      return false;
    *result = n.low << shift;
    return true;
  }
  const int s = -shift;
  if (s > 127) { // n is below 2^116, under half of 2^s
    *result = 0;
    return true;
  }
  const Wide whole = ShiftRight(n, s);
  if (whole.high != 0)
    return false;
  *result = whole.low;
  *up = BitAt(n, s - 1) && (AnyBitBelow(n, s - 1) || (whole.low & 1) != 0);
  return true;
}

// q's decimal digits, at least min_digits of them with leading zeros, to
// out; returns how many.
int WriteDigits(std::uint64_t q, int min_digits, char *out) {
  char reversed[24];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + q % 10);
    q /= 10;
  } while (q != 0 || count < min_digits);
  for (int i = 0; i < count; ++i)
    out[i] = reversed[count - 1 - i];
  return count;
}

std::size_t Finish(int length, char *buffer) {
  if (length < 0) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t size = static_cast<std::size_t>(length);
  return size < kFormattedSize ? size : kFormattedSize - 1;
}

} // namespace

std::size_t FormatFixed(double value, int width, int decimals, char *buffer) {
  bool negative, up;
  std::uint64_t m, q;
  int e;
  if (decimals < 0 || decimals > kMaxDigits || width < 0 || width > 64 ||
      !Decompose(value, &negative, &m, &e) || !Scale(m, e, decimals, &q, &up) ||
      (up && ++q == 0))
    return Finish(
        std::snprintf(buffer, kFormattedSize, "%*.*f", width, decimals, value),
        buffer);

  // Right to left from the last decimal: at most 20 digits, a point and a
  // sign.
  char text[24];
  char *start = text + sizeof text;
  for (int i = 0; i < decimals; ++i, q /= 10)
    *--start = static_cast<char>('0' + q % 10);
  if (decimals > 0)
    *--start = '.';
  do {
    *--start = static_cast<char>('0' + q % 10);
    q /= 10;
  } while (q != 0);
  if (negative) // -0.0 and negatives that round to zero too, as printf has it
    *--start = '-';
  const int length = static_cast<int>(text + sizeof text - start);
  const int pad = width > length ? width - length : 0;
  std::memset(buffer, ' ', static_cast<std::size_t>(pad));
  std::memcpy(buffer + pad, start, static_cast<std::size_t>(length));
  buffer[pad + length] = '\0';
  return static_cast<std::size_t>(pad + length);
}

namespace {

// The exponent form by snprintf, its exponent widened to three digits: C
// writes the sign and at least two; inf and nan have none.
std::size_t ExponentByPrintf(double value, int digits, char *buffer) {
  const std::size_t length = Finish(
      std::snprintf(buffer, kFormattedSize, "%.*e", digits, value), buffer);
  char *e = std::strchr(buffer, 'e');
  if (e != nullptr && std::strlen(e + 2) == 2 && length + 1 < kFormattedSize) {
    std::memmove(e + 3, e + 2, 3); // the two digits and the terminator
    e[2] = '0';
    return length + 1;
  }
  return length;
}

} // namespace

std::size_t FormatExponent(double value, int digits, char *buffer) {
  bool negative;
  std::uint64_t m;
  int e;
  if (digits < 0 || digits > kMaxDigits || !Decompose(value, &negative, &m, &e))
    return ExponentByPrintf(value, digits, buffer);

  // The decimal exponent p with 10^p <= |value| < 10^(p+1), found from the
  // truncated digits so that rounding cannot decide it; the estimate from
  // the binary exponent is off by at most one.
  std::uint64_t q = 0;
  int p = 0;
  if (m != 0) {
    int top = 52; // lower for subnormals only
    while ((m >> top) == 0)
      --top;
    // floor(b log10 2) for the binary exponent b, as floor(b * 78913 / 2^18),
    // which holds for |b| up to 1650.
    const long b = e + top;
    p = static_cast<int>(b >= 0 ? (b * 78913) >> 18
                                : -((-b * 78913 + 262143) >> 18));
    bool up = false;
    for (int tries = 0;; ++tries) {
      const int k = digits - p;
      if (tries == 3 || k < 0 || k > kMaxScale || !Scale(m, e, k, &q, &up))
        return ExponentByPrintf(value, digits, buffer);
      if (q >= kPowersOfTen[digits + 1])
        ++p;
      else if (q < kPowersOfTen[digits])
        --p;
      else
        break;
    }
    if (up && ++q == kPowersOfTen[digits + 1]) { // 9.9996 to 1.000e+001
      q = kPowersOfTen[digits];
      ++p;
    }
  }

  int length = 0;
  if (negative)
    buffer[length++] = '-';
  char mantissa[24];
  WriteDigits(q, digits + 1, mantissa);
  buffer[length++] = mantissa[0];
  if (digits > 0) {
    buffer[length++] = '.';
    std::memcpy(buffer + length, mantissa + 1,
                static_cast<std::size_t>(digits));
    length += digits;
  }
  buffer[length++] = 'e';
  buffer[length++] = p < 0 ? '-' : '+';
  length += WriteDigits(static_cast<std::uint64_t>(p < 0 ? -p : p), 3,
                        buffer + length);
  buffer[length] = '\0';
  return static_cast<std::size_t>(length);
}
