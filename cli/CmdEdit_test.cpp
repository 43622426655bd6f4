#include "Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

class EditCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("dorvane_edit_") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    std::ofstream(dir / "in.ged", std::ios::binary)
        << "0 HEAD\n1 FILE IN.GED\n0 @I1@ INDI\n1 NAME Ann /Base/\n1 SEX F\n0 @F1@ FAM\n1 WIFE "
           "@I1@\n0 TRLR\n";
  }
  void TearDown() override { fs::remove_all(dir); }
  int Run(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    ::testing::internal::CaptureStdout();
    int r = Edit(views);
    out = ::testing::internal::GetCapturedStdout();
    return r;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir;
  std::string out;
};

TEST_F(EditCommand, AppliesTheOperationsAndSavesAsSaveAsDoes) {
  std::string in = (dir / "in.ged").string(), o = (dir / "out.ged").string();
  ASSERT_EQ(Run({in, o, "set", "@I1@", "occupation=Weaver", "new-indi", "given=Bo", "sex=M",
                 "add-spouse", "@F1@", "@I2@"}),
            0);
  EXPECT_EQ(out, "ok\nok\t@I2@\nok\n");
  EXPECT_EQ(
      Read("out.ged"),
      "0 HEAD\r\n1 FILE IN.GED\r\n0 @I1@ INDI\r\n1 NAME Ann /Base/\r\n1 SEX F\r\n1 OCCU Weaver\r\n"
      "1 FAMS @F1@\r\n0 @I2@ INDI\r\n1 NAME Bo\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
      "0 @F1@ FAM\r\n1 HUSB @I2@\r\n1 WIFE @I1@\r\n0 TRLR\r\n");
}

TEST_F(EditCommand, ARefusalSavesNothingAndExitsThree) {
  std::string in = (dir / "in.ged").string(), o = (dir / "out.ged").string();
  EXPECT_EQ(Run({in, o, "set", "@I1@", "occupation=Weaver", "add-child", "@F1@", "@I1@"}), 3);
  EXPECT_EQ(out, "ok\nrefused\t222\tThis person has already been added to this family.\n");
  EXPECT_FALSE(fs::exists(dir / "out.ged"));
}

TEST_F(EditCommand, UsageAndHelp) {
  EXPECT_EQ(Run({(dir / "in.ged").string()}), 2);
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out.find("add-spouse FAM INDI"), std::string::npos);
  EXPECT_EQ(Run({(dir / "in.ged").string(), (dir / "o.ged").string(), "bogus"}), 2);
}

}  // namespace
}  // namespace dv::cli
