// The chart files end to end: extract from a GEDCOM file's text, read back
// as a data source, and the chart drawn from the file against the chart
// drawn from the record store.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "charts/selective/BirthBriefChart.h"
#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/ChartFileRead.h"
#include "charts/selective/ChartFileWrite.h"
#include "charts/selective/SelectiveChart.h"
#include "charts/selective/SelectiveTestData.h"
#include "common/FileSizeLimitTestSupport.h"
#include "common/SafeFile.h"
#include "data/Extract.h"
#include "data/ExtractScan.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"

namespace dv {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  int tooLong = 0;
  SplitChartLines(text, lines, tooLong);
  return lines;
}

class ChartFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ged = test::TestTempPath("families.ged");
    dva = test::TestTempPath("chart.dva");
    dvb = test::TestTempPath("tree.dvb");
    WriteAll(ged, test::kSelectiveFamilies);
    prompter.show = [this](int id, const std::string& suffix) {
      said.push_back(id);
      suffixes.push_back(suffix);
    };
    prompter.ask = [this](int id, const std::string&) {
      said.push_back(id);
      return answer;
    };
    page.pageColumns = 140;
    page.pageLines = 90;
    page.marginLeft = 3;
    page.marginRight = 2;
    page.marginTop = 2;
    page.marginBottom = 1;
  }
  void TearDown() override {
    for (const std::string& p : {ged, dva, dvb}) std::filesystem::remove(p);
  }
  ExtractRequest Request(std::int32_t base, std::vector<std::int32_t> selection,
                         const std::string& out) const {
    ExtractRequest rq;
    rq.sourcePath = ged;
    rq.outputPath = out;
    rq.baseNumber = base;
    rq.selection = std::move(selection);
    return rq;
  }
  std::string DumpOf(const SelectiveChart& chart) const {
    int status = 0;
    return DumpDrawing([&chart](DrawSurface& s, int cw, int ch, int pg,
                                int sc) { return chart.Draw(s, cw, ch, pg, sc); },
                       0, 1, status);
  }
  std::string ged, dva, dvb;
  SelectivePrompter prompter;
  std::vector<int> said;
  std::vector<std::string> suffixes;
  bool answer = true;
  SelectivePage page;
};

// ---- The Selective Tree chart file ----

TEST_F(ChartFileTest, TreeFileHoldsTheStatedLines) {
  ASSERT_EQ(ExtractTree(Request(1, {8, 12}, dvb), prompter), 0) << testing::PrintToString(said);
  EXPECT_EQ(ReadAll(dvb),
            "Tree\n"
            "8 12 \n"
            "1 Ann Louise Carter\n"
            "1 1 (Wells, Somerset,1985)/1/20/Tom Carter/Jane Lowe\n"
            "1 Ben Arthur/0/1987/Ann Louise/1/1990/Cara/0/1993/\n"
            "2 2 (1950)/Henry Carter/Rose Hill\n"
            "2 Tom/1//Mark/0//\n"
            "3 3 ()/Peter Lowe/Alice Moss\n"
            "3 Kate \"Kitty\"/0//Jane/1//\n"
            "4 4 ()/George Carter/Edith Day\n"
            "4 Henry/1//\n"
            "6 5 ()/Samuel Lowe/Mary Reed\n"
            "6 Peter/2//Walter/0//\n"
            "0 20 (1995)/Tom Carter/Susan Bell\n"
            "0 20 Lily/0//\n");
}

TEST_F(ChartFileTest, ExtractingTwiceGivesTheSameFile) {
  ASSERT_EQ(ExtractTree(Request(1, {8, 12}, dvb), prompter), 0);
  const std::string first = ReadAll(dvb);
  ASSERT_EQ(ExtractTree(Request(1, {8, 12}, dvb), prompter), 0);
  EXPECT_EQ(ReadAll(dvb), first);
}

TEST_F(ChartFileTest, TreeFromTheFileDrawsAsTheTreeFromTheStore) {
  for (const std::vector<std::int32_t>& selection :
       {std::vector<std::int32_t>{8, 12}, std::vector<std::int32_t>{9},
        std::vector<std::int32_t>{8, 9, 13}}) {
    ASSERT_EQ(ExtractTree(Request(1, selection, dvb), prompter), 0);
    RecordStore store;
    ASSERT_EQ(test::LoadGedcomText(store, test::kSelectiveFamilies), 0);
    SelectiveGatherInput in;
    in.store = &store;
    in.baseIndex = store.FindIndex(kIndi, 1);
    in.selection = selection;
    SelectiveChart fromStore, fromFile;
    ASSERT_EQ(fromStore.Run(in, page, prompter), 0);
    ASSERT_EQ(fromFile.RunChartFile(dvb, in.options, page, prompter), 0)
        << testing::PrintToString(said);
    EXPECT_EQ(DumpOf(fromFile), DumpOf(fromStore)) << ReadAll(dvb);
  }
}

