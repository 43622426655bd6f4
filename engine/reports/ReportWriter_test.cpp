#include "reports/ReportWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/FileSizeLimitTestSupport.h"
#include "common/GoldenText.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "reports/ReportText.h"
#include "shell/Settings.h"

namespace dv {
namespace {

const std::string kData = DORVANE_TESTDATA;

void ExpectGolden(const std::string& name, const std::string& text) {
  testing::ExpectGoldenText(kData + "/reports/" + name, text);
}

// Whether the braces of a Rich Text document pair up (escaped ones aside)
// and the document is one group.
bool BracesBalanced(const std::string& rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;  // the escaped character or the control word's first letter
      continue;
    }
    if (rtf[i] == '{') ++depth;
    if (rtf[i] == '}' && --depth < 0) return false;
    if (depth == 0 && i + 1 < rtf.size()) return false;
  }
  return depth == 0;
}

ReportOptions AllOn() {
  ReportOptions o;
  o.includeNotes = o.numberIndividuals = o.includeHeading = o.generationSubheadings = true;
  o.keepTogether = true;
  return o;
}

class ReportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string summary;
    ASSERT_EQ(LoadDataSource(store, kData + "/reports/family.ged", LoadOptions{}, summary), 0);
  }
  std::string Text(ReportRequest request) {
    std::string text;
    EXPECT_EQ(ReportText(store, request, text), 0);
    return text;
  }
  RecordStore store;
};

TEST_F(ReportWriterTest, AllIndividualsAlphabeticPlainText) {
  ReportRequest r;
  r.kind = kReportAlphabetic;
  r.rtf = false;
  r.heading = "Dorvane - FAMILY.GED";
  r.options = AllOn();
  ExpectGolden("all-alphabetic.txt", Text(r));
}

TEST_F(ReportWriterTest, AllIndividualsDatabaseOrderRichText) {
  ReportRequest r;
  r.kind = kReportDatabase;
  r.rtf = true;
  r.heading = "Smith {family} of Leeds\\York";
  r.options = AllOn();
  r.options.keepTogether = false;
  const std::string rtf = Text(r);
  EXPECT_TRUE(BracesBalanced(rtf));
  ExpectGolden("all-database.rtf", rtf);
}

TEST_F(ReportWriterTest, DescendantsWithSubheadingsRichText) {
  ReportRequest r;
  r.kind = kReportDescendants;
  r.base = 1;
  r.rtf = true;
  r.heading = DefaultReportHeading("Descendants of:", "William Smith");
  r.options = AllOn();
  const std::string rtf = Text(r);
  EXPECT_TRUE(BracesBalanced(rtf));
  ExpectGolden("descendants.rtf", rtf);
}

TEST_F(ReportWriterTest, DescendantsPlainTextChildrenUnderFatherOnly) {
  ReportRequest r;
  r.kind = kReportDescendants;
  r.base = 1;
  r.rtf = false;
  r.options.childrenUnderFatherOnly = true;
  r.options.numberIndividuals = true;
  r.options.generationSubheadings = true;
  r.options.includeNotes = true;
  r.options.omitNotesTitle = true;
  ExpectGolden("descendants-father-only.txt", Text(r));
}

TEST_F(ReportWriterTest, AncestorsPlainText) {
  ReportRequest r;
  r.kind = kReportAncestors;
  r.base = 5;
  r.rtf = false;
  r.options = AllOn();
  r.heading = DefaultReportHeading("Ancestors of:", "Alice Smith");
  ExpectGolden("ancestors.txt", Text(r));
}

TEST_F(ReportWriterTest, PlainTextHasNoControlWords) {
  ReportRequest r;
  r.kind = kReportDescendants;
  r.base = 1;
  r.rtf = false;
  r.options = AllOn();
  r.heading = "Heading";
  const std::string text = Text(r);
  // The only backslash is the one in the note's own text.
  EXPECT_EQ(text.find("\\par"), std::string::npos);
  EXPECT_EQ(text.find("{\\"), std::string::npos);
  EXPECT_EQ(text.find('\\'), text.find("back\\slash") + 4);
}

