#include "reports/ReportText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(OrdinalText, NamesEveryGenerationUpToNinetyNine) {
  EXPECT_EQ(dv::OrdinalText(1), "First");
  EXPECT_EQ(dv::OrdinalText(12), "Twelfth");
  EXPECT_EQ(dv::OrdinalText(20), "Twentieth");
  EXPECT_EQ(dv::OrdinalText(21), "Twenty-First");
  EXPECT_EQ(dv::OrdinalText(30), "Thirtieth");
  EXPECT_EQ(dv::OrdinalText(42), "Forty-Second");
  EXPECT_EQ(dv::OrdinalText(90), "Ninetieth");
  EXPECT_EQ(dv::OrdinalText(99), "Ninety-Ninth");
  EXPECT_EQ(dv::OrdinalText(0), "");
  EXPECT_EQ(dv::OrdinalText(100), "");
}

TEST(ReportDate, LowersEveryLetterAfterTheFirst) {
  EXPECT_EQ(dv::ReportDate("12 MAR 1820"), "12 Mar 1820");
  EXPECT_EQ(dv::ReportDate("  BET 1820 AND 1830"), "Bet 1820 and 1830");
  EXPECT_EQ(dv::ReportDate("1850"), "1850");
  EXPECT_EQ(dv::ReportDate(""), "");
}

TEST(WithoutEventPrefix, RemovesTheWholePrefix) {
  EXPECT_EQ(dv::WithoutEventPrefix("b 12 MAR 1820"), "12 MAR 1820");
  EXPECT_EQ(dv::WithoutEventPrefix("c ABT 1820"), "ABT 1820");
  EXPECT_EQ(dv::WithoutEventPrefix("d 1880"), "1880");
  // A burial's two-letter prefix goes whole: no stray "d".
  EXPECT_EQ(dv::WithoutEventPrefix("bd 5 JUN 1850"), "5 JUN 1850");
  EXPECT_EQ(dv::WithoutEventPrefix("m 1868"), "1868");
  // A place without a date leaves only the prefix.
  EXPECT_EQ(dv::WithoutEventPrefix("b "), "");
}

TEST(Names, RecordAndPlainForms) {
  EXPECT_EQ(dv::RecordName("John William Smith"), "SMITH, John William");
  EXPECT_EQ(dv::RecordName("Jan van_Dyke"), "VAN DYKE, Jan");
  EXPECT_EQ(dv::RecordName("Mary ____"), "____, Mary");
  EXPECT_EQ(dv::PlainName("Jan van_Dyke"), "Jan van Dyke");
  EXPECT_EQ(dv::PlainName("Mary ____"), "Mary");
}

TEST(NoteLines, BreaksAtLineEndsAndSpaces) {
  EXPECT_EQ(dv::NoteLines("First line\r\n\r\n  Second line\nThird"),
            (std::vector<std::string>{"First line", "Second line", "Third"}));
  const std::string words =
      "The quick brown fox jumps over the lazy dog and keeps on running through the "
      "meadow until evening.";
  const std::vector<std::string> lines = dv::NoteLines(words);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "The quick brown fox jumps over the lazy dog and keeps on running through the");
  EXPECT_EQ(lines[1], "meadow until evening.");
  for (const auto& line : lines) EXPECT_LE(line.size(), 80u);
}

TEST(NoteLines, ALongWordIsCutAtEightyWithAHyphen) {
  const std::string word(100, 'x');
  const std::vector<std::string> lines = dv::NoteLines(word);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(80, 'x') + "-");
  EXPECT_EQ(lines[1], std::string(20, 'x'));
  // Exactly 80 characters and a space fill one line.
  const std::vector<std::string> exact = dv::NoteLines(std::string(80, 'y') + " z");
  EXPECT_EQ(exact, (std::vector<std::string>{std::string(80, 'y'), "z"}));
  EXPECT_TRUE(dv::NoteLines(" \r\n ").empty());
}

TEST(RtfEscape, KeepsDataTextInert) {
  EXPECT_EQ(dv::RtfEscape("a\\b{c}d"), "a\\'5cb\\{c\\}d");
  EXPECT_EQ(dv::RtfEscape("Zo\xEB"), "Zo\\'eb");
  EXPECT_EQ(dv::RtfEscape("a\tb"), "a\\tab b");
  EXPECT_EQ(dv::RtfEscape(std::string("\x01", 1)), "\\'01");
  EXPECT_EQ(dv::RtfEscape("plain text, 12 (3)"), "plain text, 12 (3)");
}

}  // namespace
