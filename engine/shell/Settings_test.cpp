#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace dv {
namespace {

namespace fs = std::filesystem;

// A fresh directory per test, removed afterwards.
class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           (std::string("dorvane_settings_") + info->name() + "_" +
            std::to_string(reinterpret_cast<std::uintptr_t>(this) % 100000));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  fs::path dir_;
};

// Recent files need not exist in these tests unless a test says so.
const FileCheck kAllExist = [](const std::string&) { return true; };

constexpr std::array<std::int32_t, 4> kWindow = {10, 20, 800, 600};

const char* const kCourierBold =
    "07000000000000000000000000000000BC0200000000000005000201436F7572696572204E6577"
    "000000000000000000000000000000000000000000";
const char* const kTimesBold =
    "20000000000000000000000000000000BC020000000000000500020054696D6573204E657720526F6D616E"
    "0000000000000000000000000000000000";

// The arrays, the colours and the stored fonts are checked by the written
// text below; these defaults do not reach the file.
TEST(SettingsDefaults, ValuesThatAreNotWritten) {
  Settings s;
  EXPECT_EQ(s.window, (std::array<std::int32_t, 4>{0, 0, INT32_MIN, INT32_MIN}));
  EXPECT_EQ(s.fonts[kScreenFont].weight(), 400);
  EXPECT_EQ(s.fonts[kScreenFont].faceName(), "Courier New");
  EXPECT_EQ(s.fonts[kTitleFontCopy], s.fonts[kTitleFont]);
  EXPECT_EQ(s.fontsState, 0);
  EXPECT_EQ(LastRecentFile(s), -1);
}

TEST(FontRecordFields, LittleEndianAndBoundedFaceName) {
  FontRecord f;
  f.setHeight(-13);
  EXPECT_EQ(f.bytes[0], 0xF3);
  EXPECT_EQ(f.bytes[3], 0xFF);
  EXPECT_EQ(f.height(), -13);
  f.setFaceName(std::string(40, 'A'));
  EXPECT_EQ(f.faceName().size(), 31u);
  EXPECT_EQ(f.bytes[59], 0);
}

TEST(FontHex, ShortTextFillsLeadingBytesOnly) {
  FontRecord f;
  f.bytes.fill(0xEE);
  EXPECT_EQ(FontFromHex("0A0b0C", f), 6);
  EXPECT_EQ(f.bytes[0], 0x0A);
  EXPECT_EQ(f.bytes[1], 0x0B);
  EXPECT_EQ(f.bytes[2], 0x0C);
  EXPECT_EQ(f.bytes[3], 0);
  EXPECT_EQ(f.bytes[59], 0);
  EXPECT_EQ(FontFromHex("0A0G0C", f), 2);  // stops at the first bad pair
  EXPECT_EQ(FontFromHex("ABC", f), 2);     // a lone last digit is not a byte
}

TEST(FontHex, FaceNameStaysTerminated) {
  FontRecord f;
  EXPECT_EQ(FontFromHex(std::string(120, '4'), f), 120);
  EXPECT_EQ(f.bytes[58], 0x44);
  EXPECT_EQ(f.bytes[59], 0);
  EXPECT_EQ(f.faceName().size(), 31u);
}

