#include <gtest/gtest.h>

#include <QSignalSpy>

#include "TestDir.h"
#include "app/SetupData.h"

namespace {

QStringList Parse(const std::string& text) { return TSetupLines::ParseText(text); }

TEST(SetupDataText, EveryLineEndCountsAndALastOpenLineToo) {
  EXPECT_EQ(Parse("D:\\Tools\r\nE:\\Game\r\n"), (QStringList{"D:\\Tools", "E:\\Game"}));
  EXPECT_EQ(Parse("a\nb\n"), (QStringList{"a", "b"}));
  EXPECT_EQ(Parse("a\rb\r"), (QStringList{"a", "b"}));
  EXPECT_EQ(Parse("a\r\nb"), (QStringList{"a", "b"}));
  EXPECT_EQ(Parse("a\rb\nc\r\nd"), (QStringList{"a", "b", "c", "d"}));
  // LF CR is two line ends, CR CR LF too: the lines between them are empty.
  EXPECT_EQ(Parse("a\n\rb"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(Parse("a\r\r\nb"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(Parse("\r\n\r\n"), (QStringList{"", ""}));
  EXPECT_TRUE(Parse("").isEmpty());
}

TEST(SetupDataText, ANulByteEndsTheText) {
  EXPECT_EQ(Parse(std::string("a\r\nb\0c\r\nd\r\n", 12)), (QStringList{"a", "b"}));
  EXPECT_EQ(Parse(std::string("a\r\n\0b\r\n", 7)), (QStringList{"a"}));
}

TEST(SetupDataText, EveryLineIsWrittenWithCrLf) {
  EXPECT_EQ(TSetupLines::FormatText({"D:\\Tools", "", "extra"}), "D:\\Tools\r\n\r\nextra\r\n");
  EXPECT_EQ(TSetupLines::FormatText({}), "");
}

TEST(SetupDataLines, AMissingLineReadsEmptyAndStoringPadsTheList) {
  TSetupLines data({"only"});
  EXPECT_EQ(data.Line(1), "");
  EXPECT_EQ(data.Line(-1), "");
  data.SetLine(2, "third");
  EXPECT_EQ(data.Lines(), (QStringList{"only", "", "third"}));
}

TEST(SetupDataLines, DefaultsAreSilentEveryStoreNotifies) {
  TSetupLines data({"a", "b"});
  QSignalSpy changed(&data, &TSetupLines::Changed);
  data.SetLine(0, "a");  // the same text still counts as a change
  data.SetLines({"x"});
  EXPECT_EQ(changed.count(), 2);
}

TEST(SetupDataFile, LoadReplacesAllLinesInOneChange) {
  TestDir dir;
  WriteBytes(dir.File("quorvel.ini"), "D:\\Tools\nE:\\Game\rthird");
  TSetupLines data({"x", "y"});
  QSignalSpy changed(&data, &TSetupLines::Changed);
  ASSERT_TRUE(data.LoadFromFile(dir.File("quorvel.ini")));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(data.Lines(), (QStringList{"D:\\Tools", "E:\\Game", "third"}));
  ASSERT_TRUE(data.SaveToFile(dir.File("out.ini")).Ok);
  EXPECT_EQ(ReadBytes(dir.File("out.ini")), "D:\\Tools\r\nE:\\Game\r\nthird\r\n");
}

TEST(SetupDataFile, AMissingFileLeavesTheLinesAlone) {
  TestDir dir;
  TSetupLines data({"x", "y"});
  QSignalSpy changed(&data, &TSetupLines::Changed);
  EXPECT_FALSE(data.LoadFromFile(dir.File("quorvel.ini")));
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(data.Lines(), (QStringList{"x", "y"}));
}

TEST(SetupDataFile, AFailedSaveReportsTheReason) {
  TestDir dir;
  TSetupLines data({"new"});
  const WriteResult result = data.SaveToFile(dir.File("missing/quorvel.ini"));
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_FALSE(FileExists(dir.File("missing/quorvel.ini")));
}

}  // namespace
