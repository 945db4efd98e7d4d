#include "front/console.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// A double's decimal halfway points have at most 767 significant digits, so
// the first 800 and a sticky digit for whatever non-zero follows round the
// same as the whole token.
constexpr int kKeptDigits = 800;

// Far beyond any exponent a double can hold, yet safe to add without
// overflow: token lengths are counted in the same range.
constexpr long long kExponentCap = 1000000000000000000LL;

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

[[noreturn]] void WriteFailed(int error) {
  std::fprintf(stderr, "chisq: cannot write standard output: %s\n",
               std::strerror(error));
  std::_Exit(1);
}

} // namespace

ReadStatus ReadNumber(std::FILE *in, double *value) {
  int c = getc_unlocked(in);
  while (IsSpace(c))
    c = getc_unlocked(in);

  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = getc_unlocked(in);
  }

  // Significant digits as 0.d1d2... times 10^exponent.
  char digits[kKeptDigits + 1];
  int kept = 0;
  bool sticky = false;
  bool any_digit = false;
  bool seen_point = false;
  long long exponent = 0;
  for (;; c = getc_unlocked(in)) {
    if (c == '.' && !seen_point) {
      seen_point = true;
      continue;
    }
    if (!IsDigit(c))
      break;
    any_digit = true;
    if (kept == 0 && c == '0') {
      if (seen_point)
        exponent = SaturatingAdd(exponent, -1);
      continue;
    }
    if (!seen_point)
      exponent = SaturatingAdd(exponent, 1);
    if (kept < kKeptDigits)
      digits[kept++] = static_cast<char>(c);
    else if (c != '0')
      sticky = true;
  }
  if (!any_digit) {
    if (c == EOF)
      return ReadStatus::kEnd;
    ungetc(c, in);
    return ReadStatus::kBad;
  }

  if (c == 'e' || c == 'E') {
    c = getc_unlocked(in);
    bool exponent_negative = false;
    if (c == '+' || c == '-') {
      exponent_negative = c == '-';
      c = getc_unlocked(in);
    }
    long long written = 0;
    for (; IsDigit(c); c = getc_unlocked(in))
      if (written < kExponentCap / 10)
        written = written * 10 + (c - '0');
    exponent = SaturatingAdd(exponent, exponent_negative ? -written : written);
  }
  if (c != EOF)
    ungetc(c, in);

  double magnitude;
  if (kept == 0)
    magnitude = 0.0;
  else if (exponent > 400)
    magnitude = HUGE_VAL; // at least 1e400
  else if (exponent < -400)
    magnitude = 0.0; // below 1e-400, under half the least subnormal
  else {
    char text[kKeptDigits + 32];
    text[0] = '0';
    text[1] = '.';
    std::memcpy(text + 2, digits, kept);
    int length = 2 + kept;
    if (sticky)
      text[length++] = '1';
    std::snprintf(text + length, sizeof text - length, "e%lld", exponent);
    magnitude = std::strtod(text, nullptr);
  }
  *value = negative ? -magnitude : magnitude;
  return ReadStatus::kNumber;
}

void ForgetEnd(std::FILE *in) { clearerr(in); }

int ReadChar(std::FILE *in) {
  ForgetEnd(in);
  return getc_unlocked(in);
}

void DiscardLine(std::FILE *in) {
  int c;
  do
    c = getc_unlocked(in);
  while (c != '\n' && c != EOF);
}

void Print(std::FILE *out, const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  const int written = std::vfprintf(out, format, args);
  va_end(args);
  if (written < 0)
    WriteFailed(errno);
}

void FinishOutput(std::FILE *out) {
  if (std::fflush(out) != 0)
    WriteFailed(errno);
  // An earlier failure that no print reported, such as in a diagnostic.
  if (std::ferror(out))
    WriteFailed(EIO);
}

void FormatExponent(double value, int digits, char *buffer, std::size_t size) {
  char plain[64];
  std::snprintf(plain, sizeof plain, "%.*e", digits, value);
  char *e = std::strchr(plain, 'e');
  if (e == nullptr) { // inf or nan: nothing to widen
    std::snprintf(buffer, size, "%s", plain);
    return;
  }
  const int exponent = std::atoi(e + 1);
  *e = '\0';
  std::snprintf(buffer, size, "%se%c%03d", plain, exponent < 0 ? '-' : '+',
                exponent < 0 ? -exponent : exponent);
}
