// SPDX-License-Identifier: MIT
// The calculator's number reader: the "%lf" of its prompt, with the syntax
// the calculator promises on every platform (no inf, nan or hexadecimal
// forms) and in bounded memory whatever the input holds.
#ifndef FRONT_NUMBER_READER_H
#define FRONT_NUMBER_READER_H

#include "front/input.h"

enum class ReadStatus {
  kNumber, // a number was read and stored
  kEnd,    // input ended before a number was complete
  kBad,    // a character that cannot begin or continue a number is next
};

// Reads one number: optional sign, digits with at most one point and at least
// one digit, optional exponent (an e with no digits after it counts as e0).
// Leading white space is skipped; the character after the number, or the
// offending one, stays in the input. The value is the correctly rounded
// double of the whole token, however long.
ReadStatus ReadNumber(Input *in, double *value);

#endif
