// SPDX-License-Identifier: MIT
// The table's pauses, run in-process as main runs the table, on input from a
// file, with the whole output compared byte for byte. The calculator's
// sessions are in end_to_end.py, through the program itself.
#include "tests/session.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrintCriticalValues, EndsAtTheQOfAnyPause) {
  for (int pause = 1; pause <= 13; ++pause) {
    SCOPED_TRACE(pause);
    const std::string enters(static_cast<std::size_t>(pause - 1), '\n');
    EXPECT_EQ(RunSession(PrintCriticalValues, enters + "q\n"),
              TableToPause(pause));
  }
}

TEST(PrintCriticalValues, OneCharacterAPauseAndOnlyQStops) {
  const std::string whole = WholeTable();
  ASSERT_NE(whole, "") << "missing fixture table.txt";
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
    EXPECT_EQ(RunSession(PrintCriticalValues, c.input),
              c.quit_at == 0 ? whole : TableToPause(c.quit_at));
  }
}

} // namespace
