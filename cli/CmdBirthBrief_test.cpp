#include "Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
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
#endif

}  // namespace
}  // namespace dv::cli