TEST_F(ReportWriterTest, PeopleOutsideTheListGetNoNumber) {
  ReportRequest r;
  r.kind = kReportAncestors;
  r.base = 3;  // John: his wife Mary and his children are not his ancestors
  r.rtf = false;
  r.options.numberIndividuals = true;
  const std::string text = Text(r);
  EXPECT_NE(text.find("Married:  1868, Mary Jones\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\tChildren: \tAlice Smith,  bapt. 1871\r\n"), std::string::npos);
  EXPECT_NE(text.find("Father:  (2) William Smith\r\n"), std::string::npos);
  EXPECT_EQ(text.find("(0)"), std::string::npos);
}

TEST_F(ReportWriterTest, BurialAndBaptismLines) {
  ReportRequest r;
  r.kind = kReportDatabase;
  r.rtf = false;
  const std::string text = Text(r);
  EXPECT_NE(
      text.find(
          "BAKER, Ann\r\nBaptised:  3 Apr 1822\r\nBuried:  5 Jun 1850, St. Mary's, Leeds\r\n"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("Born:  Wakefield\r\n"), std::string::npos);
  // An individual with no events: the name line and the end of the record.
  EXPECT_NE(text.find("\r\nVAN DYKE, Zo\xEB\r\n\r\n"), std::string::npos);
}

TEST_F(ReportWriterTest, AWomansChildrenAreCountedWhenListedUnderTheFather) {
  ReportRequest r;
  r.kind = kReportDatabase;
  r.rtf = false;
  r.options.childrenUnderFatherOnly = true;
  const std::string text = Text(r);
  EXPECT_NE(text.find("JONES, Mary\r\nBorn:  Wakefield\r\nMarried:  1868, John Smith\r\n"
                      "\tChildren: 2\r\n\r\n"),
            std::string::npos)
      << text;
  // The father keeps the children's lines.
  EXPECT_NE(text.find("Married:  1868, Mary Jones\r\n\tChildren: \tAlice Smith,  bapt. 1871\r\n"
                      "\t\t\tAlbert Smith,  born 1872\r\n"),
            std::string::npos);
}

TEST_F(ReportWriterTest, PrologLinesAreCutBeforeAControlWord) {
  ReportRequest r;
  r.kind = kReportAlphabetic;
  r.page.font.faceName = "A Very Long Font Face Name For Testing";
  const std::string rtf = Text(r);
  const std::string prolog = rtf.substr(0, rtf.find("\\widowctrl "));
  std::size_t start = 0;
  int lines = 0;
  for (std::size_t end; (end = prolog.find("\r\n", start)) != std::string::npos; start = end + 2) {
    EXPECT_LE(end - start, 126u);
    EXPECT_EQ(prolog[end + 2], '\\');
    ++lines;
  }
  EXPECT_GE(lines, 1);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\uc1 \\deff0", 0), 0u);
}

TEST_F(ReportWriterTest, ProgressEveryTenRecords) {
  ReportRequest r;
  r.kind = kReportDatabase;
  std::vector<std::pair<int, int>> calls;
  std::string text;
  ASSERT_EQ(ReportText(store, r, text,
                       [&](int done, int total) {
                         calls.push_back({done, total});
                       }),
            0);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), (std::pair<int, int>{0, 9}));
  EXPECT_EQ(calls.back(), (std::pair<int, int>{9, 9}));
}

// A line of 101 generations, base first: I1 is the child of I2, ...
std::string Chain(int people) {
  std::string g = "0 HEAD\n";
  for (int i = 1; i <= people; ++i) {
    g += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME P" + std::to_string(i) + " /Line/\n1 SEX M\n";
    if (i < people) g += "1 FAMC @F" + std::to_string(i) + "@\n";
    if (i > 1) g += "1 FAMS @F" + std::to_string(i - 1) + "@\n";
  }
  for (int i = 1; i < people; ++i)
    g += "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB @I" + std::to_string(i + 1) + "@\n1 CHIL @I" +
         std::to_string(i) + "@\n";
  return g + "0 TRLR\n";
}