// The whole file as written, for a default object with two recent files.
TEST_F(SettingsFileTest, WrittenTextIsExact) {
  Settings s;
  s.recentFiles[0] = R"(D:\B.DVA)";
  const std::string path = Path("Dorvane.ini");
  ASSERT_EQ(SaveSettings(s, path, R"(c:\data\a.ged)", kWindow), 0);
  const std::string expected = std::string(R"([Sources]
LastFile=C:\DATA\A.GED
LastFile=D:\B.DVA


[Settings]
Window=10,20,800,600,

[Param]
dparam=1,0,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,1,1,0,0,0,1,0,0,199,199,23,1,1,0,0,0,0,0,0,
gparam=1,1,1,0,0,1,1,0,0,0,0,0,
bparam=6,0,0,0,0,
eparam=1,0,1,1,0,0,0,
fparam=1,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,0,0,0,0,
lvparam=80,150,70,80,80,80,45,95,120,240,100,100,80,50,70,90,130,60,200,200,152,146,104,171,141,37,115,178,80,80,80,80,80,80,80,80,160,120,120,80,

[Fonts]
Font1=)") + kCourierBold + R"(
Font2=)" + kCourierBold + R"(
Font3=)" + kTimesBold + R"(
Font4=)" + kCourierBold + R"(

[Colours]
Colour1=8421631
Colour2=8454143
Colour3=8454016
Colour4=16777088
Colour5=16744703
Colour6=16761024
Colour7=8438015
Colour8=4259712
Colour9=16744576
Colour10=16744672
Colour11=16744640
Colour12=8429823
Colour13=4259776
Colour14=10551200
Colour15=12648384
Colour16=14721248
)";
  EXPECT_EQ(Read("Dorvane.ini"), expected);
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(SettingsFileTest, FullObjectRoundTrips) {
  Settings out;
  for (std::size_t i = 0; i < out.dparam.size(); ++i) out.dparam[i] = static_cast<int>(i % 3);
  out.dparam[8] = 0;
  out.dparam[15] = -1;
  out.dparam[25] = -1;
  out.dparam[27] = 136;
  out.dparam[28] = 88;
  out.dparam[37] = 12;
  out.dparam[38] = 199;
  out.dparam[39] = 31;
  out.dparam[41] = 2;
  for (std::size_t i = 0; i < out.gparam.size(); ++i) out.gparam[i] = static_cast<int>(i % 2);
  out.bparam = {3, 2, 0, 1, 0};
  out.eparam = {0, 1, 0, 0, 1, 1, 1};
  for (std::size_t i = 0; i < out.fparam.size(); ++i) out.fparam[i] = static_cast<int>(i);
  out.fparam[3] = 16838;
  out.fparam[4] = 11906;
  for (std::size_t i = 0; i < out.lvparam.size(); ++i) out.lvparam[i] = 1000 + static_cast<int>(i);
  out.fonts[kChartFont].setFaceName("Lucida Console");
  out.fonts[kChartFont].setHeight(-11);
  out.fonts[kFont2].setWeight(300);
  out.fonts[kTitleFont].setFaceName("Georgia");
  out.fonts[kFont4].setHeight(99);
  out.customColours[3] = 0x123456;
  out.customColours[15] = 0;
  out.recentFiles[0] = R"(C:\ONE.GED)";
  out.recentFiles[1] = R"(C:\TWO.DVB)";
  const std::array<std::int32_t, 4> window = {-4, -4, 1032, static_cast<std::int32_t>(0x80000000u)};
  const std::string path = Path("Dorvane.ini");
  ASSERT_EQ(SaveSettings(out, path, "", window), 0);

  Settings in;
  in.dparam.fill(5);
  ASSERT_EQ(LoadSettings(in, path, kAllExist), 0);
  EXPECT_EQ(in.dparam, out.dparam);
  EXPECT_EQ(in.gparam, out.gparam);
  EXPECT_EQ(in.bparam, out.bparam);
  EXPECT_EQ(in.eparam, out.eparam);
  EXPECT_EQ(in.fparam, out.fparam);
  EXPECT_EQ(in.lvparam, out.lvparam);
  EXPECT_EQ(in.window, window);
  EXPECT_EQ(in.fonts[kChartFont], out.fonts[kChartFont]);
  EXPECT_EQ(in.fonts[kScreenFont], out.fonts[kChartFont]);
  EXPECT_EQ(in.fonts[kFont2], out.fonts[kFont2]);
  EXPECT_EQ(in.fonts[kTitleFont], out.fonts[kTitleFont]);
  EXPECT_EQ(in.fonts[kTitleFontCopy], out.fonts[kTitleFont]);
  EXPECT_EQ(in.fonts[kFont4], out.fonts[kFont4]);
  EXPECT_EQ(in.customColours, out.customColours);
  EXPECT_EQ(in.recentFiles, out.recentFiles);
  EXPECT_EQ(in.fontsState, -1);
}

TEST_F(SettingsFileTest, MissingFileKeepsDefaults) {
  Settings s;
  s.fontsState = 1;
  s.recentFiles[0] = "C:\\KEEP.GED";
  EXPECT_EQ(LoadSettings(s, Path("none.ini"), kAllExist), -1);
  EXPECT_EQ(s.fontsState, 0);
  EXPECT_EQ(s.dparam, Settings().dparam);
  EXPECT_EQ(s.recentFiles[0], "C:\\KEEP.GED");
}

TEST_F(SettingsFileTest, AFolderOfTheSettingsNameKeepsDefaults) {
  // On Linux a folder opens for reading; its "text" is not settings.
  std::filesystem::create_directories(Path("Dorvane.ini"));
  Settings s;
  s.recentFiles[0] = "C:\\KEEP.GED";
  EXPECT_EQ(LoadSettings(s, Path("Dorvane.ini"), kAllExist), -1);
  EXPECT_EQ(s.recentFiles[0], "C:\\KEEP.GED");
}

TEST_F(SettingsFileTest, UncreatableFileReturns2) {
  Settings s;
  EXPECT_EQ(SaveSettings(s, Path("no/such/dir/Dorvane.ini"), "", kWindow), 2);
}

TEST_F(SettingsFileTest, SavingReplacesAnOlderFileWhole) {
  Write("Dorvane.ini", std::string(5000, 'x'));
  Settings s;
  ASSERT_EQ(SaveSettings(s, Path("Dorvane.ini"), "", kWindow), 0);
  const std::string text = Read("Dorvane.ini");
  EXPECT_EQ(text.rfind("[Sources]\n\n\n[Settings]\n", 0), 0u);
  EXPECT_EQ(text.find('x'), std::string::npos);
}

TEST_F(SettingsFileTest, TitleMinus3IsSavedAs1) {
  Settings s;
  s.dparam[41] = -3;
  ASSERT_EQ(SaveSettings(s, Path("Dorvane.ini"), "", kWindow), 0);
  Settings in;
  in.dparam[41] = 0;
  ASSERT_EQ(LoadSettings(in, Path("Dorvane.ini"), kAllExist), 0);
  EXPECT_EQ(in.dparam[41], 1);
  // The running value keeps its sign: the window may stay open after saving.
  EXPECT_EQ(s.dparam[41], -3);
}

TEST(TitleSetting, NormalisedForStoring) {
  EXPECT_EQ(StoredTitleSetting(-3), 1);
  EXPECT_EQ(StoredTitleSetting(-1), 1);
  EXPECT_EQ(StoredTitleSetting(0), 0);
  EXPECT_EQ(StoredTitleSetting(2), 2);
  EXPECT_EQ(StoredTitleSetting(4), 2);
  EXPECT_EQ(StoredTitleSetting(INT32_MIN), INT32_MAX - 1);
}

TEST_F(SettingsFileTest, ManualFormattingIsNotStored) {
  Settings s;
  s.dparam[8] = 1;
  EXPECT_NE(FormatSettings(s).find("dparam=1,0,0,0,0,1,0,0,0,"), std::string::npos);
}

TEST_F(SettingsFileTest, TenDistinctFilesKeepTheNineNewest) {
  Settings s;
  for (int n = 0; n < 10; ++n) AddRecentFile(s, "c:\\f" + std::to_string(n) + ".ged");
  ASSERT_EQ(SaveSettings(s, Path("Dorvane.ini"), "", kWindow), 0);
  const std::string text = Read("Dorvane.ini");
  EXPECT_EQ(text.rfind("[Sources]\n"
                       "LastFile=C:\\F9.GED\nLastFile=C:\\F8.GED\nLastFile=C:\\F7.GED\n"
                       "LastFile=C:\\F6.GED\nLastFile=C:\\F5.GED\nLastFile=C:\\F4.GED\n"
                       "LastFile=C:\\F3.GED\nLastFile=C:\\F2.GED\nLastFile=C:\\F1.GED\n\n\n",
                       0),
            0u);
  EXPECT_EQ(text.find("F0.GED"), std::string::npos);
}

TEST(RecentFiles, AddMovesToFrontAndReportsLastEntry) {
  Settings s;
  EXPECT_EQ(LastRecentFile(s), -1);
  EXPECT_EQ(AddRecentFile(s, "c:\\a.ged"), 0);
  EXPECT_EQ(AddRecentFile(s, "C:\\B.GED"), 1);
  EXPECT_EQ(AddRecentFile(s, "C:\\C.GED"), 2);
  EXPECT_EQ(AddRecentFile(s, "c:\\A.ged"), 2);  // already there: moves to the front
  EXPECT_EQ(s.recentFiles[0], "C:\\A.GED");
  EXPECT_EQ(s.recentFiles[1], "C:\\C.GED");
  EXPECT_EQ(s.recentFiles[2], "C:\\B.GED");
  EXPECT_EQ(s.recentFiles[3], "");
  EXPECT_EQ(AddRecentFile(s, ""), 2);  // nothing to add
  EXPECT_EQ(s.recentFiles[0], "C:\\A.GED");
}

TEST(RecentFiles, FullListDropsTheOldest) {
  Settings s;
  for (int n = 0; n < 9; ++n) AddRecentFile(s, "F" + std::to_string(n));
  EXPECT_EQ(AddRecentFile(s, "F4"), 8);  // from the middle: nothing lost
  EXPECT_EQ(s.recentFiles[0], "F4");
  EXPECT_EQ(s.recentFiles[8], "F0");
  EXPECT_EQ(AddRecentFile(s, "NEW"), 8);
  EXPECT_EQ(s.recentFiles[0], "NEW");
  EXPECT_EQ(s.recentFiles[8], "F1");
  EXPECT_EQ(s.recentFiles[9], "");
  std::set<std::string> distinct(s.recentFiles.begin(), s.recentFiles.begin() + 9);
  EXPECT_EQ(distinct.size(), 9u);
}

TEST(RecentFiles, PathCutToEntryCapacity) {
  Settings s;
  AddRecentFile(s, std::string(600, 'p'));
  EXPECT_EQ(s.recentFiles[0].size(), static_cast<std::size_t>(kPathCapacity - 1));
}

TEST(LoadRecentFiles, OnlyTheFirstNineLinesCount) {
  Settings s;
  LoadSettingsFromText(s, R"([Sources]
LastFile=C:\1.GED
LastFile=C:\2.GED
LastFile=C:\3.GED
LastFile=C:\4.GED
LastFile=C:\5.GED
LastFile=C:\6.GED
LastFile=C:\7.GED
LastFile=C:\8.GED
LastFile=C:\9.GED
)",
                       kAllExist);
  EXPECT_EQ(s.recentFiles[7], "C:\\8.GED");
  EXPECT_EQ(s.recentFiles[8], "");
  EXPECT_EQ(LastRecentFile(s), 7);
}