TEST_F(ChartFileTest, CousinMarriageFromTheFileDrawsAsFromTheStore) {
  ASSERT_EQ(ExtractTree(Request(30, {8, 14}, dvb), prompter), 0);
  RecordStore store;
  ASSERT_EQ(test::LoadGedcomText(store, test::kSelectiveFamilies), 0);
  SelectiveGatherInput in;
  in.store = &store;
  in.baseIndex = store.FindIndex(kIndi, 30);
  in.selection = {8, 14};
  SelectiveChart fromStore, fromFile;
  ASSERT_EQ(fromStore.Run(in, page, prompter), 0);
  ASSERT_EQ(fromFile.RunChartFile(dvb, in.options, page, prompter), 0)
      << testing::PrintToString(said);
  EXPECT_EQ(DumpOf(fromFile), DumpOf(fromStore)) << ReadAll(dvb);
}

TEST_F(ChartFileTest, AMissingFamilyLineDoesNotLoseTheLaterOnes) {
  ASSERT_EQ(ExtractTree(Request(1, {8, 12}, dvb), prompter), 0);
  std::vector<std::string> lines = Lines(ReadAll(dvb));
  // Hand edits: the family keyed 3 moved to the end, the one keyed 2 removed.
  std::vector<std::string> edited;
  std::vector<std::string> moved;
  for (const std::string& l : lines) {
    if (l.rfind("3 ", 0) == 0) moved.push_back(l);
    else if (l.rfind("2 ", 0) == 0 && &l != &lines[1]) continue;
    else edited.push_back(l);
  }
  edited.insert(edited.end(), moved.begin(), moved.end());
  SelectiveTables t;
  ASSERT_EQ(ReadTreeChartLines(edited, SelectiveOptions{}, t, prompter), 0);
  std::vector<std::int32_t> keys;
  for (int g = 1; g <= t.groupCount; ++g) keys.push_back(t.groups[g].key);
  // 4 hangs on the missing 2 and goes with it; 3 and 6 are still found.
  EXPECT_EQ(keys, (std::vector<std::int32_t>{1, 3, 6, 1}));
}

TEST_F(ChartFileTest, RemarriagesAreReadBackToTheirFamily) {
  ASSERT_EQ(ExtractTree(Request(1, {8}, dvb), prompter), 0);
  SelectiveTables t;
  ASSERT_EQ(ReadTreeChartLines(Lines(ReadAll(dvb)), SelectiveOptions{}, t, prompter), 0);
  ASSERT_GE(t.groupCount, 2);
  const FamilyGroup& main = t.groups[1];
  ASSERT_GT(main.husbandOther, 0);
  const FamilyGroup& other = t.groups[main.husbandOther];
  EXPECT_EQ(other.family, 20);
  EXPECT_EQ(FieldText(other.wife), "Susan Bell");
  EXPECT_EQ(other.spouseOrder, 1);
  EXPECT_EQ(main.husbandMarriage, 1);
}

TEST_F(ChartFileTest, OnlyTheWifesRemarriageIsNotGivenToTheHusband) {
  const std::vector<std::string> lines = {
      "Tree", "2 ", "1 Ann Carter", "1 1 (Bath,1900)/0/0/1/9/Tom Carter/Jane Lowe",
      "1 Ann/1/1901/", "0 9 ()/Ian Park/Jane Lowe", "0 9 Joe/0//"};
  SelectiveTables t;
  ASSERT_EQ(ReadTreeChartLines(lines, SelectiveOptions{}, t, prompter), 0)
      << testing::PrintToString(said);
  EXPECT_EQ(t.groups[1].husbandOther, 0);
  EXPECT_EQ(t.groups[1].wifeOther, 2);
  EXPECT_EQ(t.groups[1].wifeMarriage, 1);
}