TEST(ReportGenerations, SubheadingsUpToTheNinetyNinth) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, Chain(101), LoadOptions{}, summary), 0);
  ReportRequest r;
  r.kind = kReportAncestors;
  r.base = 1;
  r.rtf = false;
  r.options.generationSubheadings = true;
  std::string text;
  ASSERT_EQ(ReportText(store, r, text), 0);
  EXPECT_NE(text.find("Twenty-First Generation\r\n\r\nLINE, P21\r\n"), std::string::npos);
  EXPECT_NE(text.find("Thirtieth Generation\r\n\r\nLINE, P30\r\n"), std::string::npos);
  EXPECT_NE(text.find("Ninety-Ninth Generation\r\n\r\nLINE, P99\r\n"), std::string::npos);
  // The 100th and 101st follow the 99th without a subheading.
  EXPECT_NE(text.find("Father:  P100 Line\r\n\r\nLINE, P100\r\n"), std::string::npos);
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(" Generation\r\n", at)) != std::string::npos; ++at)
    ++count;
  EXPECT_EQ(count, 99u);
}

TEST(ReportRichText, DataWithBracesAndBackslashesStaysValid) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store,
                                "0 HEAD\n0 @I1@ INDI\n1 NAME J}o{hn\\ /Sm{ith}/\n1 OCCU Sm\\ith}}\n"
                                "1 BIRT\n2 PLAC {{Leeds\\\n1 NOTE }\\par {\\b x\n0 TRLR\n",
                                LoadOptions{}, summary),
            0);
  ReportRequest r;
  r.kind = kReportAlphabetic;
  r.options = AllOn();
  r.heading = "}{\\";
  std::string rtf;
  ASSERT_EQ(ReportText(store, r, rtf), 0);
  EXPECT_TRUE(BracesBalanced(rtf)) << rtf;
  EXPECT_NE(rtf.find("SM\\{ITH\\}, J\\}o\\{hn\\'5c"), std::string::npos) << rtf;
}

