#include <gtest/gtest.h>

#include "shell/CompileLog.h"

using shell::CompileLog;
using shell::CompileLogUpdate;
using Lines = std::vector<std::string>;

namespace {

// The text after feeding bytes in pieces of every size from 1 to 7: where
// the tool's writes were cut never matters.
std::string Shown(const std::string& bytes) {
  std::string first;
  for (std::size_t piece = 1; piece <= 7; ++piece) {
    CompileLog log;
    for (std::size_t at = 0; at < bytes.size(); at += piece) log.Feed(std::string_view(bytes).substr(at, piece));
    const std::string text = log.Text();
    if (piece == 1) first = text;
    EXPECT_EQ(text, first) << "in pieces of " << piece;
  }
  return first;
}

TEST(CompileLog, ShowsWhatATerminalWould) {
  // SDHLT's progress counter: one line, overwritten, then blanked and
  // replaced by the time.
  std::string counter = "BasePortalVis:\n";
  for (int i = 0; i < 1096; ++i) counter += "\r" + std::string(i < 10 ? 5 : i < 100 ? 4 : i < 1000 ? 3 : 2, ' ') +
                                           std::to_string(i) + " /  1096";
  EXPECT_EQ(Shown(counter), "BasePortalVis:\n  1095 /  1096");
  EXPECT_EQ(Shown(counter + "\r" + std::string(60, ' ') + "\r (0.01 seconds)\nLeafThread:\n"),
            "BasePortalVis:\n (0.01 seconds)\nLeafThread:\n");
  EXPECT_EQ(Shown("Windows\r\nline ends\r\n"), "Windows\nline ends\n");
  EXPECT_EQ(Shown("abc\b\bX\n12\b\b\b\bY\n"), "aXc\nY2\n");
  EXPECT_EQ(Shown("a\tb\n12345678\tc\nabcdefghij\r\tX\n"), "a       b\n12345678        c\nabcdefghXj\n");
  EXPECT_EQ(Shown("\x1b[1;31mred\x1b[0m \x1b]0;title\x07plain\x1b(B\n"), "red plain\n");
  EXPECT_EQ(Shown(std::string("bell\a nul") + '\0' + " ff\f del\x7f.\n"), "bell nul ff del.\n");
  // A character is one column, whichever of its bytes a piece ended on.
  EXPECT_EQ(Shown("\xc3\xa9t\xc3\xa9\rab\n\xe2\x82\xac\b$\n"), "ab\xc3\xa9\n$\n");
  EXPECT_EQ(Shown("code page \xe9t\xe9 \x82\n"), "code page \xe9t\xe9 \x82\n");  // not UTF-8: kept
  EXPECT_EQ(Shown("\x1b[" + std::string(100, '1') + "kept\n"), std::string(36, '1') + "kept\n");
}

TEST(CompileLog, CutsEachLineAndKeepsTheNewestLines) {
  const std::size_t max = CompileLog::kMaxLineBytes;
  const std::string mark(CompileLog::kCutMark);
  EXPECT_EQ(Shown(std::string(max + 10, 'x') + "\nshort\r" + std::string(max, 'y') + "z"),
            std::string(max, 'x') + mark + "\n" + std::string(max, 'y') + mark);

  CompileLog log(4, 20);
  for (int i = 0; i < 6; ++i) log.Feed(std::to_string(i) + "\n");
  log.Feed("now");
  CompileLogUpdate update = log.TakeUpdate();
  EXPECT_TRUE(update.Reset);  // lines the view never had are gone: it starts again
  EXPECT_EQ(update.Lines, (Lines{"2", "3", "4", "5"}));
  EXPECT_EQ(update.Current, "now");
  EXPECT_FALSE(log.Changed());
  log.Feed(" and then\nnext");
  EXPECT_TRUE(log.Changed());
  update = log.TakeUpdate();
  EXPECT_FALSE(update.Reset);
  EXPECT_EQ(update.Lines, Lines{"now and then"});
  EXPECT_EQ(update.Current, "next");
  EXPECT_EQ(update.Held, 4u);
  EXPECT_EQ(log.Text(), "3\n4\n5\nnow and then\nnext");
  log.Feed(std::string(30, 'w') + "\n");  // over the byte bound alone
  update = log.TakeUpdate();
  EXPECT_TRUE(update.Reset);
  EXPECT_EQ(update.Held, 0u);
  EXPECT_EQ(log.Text(), "");
}

}  // namespace
