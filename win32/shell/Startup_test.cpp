#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "resources/resource.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

std::string TitleOf(HWND window) {
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A settings file whose dparam line stores a Birth Brief width.
std::string SettingsWithBirthBriefWidth(int width) {
  std::string values;
  for (int slot = 0; slot < 48; ++slot) values += std::to_string(slot == 39 ? width : 0) + ",";
  return "[Sources]\n\n\n[Param]\ndparam=" + values + "\n";
}

using StartupFileTest = ShellTest;

TEST_F(StartupFileTest, QuotedGedcomPathIsStrippedAndUpperCased) {
  HWND window = Start(R"(  "C:\DATA\family.ged")");
  ASSERT_NE(window, nullptr);
  const auto& app = State().app;
  EXPECT_EQ(TextOf(app.currentSource), R"(C:\DATA\FAMILY.GED)");
  EXPECT_EQ(app.startupKind, kStartupGedcom);
  EXPECT_EQ(app.sourceOpen, 1);
  EXPECT_EQ(app.sourceFormat, kFormatGedcom);
  EXPECT_EQ(TitleOf(window), "Dorvane - FAMILY.GED");
  EXPECT_EQ(PostedCommands(window), std::vector<int>{IDM_FILE_OPEN});
}

TEST_F(StartupFileTest, BirthBriefChartFileStartsBirthBrief) {
  HWND window = Start(R"(C:\Charts\smith.dva)");
  const auto& app = State().app;
  EXPECT_EQ(app.startupKind, kStartupBirthBrief);
  EXPECT_EQ(app.sourceFormat, kFormatBirthBrief);
  EXPECT_EQ(TextOf(app.currentSource), R"(C:\CHARTS\SMITH.DVA)");
  EXPECT_EQ(PostedCommands(window), std::vector<int>{IDM_CHARTS_BIRTH_BRIEF});
  // Nothing is left to "resume" when the chart is cancelled later.
  EXPECT_EQ(app.resumeMode, 0);
}

TEST_F(StartupFileTest, TreeChartFileStartsSelectiveTree) {
  HWND window = Start(R"("D:\tree.dvb")");
  EXPECT_EQ(State().app.sourceFormat, kFormatTree);
  EXPECT_EQ(TextOf(State().app.currentSource), R"(D:\TREE.DVB)");
  EXPECT_EQ(PostedCommands(window), std::vector<int>{IDM_CHARTS_SELECTIVE_TREE});
}

TEST_F(StartupFileTest, GedAnywhereWinsOverChartFileExtension) {
  HWND window = Start(R"(C:\OLD.GED\smith.dva)");
  EXPECT_EQ(State().app.startupKind, kStartupGedcom);
  EXPECT_EQ(TextOf(State().app.currentSource), R"(C:\OLD.GED\SMITH.DVA)");
  EXPECT_EQ(PostedCommands(window), std::vector<int>{IDM_FILE_OPEN});
}

TEST_F(StartupFileTest, UnrecognisedCommandLineIsIgnored) {
  HWND window = Start("notes.txt");
  EXPECT_EQ(TextOf(State().app.currentSource), "");
  EXPECT_EQ(State().app.sourceOpen, 0);
  EXPECT_EQ(TitleOf(window), "Dorvane");
  EXPECT_TRUE(PostedCommands(window).empty());
}

TEST_F(StartupFileTest, EmptyCommandLineAutoLoadsNewestGedcomFile) {
  const std::string last = WriteFile("last.ged", "0 HEAD\n");
  WriteFile("Dorvane.ini", "[Sources]\nLastFile=" + last + "\n");
  HWND window = Start("");
  EXPECT_EQ(TextOf(State().app.currentSource), Upper(last));
  EXPECT_EQ(State().app.startupKind, kStartupGedcom);
  EXPECT_EQ(PostedCommands(window), std::vector<int>{IDM_FILE_OPEN});
}

TEST_F(StartupFileTest, EmptyCommandLineDoesNotAutoLoadChartFile) {
  const std::string last = WriteFile("last.dva", "Chart\n");
  WriteFile("Dorvane.ini", "[Sources]\nLastFile=" + last + "\n");
  HWND window = Start("");
  EXPECT_EQ(TextOf(State().app.currentSource), "");
  EXPECT_EQ(State().app.sourceOpen, 0);
  EXPECT_TRUE(PostedCommands(window).empty());
}

using StartupTest = ShellTest;

TEST_F(StartupTest, ProgramDirectoryGivesHelpAndSettingsPaths) {
  Start("");
  const auto& work = State().work;
  EXPECT_EQ(TextOf(work.programDir), dir_);
  EXPECT_EQ(TextOf(work.helpFilePath), dir_ + "\\help");
  EXPECT_EQ(SettingsPath(), dir_ + "\\Dorvane.ini");
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), dir_);
}

