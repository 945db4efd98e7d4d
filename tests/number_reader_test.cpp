// SPDX-License-Identifier: MIT
// The calculator's number reader: its syntax, what it leaves in the input,
// and rounding as strtod's however long the token.
#include "front/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Reads one number from text; returns the status, the value and what the
// read left in the input.
struct Read {
  ReadStatus status;
  double value;
  std::string rest;
};

Read ReadFrom(const std::string &text) {
  std::FILE *file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::fflush(file);
  std::rewind(file);
  Input in;
  OpenInput(&in, fileno(file), nullptr);
  Read r{ReadStatus::kEnd, -12345.0, ""};
  r.status = ReadNumber(&in, &r.value);
  for (int c; (c = NextChar(&in)) != EOF;)
    r.rest.push_back(static_cast<char>(c));
  std::fclose(file);
  return r;
}

TEST(ReadNumber, Syntax) {
  const ReadStatus ok = ReadStatus::kNumber;
  const ReadStatus bad = ReadStatus::kBad;
  const ReadStatus end = ReadStatus::kEnd;
  struct Case {
    const char *text;
    ReadStatus status;
    double value; // when a number was read
    const char *rest;
  } cases[] = {
      {"5", ok, 5.0, ""},
      {"  \n\t 18.3 x", ok, 18.3, " x"},
      {"5.", ok, 5.0, ""},
      {".5", ok, 0.5, ""},
      {"-2.5e-3,", ok, -2.5e-3, ","},
      {"+7E+2 ", ok, 700.0, " "},
      {"1e", ok, 1.0, ""},
      {"1e+ 2", ok, 1.0, " 2"},
      {"1e-x", ok, 1.0, "x"},
      {"1.2.3", ok, 1.2, ".3"},
      {"0x10", ok, 0.0, "x10"},
      {"00012", ok, 12.0, ""},
      {"0.000", ok, 0.0, ""},
      {"1e400", ok, HUGE_VAL, ""},
      {"-1e400", ok, -HUGE_VAL, ""},
      {"1e-400", ok, 0.0, ""},
      {"4.9406564584124654e-324", ok, 4.9406564584124654e-324, ""},
      {"2.4703282292062328e-324", ok, 4.9406564584124654e-324, ""},
      {"1e99999999999999999999999999", ok, HUGE_VAL, ""},
      {"inf", bad, 0.0, "inf"},
      {"nan", bad, 0.0, "nan"},
      {"abc\n5", bad, 0.0, "abc\n5"},
      {"- 5", bad, 0.0, " 5"},
      {".x", bad, 0.0, "x"},
      {"", end, 0.0, ""},
      {"  \n ", end, 0.0, ""},
      {"-", end, 0.0, ""},
      {".", end, 0.0, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    const Read r = ReadFrom(c.text);
    EXPECT_EQ(r.status, c.status);
    if (c.status == ok) {
      EXPECT_EQ(r.value, c.value);
      EXPECT_EQ(std::signbit(r.value), std::signbit(c.value));
    }
    EXPECT_EQ(r.rest, c.rest);
  }
  EXPECT_TRUE(std::signbit(ReadFrom("-0").value));
}

TEST(ReadNumber, LongTokensRoundAsStrtodDoes) {
  // Digits far past the 800 kept decide the rounding only through the
  // sticky digit; leading and trailing zeros through the exponent.
  const std::string halfway = "9007199254740993"; // 2^53 + 1: a tie
  const std::string cases[] = {
      std::string(10000000, '7'),
      halfway + std::string(5000, '0'),
      halfway + std::string(5000, '0') + "1",
      "0." + std::string(5000, '0') + "1" + std::string(3000, '3') + "e5020",
      std::string(3000, '1') + "." + std::string(3000, '9') + "e-2700",
      "1" + std::string(400, '0') + "e-400",
      "0." + std::string(10000, '0') + "1e10000",
  };
  for (const std::string &text : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    const Read r = ReadFrom(text + " ");
    EXPECT_EQ(r.status, ReadStatus::kNumber);
    EXPECT_EQ(r.value, std::strtod(text.c_str(), nullptr));
    EXPECT_EQ(r.rest, " ");
  }
}

} // namespace
