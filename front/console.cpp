// SPDX-License-Identifier: MIT
#include "front/console.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// A double's decimal halfway points have at most 767 significant digits, so
// the first 800 and a sticky digit for whatever non-zero follows round the
// same as the whole token.
constexpr std::size_t kKeptDigits = 800;

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

// One read of up to size bytes, retried when a signal interrupts it; what
// the system returns, negative on failure.
long ReadSome(int fd, unsigned char *buffer, std::size_t size) {
#ifdef _WIN32
  return _read(fd, buffer, static_cast<unsigned>(size));
#else
  ssize_t got;
  do
    got = read(fd, buffer, size);
  while (got < 0 && errno == EINTR);
  return static_cast<long>(got);
#endif
}

int Next(Input *in) {
  if (in->next < in->filled)
    return in->block[in->next++];
  if (in->ended)
    return EOF;
  if (in->flush_first != nullptr && std::fflush(in->flush_first) != 0)
    WriteFailed(errno);
  const long got = ReadSome(in->fd, in->block, sizeof in->block);
  if (got <= 0) { // a failed read ends the input like end of file
    in->ended = true;
    return EOF;
  }
  in->next = 1;
  in->filled = static_cast<std::size_t>(got);
  return in->block[0];
}

// Puts back the character Next just gave, which is still in the block.
void Unread(Input *in, int c) {
  if (c != EOF)
    --in->next;
}

} // namespace

bool IsTerminal(std::FILE *stream) {
#ifdef _WIN32
  // A console answers GetConsoleMode; _isatty would also say yes to NUL and
  // to any other character device.
  DWORD mode;
  const HANDLE handle =
      reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  return GetConsoleMode(handle, &mode) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

void OpenConsole() {
#ifdef _WIN32
  // Bytes as they are: no CR before each newline, and no end of input at a
  // 0x1A byte in a file or pipe. A console keeps text mode on input, where
  // ENTER gives one newline and Ctrl-Z is the user's end of input.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (!IsTerminal(stdin))
    _setmode(_fileno(stdin), _O_BINARY);
#endif
  // To a terminal every print goes out whole as it is made, so a prompt is
  // on the screen before the read waits; a file or pipe keeps its buffer
  // until it is full, the program waits for input, or the program ends.
  if (IsTerminal(stdout))
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

void OpenInput(Input *in, int fd, std::FILE *flush_first) {
  in->fd = fd;
  in->flush_first = flush_first;
  in->ended = false;
  in->next = 0;
  in->filled = 0;
}

ReadStatus ReadNumber(Input *in, double *value) {
  int c = Next(in);
  while (IsSpace(c))
    c = Next(in);

  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = Next(in);
  }

  // Significant digits as 0.d1d2... times 10^exponent.
  char digits[kKeptDigits + 1];
  std::size_t kept = 0;
  bool sticky = false;
  bool any_digit = false;
  bool seen_point = false;
  long long exponent = 0;
  for (;; c = Next(in)) {
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
    Unread(in, c);
    return ReadStatus::kBad;
  }

  if (c == 'e' || c == 'E') {
    c = Next(in);
    bool exponent_negative = false;
    if (c == '+' || c == '-') {
      exponent_negative = c == '-';
      c = Next(in);
    }
    long long written = 0;
    for (; IsDigit(c); c = Next(in))
      if (written < kExponentCap / 10)
        written = written * 10 + (c - '0');
    exponent = SaturatingAdd(exponent, exponent_negative ? -written : written);
  }
  Unread(in, c);

  double magnitude;
  if (kept == 0 || exponent < -400)
    magnitude = 0.0; // below 1e-400 is under half the least subnormal
  else if (exponent > 400)
    magnitude = HUGE_VAL; // at least 1e400
  else {
    char text[kKeptDigits + 32];
    text[0] = '0';
    text[1] = '.';
    std::memcpy(text + 2, digits, kept);
    std::size_t length = 2 + kept;
    if (sticky)
      text[length++] = '1';
    // The exponent, within +-400 here, written out by hand: a printf per
    // number would cost more than the strtod.
    text[length++] = 'e';
    if (exponent < 0)
      text[length++] = '-';
    const long long magnitude_of_exponent = exponent < 0 ? -exponent : exponent;
    text[length++] = static_cast<char>('0' + magnitude_of_exponent / 100);
    text[length++] = static_cast<char>('0' + magnitude_of_exponent / 10 % 10);
    text[length++] = static_cast<char>('0' + magnitude_of_exponent % 10);
    text[length] = '\0';
    magnitude = std::strtod(text, nullptr);
  }
  *value = negative ? -magnitude : magnitude;
  return ReadStatus::kNumber;
}

void ForgetEnd(Input *in) { in->ended = false; }

int ReadChar(Input *in) {
  ForgetEnd(in);
  return Next(in);
}

void DiscardLine(Input *in) {
  int c;
  do
    c = Next(in);
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
  const int length = std::snprintf(buffer, size, "%.*e", digits, value);
  if (length < 0 || static_cast<std::size_t>(length) + 1 >= size)
    return;
  char *e = std::strchr(buffer, 'e');
  // C writes the exponent's sign and at least two digits; inf and nan have
  // none.
  if (e != nullptr && std::strlen(e + 2) == 2) {
    std::memmove(e + 3, e + 2, 3); // the two digits and the terminator
    e[2] = '0';
  }
}