TEST_F(StartupTest, BirthBriefWidthAboveRangeBecomes31) {
  WriteFile("Dorvane.ini", SettingsWithBirthBriefWidth(35));
  Start("");
  EXPECT_EQ(State().settings.dparam[39], 31);
  EXPECT_EQ(State().app.birthBriefWidth, 31);
}

TEST_F(StartupTest, BirthBriefWidthBelowRangeBecomes20) {
  WriteFile("Dorvane.ini", SettingsWithBirthBriefWidth(10));
  Start("");
  EXPECT_EQ(State().settings.dparam[39], 20);
  EXPECT_EQ(State().app.birthBriefWidth, 20);
}

TEST_F(StartupTest, BirthBriefWidthInRangeStays) {
  WriteFile("Dorvane.ini", SettingsWithBirthBriefWidth(31));
  Start("");
  EXPECT_EQ(State().app.birthBriefWidth, 31);
}

TEST_F(StartupTest, AcceleratorTurnsF1IntoHelpForCurrentContext) {
  HWND window = Start("");
  State().app.helpContext = 306;
  MSG msg{window, WM_KEYDOWN, VK_F1, 0, 0, {}};
  EXPECT_TRUE(PreTranslate(msg));
  ASSERT_EQ(helpOpened_.size(), 1u);
  EXPECT_EQ(helpOpened_[0], dir_ + "\\help\\306.html");
}

TEST_F(StartupTest, OtherKeysPassTheLoopFilters) {
  HWND window = Start("");
  MSG msg{window, WM_KEYDOWN, 'A', 0, 0, {}};
  EXPECT_FALSE(PreTranslate(msg));
  EXPECT_TRUE(helpOpened_.empty());
}

TEST_F(StartupTest, ScannerFilterMayTakeMessages) {
  HWND window = Start("");
  int offered = 0;
  State().ui.scannerFilter = [&](MSG&) { return ++offered > 0; };
  MSG msg{window, WM_MOUSEMOVE, 0, 0, 0, {}};
  EXPECT_TRUE(PreTranslate(msg));
  EXPECT_EQ(offered, 1);
}

// Closes the main window from inside the message loop.
void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostMessageA(State().app.mainWindow, WM_CLOSE, 0, 0);
}

using RunProgramTest = ShellTest;

TEST_F(RunProgramTest, RunsUntilClosedAndSavesTheSource) {
  // RunProgram declares the classes itself.
  UnregisterClassA(kMainWindowClass, instance_);
  UnregisterClassA(kGasGaugeClass, instance_);
  SetTimer(nullptr, 0, 1, CloseMainWindow);
  EXPECT_EQ(RunProgram(instance_, R"("C:\DATA\family.ged")", SW_HIDE), 0);
  EXPECT_FALSE(IsWindow(State().app.mainWindow));
  // The buffers used during start-up are cleared before the loop.
  EXPECT_EQ(TextOf(State().work.pathBuffer), "");
  dv::Settings reread;
  ASSERT_EQ(
      dv::LoadSettings(reread, dir_ + "\\Dorvane.ini", [](const std::string&) { return true; }), 0);
  EXPECT_EQ(reread.recentFiles[0], R"(C:\DATA\FAMILY.GED)");
}

TEST_F(RunProgramTest, FailsWithZeroWhenTheMainClassExists) {
  // The fixture has declared "Dorvane" already, so declaring it again fails.
  EXPECT_EQ(RunProgram(instance_, "", SW_HIDE), 0);
  EXPECT_EQ(State().app.mainWindow, nullptr);
}

}  // namespace
}  // namespace dv::win::test