TEST_F(ChartFileTest, TreeHeaderErrors) {
  TreeFileHeader h;
  EXPECT_EQ(ReadTreeHeader({"Chart", "2 ", "1 A"}, h), kMsgChartWrongFormat);
  EXPECT_EQ(ReadTreeHeader({"Tree", "2 0 ", "1 A"}, h), kMsgDataError);
  EXPECT_EQ(ReadTreeHeader({"Tree", "2 ", "0 A"}, h), kMsgDataError);
  EXPECT_EQ(ReadTreeHeader({"Tree", "2 x", "1 A"}, h), kMsgDataError);
  std::string many;
  for (int i = 0; i < 33; ++i) many += "2 ";
  EXPECT_EQ(ReadTreeHeader({"Tree", many, "1 A"}, h), kMsgDataError);
  ASSERT_EQ(ReadTreeHeader({"Tree", "8 12 ", "1 Ann Carter"}, h), 0);
  EXPECT_EQ(h.selection, (std::vector<std::int32_t>{8, 12}));
  EXPECT_EQ(h.baseName, "Ann Carter");
}

TEST_F(ChartFileTest, TheChildrenLimitAppliesWhenReading) {
  std::vector<std::string> lines = {"Tree", "2 ", "1 Ann Carter",
                                    "1 1 ()/Tom Carter/Jane Lowe"};
  std::string children = "1 ";
  for (int i = 0; i < 25; ++i) children += "C" + std::to_string(i) + "/0//";
  lines.push_back(children);
  SelectiveTables t;
  EXPECT_EQ(ReadTreeChartLines(lines, SelectiveOptions{}, t, prompter),
            kMsgTooManyChildrenInFamily);
  lines.back() = children.substr(0, children.rfind("C24/"));
  EXPECT_EQ(ReadTreeChartLines(lines, SelectiveOptions{}, t, prompter), 0);
  EXPECT_EQ(t.childCount, 24);
}

TEST_F(ChartFileTest, LongLinesAreRefusedNotSplit) {
  WriteAll(dvb, "Tree\n2 \n1 Ann\n1 1 ()/" + std::string(300, 'x') + "/Jane\n");
  SelectiveTables t;
  EXPECT_EQ(ReadTreeChartFile(dvb, SelectiveOptions{}, t, prompter), kMsgChartLineTooLong);
  EXPECT_EQ(suffixes.back(), "4");
}

TEST_F(ChartFileTest, SlashesInFieldsRoundTrip) {
  std::string text = test::kSelectiveFamilies;
  const std::string from = "2 PLAC Wells, Somerset";
  text.replace(text.find(from), from.size(), "2 PLAC Wells/Bath");
  WriteAll(ged, text);
  ASSERT_EQ(ExtractTree(Request(1, {8}, dvb), prompter), 0);
  EXPECT_NE(ReadAll(dvb).find("(Wells\\/Bath,1985)/1/20/Tom Carter/Jane Lowe"), std::string::npos);
  SelectiveTables t;
  ASSERT_EQ(ReadTreeChartFile(dvb, SelectiveOptions{}, t, prompter), 0);
  EXPECT_EQ(FieldText(t.groups[1].marriage), "(Wells/Bath,1985)");
  EXPECT_EQ(FieldText(t.groups[1].husband), "Tom Carter");
}

// ---- The Birth Brief chart file ----

TEST_F(ChartFileTest, BirthBriefFileHoldsTheStatedLines) {
  ASSERT_EQ(ExtractBirthBrief(Request(1, {}, dva), prompter), 0);
  EXPECT_EQ(ReadAll(dva),
            "Chart\n"
            "1 Ann Louise Carter/ /b Bath, Somerset,1990/\n"
            "2 Tom Carter/ //\n"
            "3 Jane Lowe/ //\n"
            "4 Henry Carter/ //\n"
            "5 Rose Hill/ //\n"
            "6 Peter Lowe/ //\n"
            "7 Alice Moss/ //\n"
            "8 George Carter/ //\n"
            "9 Edith Day/ //\n"
            "12 Samuel Lowe/ //\n"
            "13 Mary Reed/ //\n");
}