TEST(LoadRecentFiles, BlankOrEmptyValuesAreIgnored) {
  Settings s;
  LoadSettingsFromText(s,
                       "[Sources]\nLastFile= C:\\BLANK.GED\nLastFile=\n"
                       "LastFile=c:\\lower case.ged \r\nNotLastFile=C:\\X.GED\n",
                       kAllExist);
  EXPECT_EQ(s.recentFiles[0], "C:\\LOWER CASE.GED ");
  EXPECT_EQ(s.recentFiles[1], "C:\\X.GED");  // any line containing the key name
  EXPECT_EQ(s.recentFiles[2], "");
}

TEST(LoadRecentFiles, FilesThatCannotBeOpenedAreDropped) {
  Settings s;
  s.recentFiles[5] = "C:\\STALE.GED";
  std::vector<std::string> asked;
  LoadSettingsFromText(s, "[Sources]\nLastFile=c:\\gone.ged\nLastFile=C:\\HERE.GED\n",
                       [&](const std::string& p) {
                         asked.push_back(p);
                         return p == "C:\\HERE.GED";
                       });
  EXPECT_EQ(s.recentFiles[0], "C:\\HERE.GED");
  EXPECT_EQ(s.recentFiles[1], "");
  EXPECT_EQ(s.recentFiles[5], "");
  EXPECT_EQ(asked, (std::vector<std::string>{"C:\\GONE.GED", "C:\\HERE.GED"}));
}

