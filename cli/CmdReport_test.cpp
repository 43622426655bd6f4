#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "reports/ReportWriter.h"
#include "shell/Settings.h"

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGedcom = R"(0 HEAD
0 @I1@ INDI
1 NAME Ann /O'Hara/
1 SEX F
1 BIRT
2 DATE 2 FEB 1900
1 FAMC @F1@
0 @I2@ INDI
1 NAME John /O'Hara/
1 SEX M
1 FAMS @F1@
0 @I3@ INDI
1 NAME Mary /Ashcraft/
1 SEX F
1 FAMS @F1@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 CHIL @I1@
0 TRLR
)";

class ReportCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("dorvane_rep_") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    std::ofstream(dir / "f.ged", std::ios::binary) << kGedcom;
  }
  void TearDown() override { fs::remove_all(dir); }
  template <typename F>
  int Run(F command, std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return command(views);
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Path(const std::string& name) { return (dir / name).string(); }
  // The engine's own text of the same report.
  std::string Expected(ReportKind kind, std::int32_t base, bool rtf, ReportOptions options,
                       std::string heading = {}) {
    RecordStore store;
    std::string summary;
    EXPECT_EQ(LoadDataSource(store, Path("f.ged"), LoadOptions{}, summary), 0);
    ReportRequest r;
    r.kind = kind;
    r.base = base;
    r.rtf = rtf;
    r.options = options;
    r.options.includeHeading = !heading.empty();
    r.heading = heading;
    r.page = ReportPageOf(Settings());
    std::string text;
    EXPECT_EQ(ReportText(store, r, text), 0);
    return text;
  }
  fs::path dir;
};

// Standard output captured, without the carriage returns a Windows build's
// text-mode output adds.
std::string CapturedLines() {
  std::string text = ::testing::internal::GetCapturedStdout();
  std::erase(text, '\r');
  return text;
}

TEST_F(ReportCommands, ReportWritesTheNamedFile) {
  ASSERT_EQ(Run(Report, {Path("f.ged"), "--kind", "ancestors", "--base", "@I1@", "--text", "--out",
                         Path("a"), "--number", "--subheadings", "--heading", "Ann"}),
            0);
  ReportOptions o;
  o.numberIndividuals = o.generationSubheadings = true;
  EXPECT_EQ(Read("a"), Expected(kReportAncestors, 1, false, o, "Ann"));
  EXPECT_NE(Read("a").find("Second Generation\r\n\r\n(2) O'HARA, John\r\n"), std::string::npos);

  // Rich Text unless asked for text or named .txt.
  ASSERT_EQ(Run(Report, {Path("f.ged"), "--kind", "all", "--order", "database", "--out",
                         Path("b.rtf"), "--notes", "--keep-together"}),
            0);
  ReportOptions k;
  k.includeNotes = k.keepTogether = true;
  EXPECT_EQ(Read("b.rtf"), Expected(kReportDatabase, 0, true, k));
  ASSERT_EQ(Run(Report, {Path("f.ged"), "--kind", "descendants", "--base", "2", "--out",
                         Path("c.TXT"), "--children-under-father", "--male-lines"}),
            0);
  ReportOptions d;
  d.childrenUnderFatherOnly = d.maleLinesOnly = true;
  EXPECT_EQ(Read("c.TXT"), Expected(kReportDescendants, 2, false, d));
}

TEST_F(ReportCommands, ReportFailuresExitOne) {
  // The output cannot be created: no file, exit 1.
  EXPECT_EQ(Run(Report, {Path("f.ged"), "--kind", "all", "--out", Path("no/such/dir.rtf")}), 1);
  EXPECT_EQ(
      Run(Report, {Path("f.ged"), "--kind", "ancestors", "--base", "@I9@", "--out", Path("x.rtf")}),
      1);
  EXPECT_FALSE(fs::exists(dir / "x.rtf"));
  EXPECT_EQ(Run(Report, {Path("missing.ged"), "--kind", "all", "--out", Path("y.rtf")}), 1);
}

TEST_F(ReportCommands, ReportUsageErrors) {
  EXPECT_EQ(Run(Report, {Path("f.ged"), "--kind", "all"}), 2);                      // no --out
  EXPECT_EQ(Run(Report, {Path("f.ged"), "--kind", "ancestors", "--out", "x"}), 2);  // no base
  EXPECT_EQ(Run(Report, {Path("f.ged"), "--kind", "cousins", "--out", "x"}), 2);
  EXPECT_EQ(Run(Report, {Path("f.ged"), "--kind", "all", "--order", "random", "--out", "x"}), 2);
  EXPECT_EQ(Run(Report, {Path("f.ged"), "--kind", "all", "--out", "x", "--bogus"}), 2);
}

TEST_F(ReportCommands, SoundexPrintsEachNameWithItsCodes) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Run(Soundex, {"--variant", "both", "Ashcraft", "o'hara"}), 0);
  EXPECT_EQ(Run(Soundex, {"TYMCZAK"}), 0);
  EXPECT_EQ(Run(Soundex, {"--variant", "american", "ASHCRAFT"}), 0);
  EXPECT_EQ(CapturedLines(),
            "Ashcraft\tA226\tA261\no'hara\tO600\tO600\nTYMCZAK\tT522\nASHCRAFT\tA261\n");
  EXPECT_EQ(Run(Soundex, {}), 2);
  EXPECT_EQ(Run(Soundex, {"--variant", "other", "X"}), 2);
}

TEST_F(ReportCommands, SoundexListPrintsTheRows) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Run(SoundexList, {Path("f.ged")}), 0);
  EXPECT_EQ(CapturedLines(), "ASHCRAFT\tA226\tA261\nO'HARA\tO600\tO600\n");
  EXPECT_EQ(Run(SoundexList, {Path("missing.ged")}), 1);
  EXPECT_EQ(Run(SoundexList, {}), 2);
}

}  // namespace
}  // namespace dv::cli
