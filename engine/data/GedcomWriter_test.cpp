#include "data/GedcomWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/FileSizeLimitTestSupport.h"
#include "data/DataSource.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

void Load(RecordStore& store, const std::string& text) {
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, text, {}, summary), 0);
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() /
           ("dv_writer_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const char* kFamily =
    "0 HEAD\r\n1 SOUR DORVANE\r\n1 DEST ANY\r\n1 FILE FAMILY.GED\r\n1 CHAR ANSI\r\n"
    "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
    "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
    "0 @I3@ INDI\r\n1 NAME Tom /Smith/\r\n1 FAMC @F1@\r\n1 NOTE Born at sea\r\n2 CONT on the way\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n1 MARR\r\n2 DATE 1 JAN 1875\r\n"
    "0 TRLR\r\n";

TEST(GedcomText, UnchangedFileRoundTripsByteForByte) {
  RecordStore store;
  Load(store, kFamily);
  EXPECT_EQ(GedcomText(store), kFamily);
}

TEST(GedcomText, LfLinesAreWrittenWithCrLf) {
  RecordStore store;
  Load(store, "0 HEAD\n1 CHAR ANSI\n0 TRLR\n");
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n1 CHAR ANSI\r\n0 TRLR\r\n");
}

TEST(GedcomText, UnknownTagsAreWrittenAsRead) {
  RecordStore store;
  Load(store, "0 HEAD\n0 @X1@ _PLACE somewhere\n1 _UID 123\n1 name lower case\n1 ZZZZ  spaced\n0 TRLR\n");
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n0 @X1@ _PLACE somewhere\r\n1 _UID 123\r\n1 name lower case\r\n1 ZZZZ  spaced\r\n0 TRLR\r\n");
}

TEST(GedcomText, CrossReferenceOnADeeperLineIsKept) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 @X7@ NOTE odd but kept\n");
  EXPECT_EQ(GedcomText(store), "0 @I1@ INDI\r\n1 @X7@ NOTE odd but kept\r\n");
}

TEST(GedcomText, TagAtTheEndOfTheLineGetsNoTrailingSpace) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 BIRT\n1 NAME\n");
  EXPECT_EQ(GedcomText(store), "0 @I1@ INDI\r\n1 BIRT\r\n1 NAME\r\n");
}

TEST(GedcomText, LongLinesStayWhole) {
  RecordStore store;
  std::string note = "1 NOTE " + std::string(3000, 'n');
  Load(store, "0 @I1@ INDI\n" + note + "\n");
  EXPECT_EQ(GedcomText(store), "0 @I1@ INDI\r\n" + note + "\r\n");
}

TEST(SetHeaderFile, AddedAfterTheLastHeaderLineOfItsGroup) {
  RecordStore store;
  Load(store, "0 HEAD\n1 SOUR X\n2 VERS 1\n1 DATE 1 JAN 2000\n1 CHAR ANSI\n0 TRLR\n");
  SetHeaderFile(store, "OUT.GED");
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n1 SOUR X\r\n2 VERS 1\r\n1 DATE 1 JAN 2000\r\n1 FILE OUT.GED\r\n1 CHAR ANSI\r\n0 TRLR\r\n");
}

TEST(SetHeaderFile, ExistingValueIsKeptUnlessEmptyOrForced) {
  RecordStore store;
  Load(store, "0 HEAD\n1 FILE OLD.GED\n0 TRLR\n");
  SetHeaderFile(store, "NEW.GED");
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n1 FILE OLD.GED\r\n0 TRLR\r\n");
  SetHeaderFile(store, "NEW.GED", true);
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n1 FILE NEW.GED\r\n0 TRLR\r\n");
  Load(store, "0 HEAD\n1 FILE\n0 TRLR\n");
  SetHeaderFile(store, "NEW.GED");
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n1 FILE NEW.GED\r\n0 TRLR\r\n");
}

TEST(SetHeaderFile, TheNameIsStoredInTheFilesCharacterSet) {
  RecordStore store;
  Load(store, "0 HEAD\n1 CHAR UTF-8\n0 TRLR\n");
  SetHeaderFile(store, "M\xFCller.GED");
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n1 FILE M\xC3\xBCller.GED\r\n1 CHAR UTF-8\r\n0 TRLR\r\n");
  Load(store, "0 HEAD\n1 CHAR ANSEL\n0 TRLR\n");
  SetHeaderFile(store, "M\xFCller.GED");
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n1 FILE M\xE8uller.GED\r\n1 CHAR ANSEL\r\n0 TRLR\r\n");
  // A file that began with a byte-order mark is written with it.
  Load(store,
       "\xEF\xBB\xBF"
       "0 HEAD\n0 TRLR\n");
  EXPECT_EQ(GedcomText(store),
            "\xEF\xBB\xBF"
            "0 HEAD\r\n0 TRLR\r\n");
}

TEST(FileNamePart, AfterTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\DATA\\FAMILY.GED"), "FAMILY.GED");
  EXPECT_EQ(FileNamePart("/tmp/x.ged"), "x.ged");
  EXPECT_EQ(FileNamePart("x.ged"), "x.ged");
}

TEST(FileNamePart, NamesAsProgramText) {
#if defined(_WIN32)
  EXPECT_EQ(FileNameAsProgramText("M\xFCller.GED"), "M\xFCller.GED");
#else
  EXPECT_EQ(FileNameAsProgramText("M\xC3\xBCller.GED"), "M\xFCller.GED");
#endif
}