class ReportFileTest : public ReportWriterTest {
 protected:
  void SetUp() override {
    ReportWriterTest::SetUp();
    dir = std::filesystem::temp_directory_path() /
          ("dorvane_report_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
};

TEST_F(ReportFileTest, WritesTheSameTextAsTheBuilder) {
  ReportRequest r;
  r.kind = kReportDescendants;
  r.base = 1;
  r.options = AllOn();
  const std::string path = (dir / "d.rtf").string();
  ASSERT_EQ(WriteReport(store, r, path), 0);
  std::ifstream in(path, std::ios::binary);
  std::stringstream file;
  file << in.rdbuf();
  std::string text;
  ASSERT_EQ(ReportText(store, r, text), 0);
  EXPECT_EQ(file.str(), text);
}

TEST_F(ReportFileTest, AFileThatCannotBeCreatedIsReported) {
  ReportRequest r;
  const std::string path = (dir / "missing" / "d.rtf").string();
  EXPECT_EQ(WriteReport(store, r, path), kReportCannotOpen);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(WriteReport(store, r, ""), kReportCannotOpen);
}

#if !defined(_WIN32)
TEST_F(ReportFileTest, AWriteThatRunsOutOfRoomIsReportedAndRemoved) {
  ReportRequest r;
  r.kind = kReportDescendants;
  r.base = 1;
  r.options = AllOn();
  const std::string path = (dir / "d.rtf").string();
  int rc = 0;
  {
    test::ScopedFileSizeLimit limit(64);
    ASSERT_TRUE(limit.Set());
    rc = WriteReport(store, r, path);
  }
  EXPECT_EQ(rc, kReportWriteFailed);
  EXPECT_FALSE(std::filesystem::exists(path));
}
#endif

TEST_F(ReportFileTest, NoListNoFile) {
  ReportRequest r;
  r.kind = kReportAncestors;
  r.base = 0;
  const std::string path = (dir / "a.txt").string();
  EXPECT_EQ(WriteReport(store, r, path), kReportNoList);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ReportFileName, AddsTheExtensionWhenMissing) {
  EXPECT_EQ(ReportFileName("C:\\data\\report", true), "C:\\data\\report.rtf");
  EXPECT_EQ(ReportFileName("C:\\data\\report", false), "C:\\data\\report.txt");
  EXPECT_EQ(ReportFileName("C:\\my.data\\report", false), "C:\\my.data\\report.txt");
  EXPECT_EQ(ReportFileName("C:\\data\\report.doc", true), "C:\\data\\report.doc");
  EXPECT_EQ(ReportFileName("/tmp/x.y/report", true), "/tmp/x.y/report.rtf");
  const std::string longName(251, 'a');
  EXPECT_EQ(ReportFileName(longName, true), longName + ".rtf");
  EXPECT_EQ(ReportFileName(longName + "b", true), longName + "b");
  EXPECT_EQ(ReportFileName(std::string(300, 'c'), true).size(), 255u);
}

TEST(DefaultReportHeading, LabelAndName) {
  EXPECT_EQ(DefaultReportHeading("Descendants of:", "Jan van_Dyke"), "Descendants of Jan van Dyke");
  EXPECT_EQ(DefaultReportHeading("Ancestors of:", "Mary ____"), "Ancestors of Mary");
  EXPECT_EQ(DefaultReportHeading("Ancestors of:", ""), "");
}

TEST(ReportSettings, OptionsFollowTheSettingsSlots) {
  Settings s;
  s.fparam[8] = 1;   // notes
  s.fparam[12] = 1;  // male lines only
  s.fparam[15] = 1;  // subheadings
  ReportOptions o = ReportOptions::FromSettings(s);
  EXPECT_TRUE(o.includeNotes);
  EXPECT_TRUE(o.maleLinesOnly);
  EXPECT_TRUE(o.generationSubheadings);
  EXPECT_FALSE(o.numberIndividuals);
  o.Set(2, true);
  o.Set(0, false);
  o.StoreIn(s);
  EXPECT_EQ(s.fparam[8], 0);
  EXPECT_EQ(s.fparam[10], 1);
}

TEST(ReportSettings, PageAndFont) {
  Settings s;
  ReportPage page = ReportPageOf(s);
  EXPECT_EQ(page.paperWidthTwips, 11906);
  EXPECT_EQ(page.paperHeightTwips, 16838);
  EXPECT_EQ(page.font.faceName, "Courier New");
  EXPECT_EQ(page.font.pointSize, kMinReportPointSize);
  EXPECT_EQ(RtfFamilyWord(page.font.pitchAndFamily), "\\fnil");
  s.fparam[3] = 15840;
  s.fparam[4] = 12240;
  s.fonts[kChartFont].setHeight(-16);  // 12 points at 96 dpi
  s.fonts[kChartFont].setPitchAndFamily(0x31);
  page = ReportPageOf(s, 96);
  EXPECT_EQ(page.paperHeightTwips, 15840);
  EXPECT_EQ(page.paperWidthTwips, 12240);
  EXPECT_EQ(page.font.pointSize, 12);
  EXPECT_EQ(page.font.childrenWidthTwips, 1440);
  EXPECT_EQ(RtfFamilyWord(page.font.pitchAndFamily), "\\fmodern");
  EXPECT_EQ(RtfFamilyWord(0x20), "\\fswiss");
  EXPECT_EQ(RtfFamilyWord(0x70), "\\fnil");
}

}  // namespace
}  // namespace dv
