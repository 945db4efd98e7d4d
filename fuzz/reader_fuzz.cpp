// SPDX-License-Identifier: MIT
// The number reader against strtod on the same token: for every input the
// reader takes as a number, strtod reads the same characters (less an
// exponent mark with no digits, which the reader takes as e0) to the same
// double.
#include "front/number_reader.h"
#include "fuzz/fuzz_input.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const int fd = MemoryFile(data, size);
  Input in;
  OpenInput(&in, fd, nullptr);
  double value = 0.0;
  const ReadStatus status = ReadNumber(&in, &value);
  // Bytes taken: all but what is still there to read.
  std::size_t left = 0;
  while (NextChar(&in) != EOF)
    ++left;
  close(fd);
  if (status != ReadStatus::kNumber)
    return 0;
  const std::size_t taken = size - left;

  std::size_t start = 0;
  while (start < taken && std::strchr(" \t\n\v\f\r", data[start]) != nullptr &&
         data[start] != '\0')
    ++start;
  std::string token(reinterpret_cast<const char *>(data) + start,
                    taken - start);
  // An exponent mark with no digits after it.
  std::size_t keep = token.size();
  if (keep > 0 && (token[keep - 1] == '+' || token[keep - 1] == '-') &&
      keep > 1 && (token[keep - 2] == 'e' || token[keep - 2] == 'E'))
    keep -= 2;
  else if (keep > 0 && (token[keep - 1] == 'e' || token[keep - 1] == 'E'))
    keep -= 1;
  token.resize(keep);

  char *end = nullptr;
  const double expected = std::strtod(token.c_str(), &end);
  if (end != token.c_str() + token.size())
    __builtin_trap(); // strtod stops short of the reader
  if (std::memcmp(&expected, &value, sizeof value) != 0)
    __builtin_trap(); // a different double, or zero of the other sign
  return 0;
}
