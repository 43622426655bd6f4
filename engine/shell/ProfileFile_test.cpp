#include "shell/ProfileFile.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(SplitLines, AcceptsEveryLineEnd) {
  auto lines = SplitLines("a\nb\r\nc\rd");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "b");
  EXPECT_EQ(lines[2], "c");
  EXPECT_EQ(lines[3], "d");
}

TEST(SplitLines, FinalLineEndAddsNoLineButEmptyLinesCount) {
  auto lines = SplitLines("a\n\n\r\nb\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "b");
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(ProfileLookup, HandEditedLayoutReadsLikeWritten) {
  // Keys reordered, blanks around "=", names in other cases, CR LF ends,
  // tabs, sections in another order.
  const auto p = ProfileFile::Parse(
      "\r\n  [colours]  \r\n\tCOLOUR2 =  77 \r\ncolour1=66\r\n"
      "[PARAM]\r\n  Gparam\t=\t1,2,\r\nDPARAM = 3,4,\r\n");
  EXPECT_EQ(p.GetString("Colours", "Colour1", 64), "66");
  EXPECT_EQ(p.GetString("Colours", "Colour2", 64), "77");
  EXPECT_EQ(p.GetString("Param", "dparam", 128), "3,4,");
  EXPECT_EQ(p.GetString("Param", "gparam", 128), "1,2,");
}

TEST(ProfileLookup, MissingSectionOrKeyGivesDefault) {
  const auto p = ProfileFile::Parse("[Param]\ndparam=1,\n");
  EXPECT_EQ(p.GetString("Fonts", "Font1", 512), "");
  EXPECT_EQ(p.GetString("Param", "gparam", 128, "dflt"), "dflt");
  EXPECT_FALSE(p.Find("Param", "gparam").has_value());
  EXPECT_FALSE(p.Find("Fonts", "dparam").has_value());
}

TEST(ProfileLookup, KeyWithoutEqualsSignHasNoValue) {
  const auto p = ProfileFile::Parse("[S]\nflag\nother=\n");
  EXPECT_FALSE(p.Find("S", "flag").has_value());
  ASSERT_TRUE(p.Find("S", "other").has_value());
  EXPECT_EQ(*p.Find("S", "other"), "");
}

TEST(ProfileLookup, FirstSectionAndFirstKeyWin) {
  const auto p = ProfileFile::Parse(R"([S]
k=first
k=second
[T]
x=1
[s]
k=third
only=later
)");
  EXPECT_EQ(p.GetString("S", "k", 128), "first");
  // A key only in a later section of the same name is not seen.
  EXPECT_EQ(p.GetString("S", "only", 128), "");
}

TEST(ProfileLookup, KeysBeforeAnySectionBelongToNone) {
  const auto p = ProfileFile::Parse("k=loose\n[]\nk=nameless\n[S]\nk=v\n");
  EXPECT_EQ(p.GetString("", "k", 128), "");
  EXPECT_EQ(p.GetString("S", "k", 128), "v");
}

TEST(ProfileLookup, MatchingQuotesAreRemoved) {
  const auto p = ProfileFile::Parse(R"([S]
a="C:\DATA\X.GED"
b='single'
c="open
d="mixed'
e="
f=" padded "
g=""
)");
  EXPECT_EQ(p.GetString("S", "a", 128), "C:\\DATA\\X.GED");
  EXPECT_EQ(p.GetString("S", "b", 128), "single");
  EXPECT_EQ(p.GetString("S", "c", 128), "\"open");
  EXPECT_EQ(p.GetString("S", "d", 128), "\"mixed'");
  EXPECT_EQ(p.GetString("S", "e", 128), "\"");
  EXPECT_EQ(p.GetString("S", "f", 128), " padded ");
  EXPECT_EQ(p.GetString("S", "g", 128), "");
}

TEST(ProfileLookup, ValuesAreCutToTheBuffer) {
  std::string text = "[S]\nk=" + std::string(300, 'x') + "\n";
  const auto p = ProfileFile::Parse(text);
  EXPECT_EQ(p.GetString("S", "k", 128).size(), 127u);
  EXPECT_EQ(p.GetString("S", "k", 256).size(), 255u);
  EXPECT_EQ(p.GetString("S", "k", 512).size(), 300u);
  EXPECT_EQ(p.GetString("S", "k", 1), "");
  EXPECT_EQ(p.GetString("S", "k", 0), "");
}

TEST(ProfileLookup, ValueKeepsLaterEqualsSignsAndInnerBlanks) {
  const auto p = ProfileFile::Parse("[S]\npath = C:\\MY DATA\\A=B.GED  \n");
  EXPECT_EQ(p.GetString("S", "path", 128), "C:\\MY DATA\\A=B.GED");
}

TEST(ProfileParse, ByteOrderMarkIsSkipped) {
  const auto p = ProfileFile::Parse("\xEF\xBB\xBF[S]\nk=v\n");
  EXPECT_EQ(p.GetString("S", "k", 128), "v");
}

TEST(ProfileParse, HeaderWithoutCloseBracketIsAnOrdinaryLine) {
  const auto p = ProfileFile::Parse("[S]\n[broken=1\nk=v\n");
  EXPECT_EQ(p.GetString("S", "k", 128), "v");
  EXPECT_EQ(p.GetString("S", "[broken", 128), "1");
  EXPECT_EQ(p.GetString("broken", "k", 128), "");
}

TEST(ProfileParse, SectionNameRunsToTheLastCloseBracket) {
  const auto p = ProfileFile::Parse("[a]b]\nk=v\n");
  EXPECT_EQ(p.GetString("a]b", "k", 128), "v");
}

TEST(ProfileParse, NulEndsNamesAndValues) {
  const auto p = ProfileFile::Parse(std::string("[S]\nk=ab\0cd\n", 12));
  EXPECT_EQ(p.GetString("S", "k", 128), "ab");
}

TEST(ProfileParse, DosEndOfFileMarkIsIgnored) {
  const auto p = ProfileFile::Parse("[S]\nk=v\n\x1a");
  EXPECT_EQ(p.GetString("S", "k", 128), "v");
  ASSERT_EQ(p.sections().size(), 2u);
  EXPECT_EQ(p.sections()[1].keys.size(), 1u);
}

}  // namespace
}  // namespace dv
