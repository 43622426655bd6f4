#include "shell/StartupFile.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(StartupCommandLine, BlanksAndQuotesAreStrippedAndTextUpperCased) {
  StartupFile f = InterpretStartupFile(R"(  "C:\DATA\family.ged")", 0, "");
  EXPECT_EQ(f.kind, kStartupGedcom);
  EXPECT_EQ(f.path, R"(C:\DATA\FAMILY.GED)");
}

TEST(StartupCommandLine, ChartFilesGiveTheirKinds) {
  StartupFile dva = InterpretStartupFile(R"("C:\Charts\Smith.dva")", 0, "");
  EXPECT_EQ(dva.kind, kStartupBirthBrief);
  EXPECT_EQ(dva.path, R"(C:\CHARTS\SMITH.DVA)");
  StartupFile dvb = InterpretStartupFile(R"(C:\Charts\Smith.DVB)", 0, "");
  EXPECT_EQ(dvb.kind, kStartupTree);
  EXPECT_EQ(dvb.path, R"(C:\CHARTS\SMITH.DVB)");
}

TEST(StartupCommandLine, GedAnywhereWinsOverChartExtension) {
  StartupFile f = InterpretStartupFile(R"("C:\OLD.GED\tree.dva")", 0, "");
  EXPECT_EQ(f.kind, kStartupGedcom);
  EXPECT_EQ(f.path, R"(C:\OLD.GED\TREE.DVA)");
  // ".DVA" is tested before ".DVB".
  EXPECT_EQ(InterpretStartupFile(R"(C:\A.DVB\B.DVA)", 0, "").kind, kStartupBirthBrief);
}

TEST(StartupCommandLine, UnrecognisedTextIsIgnored) {
  StartupFile f = InterpretStartupFile(R"("C:\DATA\notes.txt")", 1, R"(C:\LAST.GED)");
  EXPECT_EQ(f.kind, kNoStartupFile);
  EXPECT_EQ(f.path, "");
  // Blanks alone are a command line, so auto-load does not apply either.
  EXPECT_EQ(InterpretStartupFile("  ", 1, R"(C:\LAST.GED)").kind, kNoStartupFile);
}

TEST(StartupCommandLine, PathEndsAtTheNextQuote) {
  StartupFile f = InterpretStartupFile(R"(""C:\A.GED" /extra)", 0, "");
  EXPECT_EQ(f.path, R"(C:\A.GED)");
}

TEST(StartupCommandLine, PathIsCutToTheSourceCapacity) {
  std::string longPath = "C:\\" + std::string(400, 'd') + "\\X.GED";
  StartupFile f = InterpretStartupFile("\"" + longPath + "\"", 0, "");
  EXPECT_EQ(f.kind, kStartupGedcom);
  EXPECT_EQ(f.path.size(), kCurrentSourceCapacity - 1);
}

TEST(StartupCommandLine, OnlyTheFirst511CharactersAreExamined) {
  std::string text = std::string(511, 'a') + ".GED";
  EXPECT_EQ(InterpretStartupFile(text, 0, "").kind, kNoStartupFile);
}

TEST(StartupAutoLoad, LoadsNewestRecentGedcomFileWhenOn) {
  StartupFile f = InterpretStartupFile("", 1, R"(C:\DATA\FAMILY.GED)");
  EXPECT_EQ(f.kind, kStartupGedcom);
  EXPECT_EQ(f.path, R"(C:\DATA\FAMILY.GED)");
}

TEST(StartupAutoLoad, NeedsThePreferenceAndAGedcomPath) {
  EXPECT_EQ(InterpretStartupFile("", 0, R"(C:\DATA\FAMILY.GED)").kind, kNoStartupFile);
  EXPECT_EQ(InterpretStartupFile("", 1, R"(C:\DATA\SMITH.DVA)").kind, kNoStartupFile);
  EXPECT_EQ(InterpretStartupFile("", 1, "").kind, kNoStartupFile);
  EXPECT_EQ(InterpretStartupFile("", 1, "").path, "");
}

TEST(BirthBriefWidth, HeldBetween20And31) {
  EXPECT_EQ(ClampBirthBriefWidth(35), 31);
  EXPECT_EQ(ClampBirthBriefWidth(32), 31);
  EXPECT_EQ(ClampBirthBriefWidth(31), 31);
  EXPECT_EQ(ClampBirthBriefWidth(23), 23);
  EXPECT_EQ(ClampBirthBriefWidth(20), 20);
  EXPECT_EQ(ClampBirthBriefWidth(10), 20);
  EXPECT_EQ(ClampBirthBriefWidth(-5), 20);
}

TEST(WindowTitle, NameAfterTheLastBackslash) {
  EXPECT_EQ(WindowTitle(R"(C:\DATA\FAMILY.GED)"), "Dorvane - FAMILY.GED");
  EXPECT_EQ(WindowTitle("FAMILY.GED"), "Dorvane - FAMILY.GED");
  EXPECT_EQ(WindowTitle("C:\\DATA\\"), "Dorvane - ");
}

}  // namespace
}  // namespace dv
