// SPDX-License-Identifier: MIT
// Both modes run in-process as main runs them, on input from a file, with
// their whole output compared byte for byte.
#include "front/modes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Mode = void (*)(Input *, std::FILE *);

// The mode's whole output, final newline included, for the given input.
std::string Session(Mode mode, const std::string &input) {
  std::FILE *typed = std::tmpfile();
  std::FILE *out = std::tmpfile();
  if (typed == nullptr || out == nullptr) {
    ADD_FAILURE() << "no temporary file";
    return "";
  }
  std::fwrite(input.data(), 1, input.size(), typed);
  std::fflush(typed);
  std::rewind(typed);
  Input in;
  OpenInput(&in, fileno(typed), out);
  mode(&in, out);
  EndSession(out);
  std::rewind(out);
  std::string text;
  char block[4096];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, out)) > 0;)
    text.append(block, got);
  std::fclose(typed);
  std::fclose(out);
  return text;
}

const char kPause[] = "\nENTER for more, (q+ENTER) for quit... ";

// The program's output with standard input ended (build/chisq </dev/null):
// all 200 rows and 13 pauses, with the cells the quantile test holds to
// mpmath's values.
std::string WholeTable() {
  std::ifstream file(CHISQ_FIXTURES "/table.txt", std::ios::binary);
  EXPECT_TRUE(file) << "missing fixture";
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The table as it stands when a q answers pause number `pause`.
std::string TableTo(int pause) {
  const std::string whole = WholeTable();
  std::size_t end = 0;
  for (int i = 0; i < pause; ++i)
    end = whole.find(kPause, end) + sizeof kPause - 1;
  return whole.substr(0, end) + "\n";
}

TEST(CriticalValueTable, EndsAtTheQOfAnyPause) {
  for (int pause = 1; pause <= 13; ++pause) {
    SCOPED_TRACE(pause);
    const std::string enters(static_cast<std::size_t>(pause - 1), '\n');
    EXPECT_EQ(Session(CriticalValueTable, enters + "q\n"), TableTo(pause));
  }
}

TEST(CriticalValueTable, OneCharacterAPauseAndOnlyQStops) {
  const std::string whole = WholeTable();
  ASSERT_EQ(whole.size(), 17405u);
  const struct {
    const char *name, *input;
    int quit_at; // 0: the whole table
  } cases[] = {
      {"input ended at the first pause", "", 0},
      {"input ended at a later pause", "ab", 0},
      {"uppercase Q goes on", "Q\n", 0},
      {"a bare ENTER goes on", "\n", 0},
      {"one character a pause, q stops", "abq\n", 3},
      {"q late in a line", "\n\n\n\n\nxyzq", 9},
      {"q after the last pause is never read", "\n\n\n\n\n\n\n\n\n\n\n\n\nq",
       0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Session(CriticalValueTable, c.input),
              c.quit_at == 0 ? whole : TableTo(c.quit_at));
  }
}

TEST(ProbabilityPrompt, SessionsAsTheUserSeesThem) {
  const std::string prompt = "\nd.f. & Chi^2 value (Ctrl-c to break)? ";
  const std::string p18 = "\nprob = 0.050109061 = 5.011e-002\n";
  const struct {
    const char *name, *input;
    std::string output;
  } cases[] = {
      {"the example", "10 18.3\n0 0\n", prompt + p18 + prompt + "\n"},
      {"0 and 0 first", "0 0\n", prompt + "\n"},
      {"a bad line is skipped", "10 x\n10 18.3\n",
       prompt + prompt + p18 + prompt + "\n"},
      {"input ended inside a pair", "10 18.3\n2", prompt + p18 + prompt + "\n"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Session(ProbabilityPrompt, c.input), c.output);
  }
}

} // namespace
