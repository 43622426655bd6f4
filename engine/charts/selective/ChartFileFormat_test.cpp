#include "charts/selective/ChartFileFormat.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(ChartFileFields, TextWithoutSlashIsWrittenUnchanged) {
  EXPECT_EQ(EscapeField("Bath, Somerset,1850"), "Bath, Somerset,1850");
  EXPECT_EQ(EscapeField("C:\\dir\\name"), "C:\\dir\\name");
  EXPECT_EQ(EscapeField("ends in \\", false), "ends in \\");
}

TEST(ChartFileFields, SlashesAndBackslashesRoundTrip) {
  const std::vector<std::string> fields = {" Farmer/Miller", "b Ash\\/Oak,1850", "x\\", "\\\\/",
                                           "", "d London,1901"};
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += '/';
    line += EscapeField(fields[i], i + 1 < fields.size());
  }
  EXPECT_EQ(SplitFields(line, fields.size()), fields);
}

TEST(ChartFileFields, TheLastFieldTakesTheRest) {
  const std::vector<std::string> want = {"a", "b/c/d"};
  EXPECT_EQ(SplitFields("a/b/c/d", 2), want);
  EXPECT_EQ(SplitFields("", 3), std::vector<std::string>{""});
}

TEST(ChartFileFields, CuttingNeverLeavesHalfAnEscape) {
  EXPECT_EQ(CutEscaped("ab\\/", 3), "ab");
  EXPECT_EQ(CutEscaped("abcdef", 4), "abcd");
}

TEST(ChartFileLines, LongLinesAreRefusedWithTheirNumber) {
  std::vector<std::string> lines;
  int tooLong = 0;
  const std::string ok(255, 'x'), bad(256, 'y');
  EXPECT_EQ(SplitChartLines("Chart\r\n" + ok + "\n", lines, tooLong), 0);
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_EQ(SplitChartLines("Chart\n" + ok + "\n" + bad + "\n", lines, tooLong),
            kMsgChartLineTooLong);
  EXPECT_EQ(tooLong, 3);
}

TEST(ChartFileLines, NumbersAreSignedAndBounded) {
  std::size_t pos = 0;
  std::int64_t n = 0;
  EXPECT_TRUE(ReadChartNumber("  -12 x", pos, n));
  EXPECT_EQ(n, -12);
  EXPECT_EQ(pos, 5u);
  pos = 0;
  EXPECT_FALSE(ReadChartNumber("99999999999", pos, n));
  pos = 0;
  EXPECT_FALSE(ReadChartNumber("x1", pos, n));
}

TEST(ChartFileLines, FormatFollowsTheExtension) {
  EXPECT_EQ(ChartFormatOfPath("C:\\data\\smith.dva"), 0);
  EXPECT_EQ(ChartFormatOfPath("tree.DVB"), -1);
  EXPECT_EQ(ChartFormatOfPath("family.ged"), 1);
  EXPECT_EQ(ChartFormatOfPath("dir.dvb/file"), 1);
  EXPECT_EQ(ChartFormatOfPath("C:\\OLD.DVA\\FAMILY.GED"), 1);  // a dot in a folder name
  EXPECT_EQ(ChartFormatOfPath("C:\\DATA\\NOEXT"), 1);
}

}  // namespace
}  // namespace dv