TEST_F(ChartFileTest, BirthBriefFromTheFileMatchesTheStore) {
  ASSERT_EQ(ExtractBirthBrief(Request(1, {}, dva), prompter), 0);
  RecordStore store;
  ASSERT_EQ(test::LoadGedcomText(store, test::kSelectiveFamilies), 0);
  BirthBriefOptions options;
  BirthBriefTables fromStore, fromFile;
  ASSERT_EQ(GatherBirthBrief(store, store.FindIndex(kIndi, 1), options, fromStore).status, 0);
  ASSERT_EQ(ReadBirthBriefChartFile(dva, options, fromFile, prompter), 0);
  for (int s = 0; s < kNameRows; ++s) {
    EXPECT_EQ(fromFile.Name(s), fromStore.Name(s)) << s;
    EXPECT_EQ(fromFile.Ref(s) != 0, fromStore.Ref(s) != 0) << s;
  }
  for (int r = 0; r < kDetailRows; ++r) EXPECT_EQ(fromFile.Detail(r), fromStore.Detail(r)) << r;
}

TEST_F(ChartFileTest, BirthBriefLinesInAnyOrderGoToTheirSlots) {
  BirthBriefOptions options;
  BirthBriefTables t;
  ASSERT_EQ(ReadBirthBriefChartLines({"Chart", "3 Jane Lowe/ Nurse/b Ely,1931/d 1999",
                                      "70 Far Away/ Smith/b X,1700/d Y,1760",
                                      "1 Ann_Carter/ Clerk/c Bath,1990/"},
                                     options, t, prompter),
            0);
  EXPECT_EQ(t.Name(0), " Ann Carter");
  EXPECT_EQ(t.Name(2), " Jane Lowe");
  EXPECT_EQ(t.Occupation(2), " Nurse");
  EXPECT_EQ(t.Birth(2), "b Ely,1931");
  EXPECT_EQ(t.Death(2), "d 1999");
  EXPECT_EQ(t.Birth(0), "c Bath,1990");
  EXPECT_EQ(t.Name(69), " Far Away");
  EXPECT_EQ(t.Ref(1), 0);  // no line for 2
}

TEST_F(ChartFileTest, BirthBriefFileErrors) {
  BirthBriefOptions options;
  BirthBriefTables t;
  EXPECT_EQ(ReadBirthBriefChartLines({"Tree", "1 Ann"}, options, t, prompter),
            kMsgChartWrongFormat);
  EXPECT_EQ(ReadBirthBriefChartLines({"Chart", "2 Tom"}, options, t, prompter), -1);
  EXPECT_EQ(said.back(), kMsgReferenceNotFound);
  EXPECT_EQ(suffixes.back(), "1");
  EXPECT_EQ(ReadBirthBriefChartLines({"Chart", "1 Ann Wolfeschlegelsteinhausenbergerdorff"}, options,
                                     t, prompter),
            -1);
  EXPECT_EQ(said.back(), kMsgManualEditing);
  EXPECT_EQ(ReadBirthBriefChartFile(test::TestTempPath("none.dva"), options, t, prompter),
            kMsgChartFileCannotOpen);
  // A folder named like a chart file is one that cannot be opened.
  const std::string folder = test::TestTempPath("folder.dva");
  std::filesystem::create_directories(folder);
  EXPECT_EQ(ReadBirthBriefChartFile(folder, options, t, prompter), kMsgChartFileCannotOpen);
  std::filesystem::remove(folder);
}

TEST_F(ChartFileTest, BirthBriefExtractStopsAtAMissingRecord) {
  std::string text = test::kSelectiveFamilies;
  const std::string from = "0 @F4@ FAM";
  text.replace(text.find(from), from.size(), "0 @F44@ FAM");
  WriteAll(ged, text);
  WriteAll(dva, "Chart\n1 earlier\n");
  EXPECT_EQ(ExtractBirthBrief(Request(1, {}, dva), prompter), kMsgErrorInData);
  EXPECT_EQ(said.back(), kMsgReferenceNotFound);
  EXPECT_EQ(suffixes.back(), "4");
  EXPECT_EQ(ReadAll(dva), "Chart\n1 earlier\n");  // the earlier file is kept
}

TEST_F(ChartFileTest, QuestionSixtyFourForANameNotEndingInGed) {
  const std::string other = test::TestTempPath("families.txt");
  WriteAll(other, test::kSelectiveFamilies);
  ExtractRequest rq = Request(1, {}, dva);
  rq.sourcePath = other;
  answer = false;
  EXPECT_EQ(ExtractBirthBrief(rq, prompter), -1);
  EXPECT_EQ(said.back(), kMsgNotGedcomQuestion);
  EXPECT_FALSE(std::filesystem::exists(dva));
  answer = true;
  EXPECT_EQ(ExtractBirthBrief(rq, prompter), 0);
  std::filesystem::remove(other);
}

