#include "ChartDump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/FileSizeLimitTestSupport.h"
#include "output/TestChart.h"

namespace dv::cli {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ChartDump, WritesTheCellDumpOfTheRoutine) {
  fs::path path = fs::temp_directory_path() / "dorvane_dump.txt";
  ASSERT_EQ(WriteChartDump(testing::DrawTestChart, 0, 1, path.string()), 0);
  std::string dump = ReadAll(path);
  EXPECT_EQ(dump.substr(0, dump.find('\n') + 1), "0\t2\t1\ttext\t18\t\"Dorvane test chart\"\n");
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 10);
  fs::remove(path);
}

TEST(ChartDump, FailingRoutineStillDumpsAndReportsItsId) {
  fs::path path = fs::temp_directory_path() / "dorvane_dump_fail.txt";
  DrawRoutine overrun = [](DrawSurface& s, int cw, int ch, int, int) {
    s.Text(0, 0, "before");
    return 35;  // "Format error: width overrun"
  };
  EXPECT_EQ(WriteChartDump(overrun, 2, 0, path.string()), 35);
  EXPECT_EQ(ReadAll(path), "2\t0\t0\ttext\t6\t\"before\"\n");
  fs::remove(path);
}

#if defined(_WIN32)
TEST(ChartDump, TheWindowsToolRefusesPngWithItsMessage) {
  const fs::path path = fs::temp_directory_path() / "dorvane_refused.png";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ExportChartPng(testing::DrawTestChart, 80, 20, 100, path.string()), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "213\tPNG output is built natively only\n");
  EXPECT_FALSE(fs::exists(path));
}
#endif

TEST(ChartDump, UncreatableFile) {
  EXPECT_EQ(WriteChartDump(testing::DrawTestChart, 0, 1,
                           (fs::temp_directory_path() / "no_dir_dorvane" / "d.txt").string()),
            25);
}

TEST(ChartDump, AFailedWriteIsReportedAndLeavesNoPartialFile) {
  const fs::path folder = fs::temp_directory_path() / "dorvane_dump_folder";
  fs::create_directories(folder);
  // A folder's name cannot be created as a file; the folder stays.
  EXPECT_EQ(WriteTextFile(folder.string(), "x"), 25);
  EXPECT_TRUE(fs::is_directory(folder));
  fs::remove(folder);
#if !defined(_WIN32)
  // A disk that fills up part way: the write is reported and what was
  // written of the file is removed.
  const fs::path path = fs::temp_directory_path() / "dorvane_dump_full.txt";
  int rc = 0;
  {
    test::ScopedFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Set());
    rc = WriteTextFile(path.string(), std::string(100000, 'x'));
  }
  EXPECT_EQ(rc, 250);
  EXPECT_FALSE(fs::exists(path));
#endif
}

}  // namespace
}  // namespace dv::cli