TEST(WriteGedcom, WritesTheFileAndReportsProgress) {
  TempDir dir;
  RecordStore store;
  Load(store, kFamily);
  std::vector<std::pair<int, int>> calls;
  auto path = (dir.path / "OUT.GED").string();
  EXPECT_EQ(WriteGedcom(store, path, false, [&](int n, int phase) { calls.emplace_back(n, phase); }),
            0);
  EXPECT_EQ(ReadFile(path), kFamily);
  std::vector<std::pair<int, int>> expected = {{4, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}};
  EXPECT_EQ(calls, expected);
  EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST(WriteGedcom, NoStoreNoFile) {
  RecordStore store;
  TempDir dir;
  EXPECT_EQ(WriteGedcom(store, (dir.path / "X.GED").string(), false), -1);
  EXPECT_FALSE(fs::exists(dir.path / "X.GED"));
}

TEST(SaveGedcom, SaveKeepsTheOldFileAsBackup) {
  TempDir dir;
  auto path = (dir.path / "FAMILY.GED").string();
  WriteFile(path, "old contents\r\n");
  RecordStore store;
  Load(store, kFamily);
  store.dataChanged = 2;
  EXPECT_EQ(SaveGedcom(store, path, true), 0);
  EXPECT_EQ(store.dataChanged, 0);
  EXPECT_EQ(ReadFile(path + ".bak"), "old contents\r\n");
  EXPECT_EQ(ReadFile(path), kFamily);
  // A second save replaces the backup with the previous version.
  store.SetValue(store.Individual(1)->line->firstChild, " Jack /Smith/");
  EXPECT_EQ(SaveGedcom(store, path, true), 0);
  EXPECT_EQ(ReadFile(path + ".bak"), kFamily);
}

TEST(SaveGedcom, SaveAsSetsTheHeaderFileLine) {
  TempDir dir;
  RecordStore store;
  Load(store, "0 HEAD\n1 SOUR X\n0 @I1@ INDI\n0 TRLR\n");
  EXPECT_EQ(SaveGedcom(store, (dir.path / "NEW.GED").string(), false), 0);
  EXPECT_EQ(ReadFile(dir.path / "NEW.GED"),
            "0 HEAD\r\n1 SOUR X\r\n1 FILE NEW.GED\r\n0 @I1@ INDI\r\n0 TRLR\r\n");
}

TEST(SaveGedcom, FileThatCannotBeCreatedLeavesDataUnsavedAndOldFileIntact) {
  TempDir dir;
  auto path = (dir.path / "FAMILY.GED").string();
  WriteFile(path, "old contents\r\n");
  fs::create_directory(path + ".$$$");  // the writer's scratch file cannot be made
  RecordStore store;
  Load(store, kFamily);
  store.dataChanged = 2;
  EXPECT_EQ(SaveGedcom(store, path, false), kErrCannotCreate);
  EXPECT_EQ(store.dataChanged, 2);
  EXPECT_EQ(ReadFile(path), "old contents\r\n");
  EXPECT_EQ(SaveGedcom(store, (dir.path / "missing" / "X.GED").string(), false), kErrCannotCreate);
}

TEST(SaveGedcom, TargetThatCannotBeReplacedIsAWriteFailure) {
  TempDir dir;
  auto path = dir.path / "IS_A_DIR.GED";
  fs::create_directory(path);
  WriteFile(path / "keep", "x");
  RecordStore store;
  Load(store, kFamily);
  store.dataChanged = 2;
  EXPECT_EQ(SaveGedcom(store, path.string(), false), kErrWriteFailed);
  EXPECT_EQ(store.dataChanged, 2);
  EXPECT_EQ(ReadFile(path / "keep"), "x");
  EXPECT_FALSE(fs::exists(path.string() + ".$$$"));
}

#if !defined(_WIN32)
// 2,000 people: some 80 KB, far past the 4 KB the saves below may write.
std::string ManyPeople() {
  std::string text;
  for (int i = 1; i <= 2000; ++i) text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Person /Number/\n";
  return text;
}

// Saves while files may grow to 4 KB only, so the writing runs into the limit.
int SaveRunningOutOfRoom(RecordStore& store, const std::string& path, bool makeBackup) {
  test::ScopedFileSizeLimit limit(4096);
  EXPECT_TRUE(limit.Set());
  return SaveGedcom(store, path, makeBackup);
}

TEST(SaveGedcom, WriteErrorPartWayLeavesTheOldFile) {
  TempDir dir;
  auto path = (dir.path / "FAMILY.GED").string();
  WriteFile(path, "old contents\r\n");
  RecordStore store;
  Load(store, ManyPeople());
  store.dataChanged = 2;
  const int result = SaveRunningOutOfRoom(store, path, false);
  EXPECT_EQ(result, kErrWriteFailed);
  EXPECT_EQ(store.dataChanged, 2);
  EXPECT_EQ(ReadFile(path), "old contents\r\n");
  EXPECT_FALSE(fs::exists(path + ".$$$"));
}

TEST(SaveGedcom, ABackupThatRunsOutOfRoomKeepsTheEarlierBackup) {
  TempDir dir;
  auto path = (dir.path / "FAMILY.GED").string();
  const std::string big = ManyPeople();
  WriteFile(path, big);
  WriteFile(path + ".bak", "earlier backup\r\n");
  RecordStore store;
  Load(store, big);
  store.dataChanged = 2;
  const int result = SaveRunningOutOfRoom(store, path, true);
  EXPECT_EQ(result, kErrWriteFailed);
  EXPECT_EQ(ReadFile(path + ".bak"), "earlier backup\r\n");
  EXPECT_EQ(ReadFile(path), big);
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir.path)) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 2);  // no temporary file left
}
#endif

}  // namespace
}  // namespace dv
