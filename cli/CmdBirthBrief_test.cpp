#include "Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGedcom = R"(0 HEAD
0 @I1@ INDI
1 NAME Ann /Base/
1 FAMC @F1@
0 @I2@ INDI
1 NAME John /Base/
1 FAMS @F1@
0 @I3@ INDI
1 NAME Mary /Mac_Kellar/
1 FAMS @F1@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 CHIL @I1@
0 TRLR
)";

class BirthBriefCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("dorvane_bb_") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    std::ofstream(dir / "f.ged", std::ios::binary) << kGedcom;
  }
  void TearDown() override { fs::remove_all(dir); }
  int Run(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return BirthBrief(views);
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Path(const std::string& name) { return (dir / name).string(); }
  fs::path dir;
};

TEST_F(BirthBriefCommand, DumpsTheChartForACrossReferenceOrANumber) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "@I1@", "--generations", "7", "--dump", Path("a.txt")}),
            0);
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--generations", "7", "--dump", Path("b.txt")}), 0);
  const std::string dump = Read("a.txt");
  EXPECT_EQ(dump, Read("b.txt"));
  // The base of a seven-generation chart at its table column, line 64; the
  // mother's name with the underscore as a space.
  EXPECT_NE(dump.find("0\t4\t64\ttext\t0\t Ann Base\n"), std::string::npos);
  EXPECT_NE(dump.find("0\t4\t96\ttext\t0\t Mary Mac Kellar\n"), std::string::npos);
  EXPECT_NE(dump.find("\thline\t2\t\n"), std::string::npos);
}

TEST_F(BirthBriefCommand, OptionsReachTheChart) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "@I2@", "--all-lines", "--capitals", "--width", "31",
                 "--dump", Path("a.txt")}),
            0);
  const std::string dump = Read("a.txt");
  // The base of eight at column 29 + 11, moved half a cell.
  EXPECT_NE(dump.find("0\t40.5\t64\ttext\t0\t JOHN BASE\n"), std::string::npos);
}

// The same family twice, once with names in UTF-8 and once with the plain
// letters: the charts must have the same shape, since widths count letters.
constexpr const char* kUtf8Names =
    "0 HEAD\n1 CHAR UTF-8\n"
    "0 @I1@ INDI\n1 NAME Aml"
    "a\xC3\xAD"
    "b \xC3\x89"
    "amonn Se\xC3\xA1n /\xC3\x93 S\xC3\xBA"
    "illeabh\xC3\xA1in/\n"
    "1 BIRT\n2 DATE 1880\n2 PLAC K\xC3\xB6ln\n1 FAMC @F1@\n"
    "0 @I2@ INDI\n1 NAME Bj\xC3\xB6rn /\xC3\x85ngstr\xC3\xB6m/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME \xC5\x81ucja /Wa\xC5\x82\xC4\x99sa/\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n0 TRLR\n";
constexpr const char* kPlainNames =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Amlaib Eamonn Sean /O Suilleabhain/\n"
    "1 BIRT\n2 DATE 1880\n2 PLAC Koln\n1 FAMC @F1@\n"
    "0 @I2@ INDI\n1 NAME Bjorn /Angstrom/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Lucja /Walesa/\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n0 TRLR\n";

TEST_F(BirthBriefCommand, Utf8NamesAreDrawnWithTheirLettersAndFittedByLetters) {
  std::ofstream(dir / "u.ged", std::ios::binary) << kUtf8Names;
  std::ofstream(dir / "p.ged", std::ios::binary) << kPlainNames;
  ASSERT_EQ(Run({Path("u.ged"), "--base", "1", "--width", "20", "--dump", Path("u.txt")}), 0);
  ASSERT_EQ(Run({Path("p.ged"), "--base", "1", "--width", "20", "--dump", Path("p.txt")}), 0);
  std::string dump = Read("u.txt");
  // The dump is UTF-8: the letters, never the bytes of another encoding.
  EXPECT_NE(dump.find("Bj\xC3\xB6rn"), std::string::npos) << dump;
  EXPECT_NE(dump.find("K\xC3\xB6ln"), std::string::npos) << dump;
  EXPECT_NE(dump.find("Lucja Walesa"), std::string::npos) << dump;
  EXPECT_EQ(dump.find("\xC3\x83"), std::string::npos);
  for (auto [from, to] : {std::pair<std::string, std::string>{"\xC3\xAD", "i"},
                          {"\xC3\x89", "E"},
                          {"\xC3\xA1", "a"},
                          {"\xC3\x93", "O"},
                          {"\xC3\xBA", "u"},
                          {"\xC3\xB6", "o"},
                          {"\xC3\x85", "A"}}) {
    for (std::size_t at; (at = dump.find(from)) != std::string::npos;)
      dump.replace(at, from.size(), to);
  }
  EXPECT_EQ(dump, Read("p.txt"));
}

TEST_F(BirthBriefCommand, UnknownBaseIndividualFails) {
  EXPECT_EQ(Run({Path("f.ged"), "--base", "@I99@", "--dump", Path("a.txt")}), 1);
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
  EXPECT_EQ(Run({Path("missing.ged"), "--base", "1"}), 1);
}

TEST_F(BirthBriefCommand, BadArgumentsAreUsageErrors) {
  EXPECT_EQ(Run({Path("f.ged")}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--generations", "9"}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--width", "32"}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--zoom", "0"}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--frobnicate"}), 2);
}

#if !defined(_WIN32)
TEST_F(BirthBriefCommand, WritesAPng) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--png", Path("c.png"), "--zoom", "1"}), 0);
  const std::string png = Read("c.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

// The PNG's width in pixels, from its header.
std::uint32_t PngWidth(const std::string& png) {
  if (png.size() < 24) return 0;
  std::uint32_t w = 0;
  for (int i = 16; i < 20; ++i) w = (w << 8) | static_cast<unsigned char>(png[i]);
  return w;
}

TEST_F(BirthBriefCommand, WideColumnsAreNotCutOff) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--png", Path("n.png"), "--width", "20"}), 0);
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--png", Path("w.png"), "--width", "31"}), 0);
  const std::uint32_t narrow = PngWidth(Read("n.png"));
  const std::uint32_t wide = PngWidth(Read("w.png"));
  ASSERT_GT(narrow, 0u);
  // 160 columns hold a chart of width 20 (6 x 20 + 34 = 154); width 31
  // needs 6 x 31 + 34 = 220.
  EXPECT_EQ(wide * 160, narrow * 220);
}
#endif

}  // namespace
}  // namespace dv::cli
