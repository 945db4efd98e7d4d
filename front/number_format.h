// SPDX-License-Identifier: MIT
// Number formatting for both modes: the bytes printf gives for the table's
// "%9.4f" and the calculator's "%.9f" and "%.3e" (the exponent in three
// digits, as the console format requires), worked out in integers wherever
// the value allows, which is every value the program prints, and left to
// snprintf elsewhere.
#ifndef FRONT_NUMBER_FORMAT_H
#define FRONT_NUMBER_FORMAT_H

#include <cstddef>

// Room for any result with a width up to 64: "%.17f" of the largest double
// is 328 bytes with its sign.
constexpr std::size_t kFormattedSize = 336;

// value as "%{width}.{decimals}f" prints it, width up to 64, decimals 0 to
// 17. Writes a NUL-terminated string to buffer (kFormattedSize bytes) and
// returns its length.
std::size_t FormatFixed(double value, int width, int decimals, char *buffer);

// value as "%.{digits}e" prints it with the exponent's sign and at least
// three exponent digits (5.011e-002, 1.000e+100), digits 0 to 17. Writes to
// buffer as FormatFixed does.
std::size_t FormatExponent(double value, int digits, char *buffer);

#endif
