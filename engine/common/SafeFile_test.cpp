#include "common/SafeFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

namespace dv {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto tag = std::random_device{}() ^ unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
    dir = fs::temp_directory_path() / ("dv-safefile-" + std::to_string(tag));
    fs::create_directories(dir);
    target = (dir / "chart.dvb").string();
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  int FilesInDir() const {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir)) n += e.is_regular_file() ? 1 : 0;
    return n;
  }
  fs::path dir;
  std::string target;
};

TEST_F(SafeFileTest, CommitReplacesTheTargetWhole) {
  { std::ofstream(target, std::ios::binary) << "old\n"; }
  SafeFileWriter w;
  ASSERT_EQ(w.Open(target), 0);
  w.WriteLine("new");
  EXPECT_EQ(Read(target), "old\n");  // untouched until the commit
  ASSERT_EQ(w.Commit(), 0);
  EXPECT_EQ(Read(target), "new\n");
  EXPECT_EQ(FilesInDir(), 1);
}

TEST_F(SafeFileTest, AnAbandonedWriteLeavesThePreviousFile) {
  { std::ofstream(target, std::ios::binary) << "old\n"; }
  {
    SafeFileWriter w;
    ASSERT_EQ(w.Open(target), 0);
    w.WriteLine("half");
  }  // destroyed without a commit, as after a failure
  EXPECT_EQ(Read(target), "old\n");
  EXPECT_EQ(FilesInDir(), 1);
}

TEST_F(SafeFileTest, TargetsThatCannotBeWrittenAreRefused) {
  SafeFileWriter w;
  EXPECT_EQ(w.Open(""), kMsgCannotOpenForOutput);
  EXPECT_EQ(w.Open((dir / "missing" / "x.dva").string()), kMsgCannotOpenForOutput);
  EXPECT_EQ(w.Open(dir.string()), kMsgCannotOpenForOutput);
  EXPECT_EQ(w.Commit(), kMsgErrorWritingFile);
}

TEST_F(SafeFileTest, ReplacingOntoAFolderFailsAndKeepsBoth) {
  const std::string from = (dir / "from.txt").string();
  { std::ofstream(from) << "x"; }
  fs::create_directories(dir / "busy" / "inner");
  EXPECT_FALSE(ReplaceFile(from, (dir / "busy").string()));
  EXPECT_TRUE(fs::exists(from));
  EXPECT_TRUE(fs::is_directory(dir / "busy" / "inner"));
}

TEST_F(SafeFileTest, ReadWholeFileReadsFilesAndRefusesFolders) {
  // More than one read's block, with NUL and CR bytes kept as they are.
  std::string bytes(200000, 'x');
  bytes[5] = '\0';
  bytes[70000] = '\r';
  { std::ofstream(target, std::ios::binary) << bytes; }
  std::string read = "left over";
  ASSERT_TRUE(ReadWholeFile(target, read));
  EXPECT_EQ(read, bytes);
  { std::ofstream(target, std::ios::binary | std::ios::trunc); }
  ASSERT_TRUE(ReadWholeFile(target, read));
  EXPECT_TRUE(read.empty());
  // A folder opens for reading on Linux: it must be refused, not thrown on.
  read = "left over";
  EXPECT_FALSE(ReadWholeFile(dir.string(), read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(ReadWholeFile((dir / "missing.dvb").string(), read));
  EXPECT_TRUE(IsFolder(dir.string()));
  EXPECT_FALSE(IsFolder(target));
}

TEST_F(SafeFileTest, ABoundedReadTakesAFileOfTheBoundAndRefusesOneByteMore) {
  // The bound falls inside the second read's block, and on it exactly.
  const std::string bytes(70000, 'p');
  { std::ofstream(target, std::ios::binary) << bytes; }
  std::string read;
  EXPECT_EQ(ReadWholeFileUpTo(target, bytes.size(), read), ReadFileResult::kRead);
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(ReadWholeFileUpTo(target, bytes.size() - 1, read), ReadFileResult::kTooLarge);
  EXPECT_TRUE(read.empty());
  EXPECT_EQ(ReadWholeFileUpTo(dir.string(), 10, read), ReadFileResult::kCannotRead);
}

TEST_F(SafeFileTest, RemovePartialFileRemovesOrdinaryFilesOnly) {
  { std::ofstream(target, std::ios::binary) << "half"; }
  RemovePartialFile(target);
  EXPECT_FALSE(fs::exists(target));
  RemovePartialFile(target);  // nothing there: nothing happens
  const fs::path folder = dir / "folder";
  fs::create_directories(folder);
  RemovePartialFile(folder.string());
  EXPECT_TRUE(fs::is_directory(folder));
#if !defined(_WIN32)
  // A name that leads elsewhere (as /dev/stdout does) is not removed.
  const fs::path link = dir / "link";
  fs::create_symlink(folder / "elsewhere", link);
  { std::ofstream(folder / "elsewhere") << "written"; }
  RemovePartialFile(link.string());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::exists(folder / "elsewhere"));
#endif
}

TEST_F(SafeFileTest, SameFileSeesThroughCaseDotsAndRelativeNames) {
  { std::ofstream(target) << "x"; }
  EXPECT_TRUE(SameFile(target, target));
  EXPECT_TRUE(SameFile(target, (dir / "CHART.DVB").string()));
  EXPECT_TRUE(SameFile(target, (dir / "." / "sub" / ".." / "chart.dvb").string()));
  const fs::path keep = fs::current_path();
  fs::current_path(dir);
  EXPECT_TRUE(SameFile("chart.dvb", target));
  EXPECT_FALSE(SameFile("chart.dva", target));
  fs::current_path(keep);
  EXPECT_FALSE(SameFile("", target));
}

}  // namespace
}  // namespace dv
