#include "Commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "charts/selective/SelectiveTestData.h"

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

class SelectiveCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("dorvane_st_") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    std::ofstream(dir / "f.ged", std::ios::binary) << dv::test::kSelectiveFamilies;
  }
  void TearDown() override { fs::remove_all(dir); }
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), Path("f.ged"));
    std::vector<std::string_view> views(args.begin(), args.end());
    return SelectiveTree(views);
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

TEST_F(SelectiveCommand, GroupsNameTheFamiliesOnTheLinesInWalkOrder) {
  ASSERT_EQ(Run({"--base", "@I1@", "--select", "8,12", "--groups", Path("g.tsv")}), 0);
  EXPECT_EQ(Read("g.tsv"),
            "1\t1\t@F1@\t@I2@\t@I3@\t@I20@,@I1@,@I21@\n"
            "2\t2\t@F2@\t@I4@\t@I5@\t@I2@,@I22@\n"
            "2\t3\t@F3@\t@I6@\t@I7@\t@I23@,@I3@\n"
            "3\t4\t@F4@\t@I8@\t@I9@\t@I4@\n"
            "3\t6\t@F5@\t@I12@\t@I13@\t@I6@,@I24@\n");
}

TEST_F(SelectiveCommand, DumpUsesTheChartDumpFormat) {
  ASSERT_EQ(Run({"--base", "1", "--select", "8", "--opt", "suppress-remarriages=1", "--dump",
                 Path("d.txt")}),
            0);
  const std::string dump = Read("d.txt");
  EXPECT_NE(dump.find("\ttext\t17\t\"Ann Louise Carter\"\n"), std::string::npos) << dump;
  EXPECT_EQ(dump.substr(0, 2), "0\t");
  EXPECT_EQ(dump.find("Susan"), std::string::npos);
}

TEST_F(SelectiveCommand, BadArgumentsAreUsageErrors) {
  EXPECT_EQ(Run({"--base", "1"}), 2);                            // no selection
  EXPECT_EQ(Run({"--base", "1", "--select", "1"}), 2);           // the base is no ancestor
  EXPECT_EQ(Run({"--base", "1", "--select", "2147483648"}), 2);  // beyond 31 generations
  EXPECT_EQ(Run({"--base", "1", "--select", "8", "--opt", "nope=1"}), 2);
  EXPECT_EQ(Run({"--base", "1", "--select", "8", "--opt", "boxes=2"}), 2);
  EXPECT_EQ(Run({"--base", "1", "--select", "8", "--line-width", "11"}), 2);
  EXPECT_EQ(Run({"--base", "1", "--select", "8", "--answer", "maybe"}), 2);
}

TEST_F(SelectiveCommand, AFailedRunExitsWithOne) {
  EXPECT_EQ(Run({"--base", "@I99@", "--select", "8"}), 1);
  // Cancel at the question about lines that do not fit.
  EXPECT_EQ(Run({"--base", "1", "--select", "16,18,20,22,24,26,28", "--answer", "cancel"}), 1);
}

#if !defined(_WIN32)
TEST_F(SelectiveCommand, WritesAPng) {
  ASSERT_EQ(Run({"--base", "1", "--select", "8", "--png", Path("t.png"), "--zoom", "1"}), 0);
  const std::string png = Read("t.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}
#endif

}  // namespace
}  // namespace dv::cli
