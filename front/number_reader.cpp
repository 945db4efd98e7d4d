// SPDX-License-Identifier: MIT
#include "front/number_reader.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// A double's decimal halfway points have at most 767 significant digits, so
// the first 800 and a sticky digit for whatever non-zero follows round the
// same as the whole token.
constexpr std::size_t kKeptDigits = 800;

// Far beyond any exponent a double can hold, yet safe to add without
// overflow: token lengths are counted in the same range.
constexpr long long kExponentCap = 1000000000000000000LL;

// A token's significant digits as 0.d1d2... times 10^exponent.
struct Decimal {
  char digits[kKeptDigits];
  std::size_t kept;
  bool sticky; // a non-zero digit beyond those kept
  long long exponent;
};

long long SaturatingAdd(long long a, long long b) {
  const long long sum = a + b; // both within +-kExponentCap: no overflow
  if (sum > kExponentCap)
    return kExponentCap;
  if (sum < -kExponentCap)
    return -kExponentCap;
  return sum;
}

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

bool IsSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

// Reads digits with at most one point, starting at c; returns the character
// after them and whether there was a digit at all.
int ReadMantissa(Input *in, int c, Decimal *number, bool *any_digit) {
  bool seen_point = false;
  for (;; c = NextChar(in)) {
    if (c == '.' && !seen_point) {
      seen_point = true;
      continue;
    }
    if (!IsDigit(c))
      return c;
    *any_digit = true;
    if (number->kept == 0 && c == '0') {
      if (seen_point)
        number->exponent = SaturatingAdd(number->exponent, -1);
      continue;
    }
    if (!seen_point)
      number->exponent = SaturatingAdd(number->exponent, 1);
    if (number->kept < kKeptDigits)
      number->digits[number->kept++] = static_cast<char>(c);
    else if (c != '0')
      number->sticky = true;
  }
}

// Reads what follows an e or E: a sign and any digits; returns the
// character after them.
int ReadExponent(Input *in, Decimal *number) {
  int c = NextChar(in);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = NextChar(in);
  }
  long long written = 0;
  for (; IsDigit(c); c = NextChar(in))
    if (written < kExponentCap / 10)
      written = written * 10 + (c - '0');
  number->exponent =
      SaturatingAdd(number->exponent, negative ? -written : written);
  return c;
}

// The correctly rounded magnitude of number.
double ToDouble(const Decimal &number) {
  if (number.kept == 0 || number.exponent < -400)
    return 0.0; // below 1e-400 is under half the least subnormal
  if (number.exponent > 400)
    return HUGE_VAL; // at least 1e400
  char text[kKeptDigits + 32];
  text[0] = '0';
  text[1] = '.';
  std::memcpy(text + 2, number.digits, number.kept);
  std::size_t length = 2 + number.kept;
  if (number.sticky)
    text[length++] = '1';
  // The exponent, within +-400 here, written out by hand: a printf per
  // number would cost more than the strtod.
  text[length++] = 'e';
  if (number.exponent < 0)
    text[length++] = '-';
  const long long e = number.exponent < 0 ? -number.exponent : number.exponent;
  text[length++] = static_cast<char>('0' + e / 100);
  text[length++] = static_cast<char>('0' + e / 10 % 10);
  text[length++] = static_cast<char>('0' + e % 10);
  text[length] = '\0';
  return std::strtod(text, nullptr);
}

} // namespace

ReadStatus ReadNumber(Input *in, double *value) {
  int c = NextChar(in);
  while (IsSpace(c))
    c = NextChar(in);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = NextChar(in);
  }

  Decimal number;
  number.kept = 0;
  number.sticky = false;
  number.exponent = 0;
  bool any_digit = false;
  c = ReadMantissa(in, c, &number, &any_digit);
  if (!any_digit) {
    if (c == EOF)
      return ReadStatus::kEnd;
    PutBack(in, c);
    return ReadStatus::kBad;
  }
  if (c == 'e' || c == 'E')
    c = ReadExponent(in, &number);
  PutBack(in, c);

  const double magnitude = ToDouble(number);
  *value = negative ? -magnitude : magnitude;
  return ReadStatus::kNumber;
}
