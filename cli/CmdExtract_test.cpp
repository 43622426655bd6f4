// dorvane-cli extract, and birthbrief / stree run from the chart files it writes.
#include "Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "charts/selective/SelectiveTestData.h"

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

class ExtractCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::TestTempPath(std::string("extract-") +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    std::ofstream(dir / "f.ged", std::ios::binary) << test::kSelectiveFamilies;
  }
  void TearDown() override { fs::remove_all(dir); }
  static int Call(int (*verb)(Args), std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return verb(views);
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

TEST_F(ExtractCommand, UsageErrors) {
  EXPECT_EQ(Call(Extract, {Path("f.ged"), "--format", "tree", "--base", "1", "--out", Path("t.dvb")}), 2);
  EXPECT_EQ(Call(Extract, {Path("f.ged"), "--format", "chart", "--base", "1", "--out", Path("t.dva")}), 2);
  EXPECT_EQ(Call(Extract, {Path("f.ged"), "--format", "birthbrief", "--out", Path("t.dva")}), 2);
}

TEST_F(ExtractCommand, BirthBriefFromTheChartFileDrawsAsFromGedcom) {
  ASSERT_EQ(Call(Extract, {Path("f.ged"), "--format", "birthbrief", "--base", "@I1@", "--out",
                           Path("a.dva")}),
            0);
  EXPECT_EQ(Read("a.dva").substr(0, 6), "Chart\n");
  ASSERT_EQ(Call(BirthBrief, {Path("a.dva"), "--dump", Path("file.txt")}), 0);
  ASSERT_EQ(Call(BirthBrief, {Path("f.ged"), "--base", "1", "--dump", Path("ged.txt")}), 0);
  EXPECT_EQ(Read("file.txt"), Read("ged.txt"));
}

TEST_F(ExtractCommand, TreeFromTheChartFileDrawsAsFromGedcom) {
  ASSERT_EQ(Call(Extract, {Path("f.ged"), "--format", "tree", "--base", "1", "--select", "8,12",
                           "--out", Path("t.dvb")}),
            0);
  ASSERT_EQ(Call(SelectiveTree, {Path("t.dvb"), "--dump", Path("file.txt")}), 0);
  ASSERT_EQ(Call(SelectiveTree,
                 {Path("f.ged"), "--base", "1", "--select", "8,12", "--dump", Path("ged.txt")}),
            0);
  EXPECT_EQ(Read("file.txt"), Read("ged.txt"));
}

TEST_F(ExtractCommand, TheWrongKindOfChartFileIsRefused) {
  ASSERT_EQ(Call(Extract, {Path("f.ged"), "--format", "tree", "--base", "1", "--select", "8",
                           "--out", Path("t.dvb")}),
            0);
  fs::copy_file(Path("t.dvb"), Path("t.dva"));
  EXPECT_EQ(Call(BirthBrief, {Path("t.dva"), "--dump", Path("x.txt")}), 1);
  EXPECT_EQ(Call(BirthBrief, {Path("t.dvb"), "--base", "1", "--dump", Path("x.txt")}), 1);
  EXPECT_FALSE(fs::exists(Path("x.txt")));
}

TEST_F(ExtractCommand, AnExistingOutputNeedsReplace) {
  std::ofstream(dir / "t.dvb", std::ios::binary) << "mine\n";
  const std::vector<std::string> args = {Path("f.ged"), "--format", "tree", "--base", "1",
                                         "--select", "8", "--out", Path("t.dvb")};
  EXPECT_EQ(Call(Extract, args), 1);
  EXPECT_EQ(Read("t.dvb"), "mine\n");
  std::vector<std::string> replace = args;
  replace.push_back("--replace");
  EXPECT_EQ(Call(Extract, replace), 0);
  EXPECT_EQ(Read("t.dvb").substr(0, 5), "Tree\n");
}

TEST_F(ExtractCommand, TheSourceIsNeverOverwritten) {
  const std::string before = Read("f.ged");
  EXPECT_EQ(Call(Extract, {Path("f.ged"), "--format", "tree", "--base", "1", "--select", "8",
                           "--out", Path("F.GED"), "--replace"}),
            1);
  EXPECT_EQ(Read("f.ged"), before);
}

TEST_F(ExtractCommand, ShiftsAreAppliedSavedAndReadBack) {
  ASSERT_EQ(Call(Extract, {Path("f.ged"), "--format", "tree", "--base", "1", "--select", "8,12",
                           "--out", Path("t.dvb")}),
            0);
  ASSERT_EQ(Call(SelectiveTree, {Path("t.dvb"), "--dump", Path("plain.txt")}), 0);
  ASSERT_EQ(Call(SelectiveTree, {Path("t.dvb"), "--shift", "4:3", "--save-format", "--dump",
                                 Path("shifted.txt")}),
            0);
  EXPECT_NE(Read("plain.txt"), Read("shifted.txt"));
  EXPECT_NE(Read("t.dvb").find("\n-1\n@ 1,0\n@ 2,0\n@ 3,0\n@ 4,3\n@ 6,0\n"), std::string::npos)
      << Read("t.dvb");
  // Armed, a later run applies the saved shifts by itself.
  ASSERT_EQ(Call(SelectiveTree, {Path("t.dvb"), "--opt", "manual-format=1", "--dump",
                                 Path("again.txt")}),
            0);
  EXPECT_EQ(Read("again.txt"), Read("shifted.txt"));
  // A shift onto the page edge is refused and nothing is saved.
  const std::string saved = Read("t.dvb");
  EXPECT_EQ(Call(SelectiveTree, {Path("t.dvb"), "--shift", "1:-500", "--save-format"}), 1);
  EXPECT_EQ(Read("t.dvb"), saved);
  EXPECT_EQ(Call(SelectiveTree, {Path("t.dvb"), "--shift", "77:1"}), 1);
  EXPECT_EQ(Call(SelectiveTree, {Path("f.ged"), "--base", "1", "--select", "8", "--save-format"}), 2);
}

}  // namespace
}  // namespace dv::cli