TEST(LoadRecentFiles, LongPathIsKeptWhole) {
  Settings s;
  const std::string path = "C:\\" + std::string(200, 'D') + "\\X.GED";
  LoadSettingsFromText(s, "[Sources]\nLastFile=" + path + "\nLastFile=C:\\Y.GED\n", kAllExist);
  EXPECT_EQ(s.recentFiles[0], path);
  EXPECT_EQ(s.recentFiles[1], "C:\\Y.GED");
}

TEST_F(SettingsFileTest, ExistenceCheckUsesTheFileSystem) {
  Write("REAL.GED", "0 HEAD\n");
  fs::create_directories(dir_ / "DIR.GED");
  EXPECT_TRUE(CanOpenForReading(Path("REAL.GED")));
  EXPECT_FALSE(CanOpenForReading(Path("MISSING.GED")));
  EXPECT_FALSE(CanOpenForReading(Path("DIR.GED")));
}

TEST(LoadArrays, WrongCountKeepsEveryDefault) {
  Settings s;
  LoadSettingsFromText(s, "[Param]\ndparam=5,5,5,\nbparam=1,2,3,4,5,6,\n", kAllExist);
  EXPECT_EQ(s.dparam, Settings().dparam);
  EXPECT_EQ(s.bparam, Settings().bparam);
}

