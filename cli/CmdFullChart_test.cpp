#include "Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "charts/full/FullChartTestData.h"

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

class FullChartCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("dorvane_fc_") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    dv::testing::GedcomBuilder b;
    base = dv::testing::Pedigree(b, 3);
    const int brother = b.Person("Brother /Person/", 1, "1992");
    const int uncle = b.HusbandOf(1);
    (void)uncle;
    lone = b.Person("Lone /Person/", 1);
    const int kid = b.Person("Nephew /Person/", 1);
    b.Family(brother, b.Person("Sister-in-law /X/", 0), {kid});
    std::ofstream(dir / "f.ged", std::ios::binary) << b.Text();
  }
  void TearDown() override { fs::remove_all(dir); }
  int Run(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return FullChartCommand(views);
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Path(const std::string& name) { return (dir / name).string(); }
  fs::path dir;
  int base = 0, lone = 0;
};

TEST_F(FullChartCli, ListsTheFamiliesPlacedRowByRow) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "@I1@", "--people", "ancestors", "--max-ancestors", "2",
                 "--families", Path("f.tsv")}),
            0);
  EXPECT_EQ(Read("f.tsv"),
            "202\t1\t@F2@\t@I4@\t@I5@\n"
            "202\t2\t@F3@\t@I6@\t@I7@\n"
            "201\t1\t@F1@\t@I2@\t@I3@\n");
}

TEST_F(FullChartCli, DumpsThePrintedPagesInTheBirthBriefFormat) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--dump", Path("d.txt"), "--page-numbers", "bottom",
                 "--links", "black", "--fold", "--equals"}),
            0);
  const std::string dump = Read("d.txt");
  EXPECT_EQ(dump.rfind("1\t", 0), 0u);
  EXPECT_NE(dump.find("\ttext\t"), std::string::npos);
  EXPECT_NE(dump.find("\tvline\t"), std::string::npos);
  EXPECT_NE(dump.find("\"A1\""), std::string::npos);
  EXPECT_NE(dump.find("\"= \""), std::string::npos);
}

TEST_F(FullChartCli, BadArgumentsAreAUsageError) {
  EXPECT_EQ(Run({Path("f.ged")}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--people", "cousins"}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--max-ancestors", "0"}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--style", "fan"}), 2);
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--style", "box", "--child-data", "12"}), 2);
}

TEST_F(FullChartCli, BoxChartsTakeTheSameFamiliesAndDrawBoxes) {
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--families", Path("tree.tsv")}), 0);
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--style", "box", "--colour-boxes", "--families",
                 Path("box.tsv"), "--dump", Path("box.txt")}),
            0);
  EXPECT_EQ(Read("tree.tsv"), Read("box.tsv"));
  // Every box: its width as length, its height and colour number as text.
  std::istringstream dump(Read("box.txt")), families(Read("box.tsv"));
  const std::regex boxLine("\\d+\t\\d+(\\.5)?\t\\d+(\\.5)?\tbox\t\\d+\t\"\\d+x([1-9]|1[0-6])\"");
  int boxes = 0, placed = 0;
  for (std::string line; std::getline(dump, line);)
    if (line.find("\tbox\t") != std::string::npos) {
      EXPECT_TRUE(std::regex_match(line, boxLine)) << line;
      ++boxes;
    }
  for (std::string line; std::getline(families, line);) ++placed;
  EXPECT_GT(boxes, 0);
  EXPECT_EQ(boxes, placed);
}

TEST_F(FullChartCli, AChartThatCannotBeMadeFails) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run({Path("f.ged"), "--base", std::to_string(lone), "--summary"}), 1);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(
      err,
      "194\tAborted in layout\n199\tBase individual has no ancestors\n26\tCannot generate chart\n");
}

TEST_F(FullChartCli, RefusedOverlayLinesAreReportedWithTheirLineAndReason) {
  std::ofstream(dir / "o.txt", std::ios::binary) << "# items\n"
                                                    "text 0 0 5 5 left at the corner\n"
                                                    "image 3 3 9\n";
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(Run({Path("f.ged"), "--base", "1", "--overlay", Path("o.txt"), "--dump", Path("d.txt")}),
            0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "refused\t2\tpage edge\nrefused\t3\tbad line\n");
  EXPECT_EQ(Run({Path("f.ged"), "--base", "1", "--overlay", Path("none.txt")}), 1);
}

}  // namespace
}  // namespace dv::cli