// ---- The sample's chart files ----

TEST_F(ChartFileTest, TheSampleChartFilesAreWhatTheExtractWrites) {
  const std::string sample = std::string(DORVANE_TESTDATA) + "/../sample/";
  ExtractRequest rq = Request(1, {}, dva);
  rq.sourcePath = sample + "sample.ged";
  ASSERT_EQ(ExtractBirthBrief(rq, prompter), 0);
  EXPECT_EQ(ReadAll(dva), ReadAll(sample + "sample.dva"));
  rq.outputPath = dvb;
  rq.selection = {16, 20, 26, 30};
  ASSERT_EQ(ExtractTree(rq, prompter), 0);
  EXPECT_EQ(ReadAll(dvb), ReadAll(sample + "sample.dvb"));
}

// ---- The extract's checks ----

TEST_F(ChartFileTest, TheSourceIsNeverTheOutput) {
  const std::string before = ReadAll(ged);
  std::string upper = ged;
  const std::size_t slash = upper.find_last_of('/');
  for (std::size_t i = slash + 1; i < upper.size(); ++i)
    upper[i] = char(std::toupper(static_cast<unsigned char>(upper[i])));
  for (const std::string& out :
       {ged, upper, std::filesystem::path(ged).parent_path().string() + "/./" +
                        std::filesystem::path(ged).filename().string()}) {
    EXPECT_EQ(RunExtract(Request(1, {8}, out), kExtractTree, prompter), kMsgSameFiles) << out;
    EXPECT_EQ(ReadAll(ged), before);
  }
  // Relative to the current folder.
  const auto keep = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::path(ged).parent_path());
  EXPECT_EQ(RunExtract(Request(1, {8}, std::filesystem::path(ged).filename().string()),
                       kExtractBirthBrief, prompter),
            kMsgSameFiles);
  std::filesystem::current_path(keep);
  EXPECT_EQ(ReadAll(ged), before);
}

TEST_F(ChartFileTest, AnExistingOutputIsReplacedOnlyWhenAgreed) {
  WriteAll(dvb, "kept\n");
  answer = false;
  EXPECT_EQ(RunExtract(Request(1, {8}, dvb), kExtractTree, prompter), -1);
  EXPECT_EQ(said.back(), kMsgReplaceOutput);
  EXPECT_EQ(ReadAll(dvb), "kept\n");
  answer = true;
  EXPECT_EQ(RunExtract(Request(1, {8}, dvb), kExtractTree, prompter), 0);
  EXPECT_EQ(ReadAll(dvb).substr(0, 5), "Tree\n");
}

TEST_F(ChartFileTest, AnOutputThatCannotBeCreatedIsReported) {
  const std::string missing = test::TestTempPath("no-such-folder") + "/out.dvb";
  EXPECT_EQ(ExtractTree(Request(1, {8}, missing), prompter), kMsgChartFileCannotOpen);
  EXPECT_EQ(said.back(), kMsgChartFileCannotOpen);
  EXPECT_EQ(ExtractBirthBrief(Request(1, {}, missing), prompter), kMsgCannotOpenForOutput);
  EXPECT_EQ(said.back(), kMsgCannotOpenForOutput);
  EXPECT_EQ(suffixes.back(), missing);
}

#if !defined(_WIN32)
TEST_F(ChartFileTest, AWriteFailureIsReportedAndKeepsThePreviousFile) {
  WriteAll(dvb, "previous\n");
  // Files may grow to 64 bytes only: the chart file runs into the limit.
  int rc = 0;
  {
    test::ScopedFileSizeLimit limit(64);
    ASSERT_TRUE(limit.Set());
    rc = RunExtract(Request(1, {8, 12}, dvb), kExtractTree, prompter);
  }
  EXPECT_EQ(rc, kMsgErrorWritingFile);
  EXPECT_EQ(said.back(), kMsgErrorWritingFile);
  EXPECT_EQ(ReadAll(dvb), "previous\n");
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(dvb).parent_path()))
    files += e.path().filename().string().find(std::filesystem::path(dvb).filename().string() + ".~dv") == 0;
  EXPECT_EQ(files, 0);  // no temporary file left beside it
}
#endif

}  // namespace
}  // namespace dv