TEST(LoadArrays, PiecesConvertLikeAtoi) {
  Settings s;
  LoadSettingsFromText(s, "[Param]\nbparam= 7,-2,+3,12abc,x\neparam=1,,2,3,,4,5,6,,,7\n",
                       kAllExist);
  EXPECT_EQ(s.bparam, (std::array<std::int32_t, 5>{7, -2, 3, 12, 0}));
  EXPECT_EQ(s.eparam, (std::array<std::int32_t, 7>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(LoadArrays, OutOfRangeNumbersAreHeldAtTheLimits) {
  Settings s;
  LoadSettingsFromText(s, "[Settings]\nWindow=99999999999,-99999999999,-2147483648,2147483647,\n",
                       kAllExist);
  EXPECT_EQ(s.window, (std::array<std::int32_t, 4>{INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX}));
}

TEST(LoadArrays, ValueCutInsideANumberIsRejected) {
  // 47 values in 125 characters; the 127-character buffer would turn the
  // last value 1234 into 12.
  std::string values;
  for (int i = 0; i < 47; ++i) values += i < 31 ? "11," : "1,";
  ASSERT_EQ(values.size(), 125u);
  Settings s;
  LoadSettingsFromText(s, "[Param]\ndparam=" + values + "1234,\n", kAllExist);
  EXPECT_EQ(s.dparam, Settings().dparam);
  values.clear();
  for (int i = 0; i < 47; ++i) values += "1,";
  // Cut just after a whole number: the values are complete and accepted.
  std::string padded = values + "3" + std::string(127 - 95, ',') + "4,";
  LoadSettingsFromText(s, "[Param]\ndparam=" + padded + "\n", kAllExist);
  EXPECT_EQ(s.dparam[0], 1);
  EXPECT_EQ(s.dparam[47], 3);
}

TEST(LoadArrays, ListViewWidthsUseTheLargerBuffer) {
  std::string values;
  for (int i = 0; i < 40; ++i) values += "1234,";  // 200 characters
  Settings s;
  LoadSettingsFromText(s, "[Param]\nlvparam=" + values + "\n", kAllExist);
  EXPECT_EQ(s.lvparam[39], 1234);
}

TEST(LoadHandEdited, ReorderedSpacedMixedCaseCrLfFile) {
  Settings s;
  LoadSettingsFromText(s,
                       "[PARAM]\r\n"
                       "  BPARAM = 2,1,0,1,0,\r\n"
                       "[colours]\r\n"
                       "colour2 = 255\r\n"
                       "Colour1=\"65280\"\r\n"
                       "[settings]\r\n"
                       "window=1,2,3,4,\r\n",
                       kAllExist);
  EXPECT_EQ(s.bparam, (std::array<std::int32_t, 5>{2, 1, 0, 1, 0}));
  EXPECT_EQ(s.customColours[0], 65280u);
  EXPECT_EQ(s.customColours[1], 255u);
  EXPECT_EQ(s.customColours[2], 0x80FF80u);
  EXPECT_EQ(s.window, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(s.dparam, Settings().dparam);  // its key is missing
  EXPECT_EQ(s.fontsState, 0);
}

TEST(LoadColours, StopAtTheFirstMissingKey) {
  Settings s;
  LoadSettingsFromText(s, "[Colours]\nColour1=1\nColour2=2\nColour4=4\n", kAllExist);
  EXPECT_EQ(s.customColours[0], 1u);
  EXPECT_EQ(s.customColours[1], 2u);
  EXPECT_EQ(s.customColours[3], 0xFFFF80u);
}

TEST(LoadFonts, AllThreeCompleteMakeThemTheUsersOwn) {
  Settings defaults;
  FontRecord mine;
  mine.setFaceName("Consolas");
  mine.setHeight(-12);
  const std::string hex = FontToHex(mine);
  Settings s;
  LoadSettingsFromText(s, "[Fonts]\nFont1=" + hex + "\nFont2=" + hex + "\nFont3=" + hex + "\n",
                       kAllExist);
  EXPECT_EQ(s.fontsState, -1);
  EXPECT_EQ(s.fonts[kChartFont], mine);
  EXPECT_EQ(s.fonts[kScreenFont], mine);
  EXPECT_EQ(s.fonts[kFont2], mine);
  EXPECT_EQ(s.fonts[kTitleFont], mine);
  EXPECT_EQ(s.fonts[kTitleFontCopy], mine);
  EXPECT_EQ(s.fonts[kFont4], mine);  // absent: copy of the screen font
  EXPECT_EQ(s.fonts[kPrinterFont], defaults.fonts[kPrinterFont]);
}

TEST(LoadFonts, ShortenedFont1LeavesTheRestZero) {
  Settings s;
  const std::string full = FontToHex(s.fonts[kChartFont]);
  s.fontsState = -1;
  LoadSettingsFromText(s,
                       "[Fonts]\nFont1=" + full.substr(0, 60) + "\nFont2=" + full +
                           "\nFont3=" + full + "\nFont4=" + full + "\n",
                       kAllExist);
  EXPECT_EQ(s.fontsState, 0);
  const FontRecord& f = s.fonts[kChartFont];
  EXPECT_EQ(f.weight(), 700);
  for (std::size_t i = 30; i < f.bytes.size(); ++i) EXPECT_EQ(f.bytes[i], 0) << "byte " << i;
  EXPECT_EQ(f.faceName(), "Co");
}

TEST(LoadFonts, MissingFont3KeepsStateAtDefault) {
  Settings s;
  const std::string full = FontToHex(s.fonts[kChartFont]);
  LoadSettingsFromText(s, "[Fonts]\nFont1=" + full + "\nFont2=" + full + "\n", kAllExist);
  EXPECT_EQ(s.fontsState, 0);
  EXPECT_EQ(s.fonts[kTitleFont], Settings().fonts[kTitleFont]);
}

}  // namespace
}  // namespace dv
