#include "data/DataSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>

#include "data/GedcomWriter.h"
#include "data/Lists.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dv {
namespace {

// The load result: the summary text, or "error N".
std::string Load(RecordStore& store, const std::string& text, LoadOptions options = {}) {
  std::string summary;
  int result = LoadDataSourceBytes(store, text, options, summary);
  return result ? "error " + std::to_string(result) : summary;
}

std::string People(int individuals, int families) {
  std::string text = "0 HEAD\n";
  for (int i = 1; i <= individuals; ++i) text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME A /B/\n";
  for (int i = 1; i <= families; ++i) text += "0 @F" + std::to_string(i) + "@ FAM\n";
  return text + "0 TRLR\n";
}

TEST(LoadSummary, CountsOnTwoLines) {
  RecordStore store;
  EXPECT_EQ(Load(store, People(3, 1)), "3 individuals\n1 families");
  EXPECT_EQ(LoadSummaryText(29998, 5), "29998 individuals\n5 families");
  EXPECT_EQ(LoadSummaryText(29999, 5), "Too many ancestors/individuals");
}

TEST(DataSourceLoader, BuildsTheSummariesInAboutAHundredSteps) {
  RecordStore store;
  DataSourceLoader loader(store);
  ASSERT_EQ(loader.StartBytes(People(150, 60), {}), 0);
  EXPECT_EQ(loader.ChunkSize(), 3);
  EXPECT_EQ(loader.Total(), 210);
  EXPECT_EQ(loader.Steps(), 51 + 21);
  int steps = 0;
  std::int32_t last = 0, progress;
  while ((progress = loader.Step()) >= 0) {
    EXPECT_GT(progress, last);
    last = progress;
    ++steps;
  }
  EXPECT_EQ(last, 210);
  EXPECT_EQ(steps, 50 + 20);
  EXPECT_EQ(loader.Finish(), "150 individuals\n60 families");
  EXPECT_STREQ(store.Individual(150)->displayName, "A B");
}

TEST(DataSourceLoader, AReloadKeepsNothingOfTheFirstFilesSummaries) {
  RecordStore store;
  std::string first = "0 HEAD\n";
  for (int i = 1; i <= 500; ++i)
    first += "0 @I" + std::to_string(i) +
             "@ INDI\n1 NAME Ann /Old/\n1 OCCU Miller\n1 BIRT\n2 DATE 1801\n2 PLAC York\n";
  ASSERT_EQ(Load(store, first + "0 TRLR\n"), "500 individuals\n0 families");
  EXPECT_STREQ(store.Individual(500)->occupation, "Miller");
  // The second file reuses the summary memory of the first.
  ASSERT_EQ(Load(store, People(400, 2)), "400 individuals\n2 families");
  for (std::int32_t i : {1, 198, 199, 400}) {
    const IndividualSummary* s = store.Individual(i);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s->displayName, "A B");
    EXPECT_STREQ(s->occupation, "");
    EXPECT_STREQ(s->birthDate, "");
    EXPECT_STREQ(s->birthPlace, "");
  }
  // Summaries added later take further blocks, empty ones.
  for (std::int32_t i = 401; i <= 1000; ++i) {
    IndividualSummary* s = store.NewIndividualSummary();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->id, 0);
    EXPECT_STREQ(s->occupation, "");
    store.SummaryTextStore().Set(s->displayName, "P" + std::to_string(i));
  }
  SummarySet copy;
  ASSERT_TRUE(store.CopySummaries(copy));
  EXPECT_STREQ(copy.Individual(1000)->displayName, "P1000");
  EXPECT_STREQ(copy.Individual(400)->displayName, "A B");
}

TEST(DataSourceLoader, AUtf16FileLoadsAndIsKeptAsUtf8) {
  const std::u16string text =
      u"0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n1 NAME Zo\u00eb /Smith/\r\n1 FAMS @F1@\r\n"
      u"0 @I2@ INDI\r\n1 NAME Bo /Smith/\r\n1 FAMS @F1@\r\n0 @F1@ FAM\r\n1 HUSB @I2@\r\n"
      u"1 WIFE @I1@\r\n0 TRLR\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  RecordStore store;
  ASSERT_EQ(Load(store, bytes), "2 individuals\n1 families");
  EXPECT_STREQ(store.Individual(1)->displayName, "Zo\xEB Smith");  // program text
  EXPECT_TRUE(store.Encoding().byteOrderMark);
  // Saved, it is UTF-8 and says so.
  const std::string saved = GedcomText(store);
  EXPECT_EQ(saved.rfind("\xEF\xBB\xBF" "0 HEAD\r\n1 CHAR UTF-8\r\n", 0), 0u) << saved;
  EXPECT_NE(saved.find("1 NAME Zo\xC3\xAB /Smith/"), std::string::npos);
  // And it loads again the same.
  RecordStore again;
  ASSERT_EQ(Load(again, saved), "2 individuals\n1 families");
  EXPECT_STREQ(again.Individual(1)->displayName, "Zo\xEB Smith");
}

TEST(DataSourceLoader, FailuresGiveTheirStringIds) {
  RecordStore store;
  // A level jump or a level above 14 is a fault in the file, not its size.
  EXPECT_EQ(Load(store, "0 @I1@ INDI\n1 BIRT\n3 DATE 1850\n"), "error 115");
  EXPECT_EQ(Load(store,
                 "0 @I1@ INDI\n1 A\n2 B\n3 C\n4 D\n5 E\n6 F\n7 G\n8 H\n9 I\n10 J\n11 K\n"
                 "12 L\n13 M\n14 N\n15 O\n"),
            "error 115");
  EXPECT_TRUE(store.Empty());
  // More lines than the node pool holds is the file's size.
  std::string many = "0 HEAD\n";
  for (int i = 0; i <= NodePool::kBlockSize * NodePool::kMaxBlocks; ++i) many += "1 A\n";
  EXPECT_EQ(Load(store, many), "error 55");
  EXPECT_EQ(Load(store, "0 @I1@ INDI\n1 NOTE " + std::string(70000, 'x') + "\n"), "error 115");
  EXPECT_EQ(Load(store, "0 @ABC@ INDI\n0 @DEF@ INDI\n"), "error 254");
  // Identifiers without digits after numbered ones are non-numeric, not "too large".
  EXPECT_EQ(Load(store, "0 @I1@ INDI\n0 @I@ INDI\n0 @I@ INDI\n"), "error 254");
  EXPECT_EQ(Load(store, "0 @F1@ FAM\n0 @PARENTS@ FAM\n0 @CHILDREN@ FAM\n"), "error 254");
  // Numbered alike, two identifiers that differ after their digits are two
  // people, not one written twice: neither may replace the other.
  EXPECT_EQ(Load(store, "0 @I1@ INDI\n0 @I2@ INDI\n0 @I2-1@ INDI\n"), "error 254");
  EXPECT_EQ(Load(store, "0 @I1a@ INDI\n0 @I1b@ INDI\n0 @I2@ INDI\n"), "error 254");
  EXPECT_TRUE(store.Empty());
  // Apart as well: links to either would find the same one.
  EXPECT_EQ(Load(store, "0 @I2@ INDI\n0 @I3@ INDI\n0 @I2-1@ INDI\n"), "error 254");
  EXPECT_EQ(Load(store, "0 @N1@ NOTE a\n0 @N2@ NOTE b\n0 @N1x@ NOTE c\n"), "error 254");
  // Such identifiers with numbers of their own load.
  EXPECT_EQ(Load(store, "0 @I1-1@ INDI\n0 @I2-1@ INDI\n0 @N1x@ NOTE\n0 @N@ NOTE\n0 @N@ NOTE\n"),
            "2 individuals\n0 families");
  // The same identifier twice in a row is one record: the later stands.
  EXPECT_EQ(Load(store, "0 @I1@ INDI\n0 @I2-1@ INDI\n1 NAME A /B/\n0 @I2-1@ INDI\n1 NAME C /D/\n"),
            "2 individuals\n0 families");
  EXPECT_STREQ(store.Individual(2)->displayName, "C D");
}

TEST(DataSourceLoader, RecordNumbersAboveTheLargestHeldAreRefused) {
  // Held as 2,000,000,000, the two people would share a number: the first
  // would be dropped and the family would point at the second.
  const std::string people =
      "0 HEAD\n0 @I99999999999@ INDI\n1 NAME A /B/\n1 FAMS @F1@\n"
      "0 @I99999999998@ INDI\n1 NAME C /B/\n1 FAMC @F1@\n"
      "0 @F1@ FAM\n1 HUSB @I99999999999@\n1 CHIL @I99999999998@\n0 TRLR\n";
  RecordStore store;
  EXPECT_EQ(Load(store, people), "error 237");
  EXPECT_TRUE(store.Empty());
  // Any of the five kinds; the largest number held loads.
  EXPECT_EQ(Load(store, "0 @I1@ INDI\n0 @N2000000001@ NOTE\n"), "error 237");
  EXPECT_EQ(Load(store, "0 @I2000000000@ INDI\n0 @N1@ NOTE\n0 @S2000000000@ SOUR\n"),
            "1 individuals\n0 families");
}

TEST(DataSourceLoader, ReaderFailuresKeepTheirOwnMessages) {
  RecordStore store;
  std::string summary;
  // A file that cannot be opened is not "too large".
  EXPECT_EQ(LoadDataSource(store, "/nonexistent/FAMILY.GED", {}, summary), kErrCannotOpen);
  EXPECT_TRUE(store.Empty());
  // A line beyond the line bound is a fault in the file.
  EXPECT_EQ(Load(store, "0 HEAD\n1 NOTE " + std::string(70000, 'x') + "\n0 TRLR\n"), "error 115");
  // Only more chunks than the reader holds is "too large".
  std::string huge = "0 HEAD\r\n";
  const std::string line = "1 NOTE " + std::string(90, 'x') + "\r\n";
  while (huge.size() < 200u * 64512u) huge += line;
  EXPECT_EQ(Load(store, huge), "error 55");
  EXPECT_TRUE(store.Empty());
}

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// The address space the process has mapped, in bytes.
std::size_t MappedBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * 4096;
}

// Under any limit on the address space, wherever the load first fails to
// get memory (the arena, a list, a thread), it ends with a code and keeps
// nothing: it never ends the program.
TEST(DataSourceLoader, NoMemoryAnywhereEndsWithACode) {
  std::string text = "0 HEAD\n";
  for (int i = 1; text.size() < 6 * 64512; ++i) {
    const std::string n = std::to_string(i);
    text += "0 @I" + n + "@ INDI\n1 NAME Given" + n + " /Family/\n1 BIRT\n2 DATE " + n +
            " JAN 1850\n1 NOTE @N1@\n";
  }
  text += "0 @N1@ NOTE A note\n0 TRLR\n";
  int outcomes[3] = {};  // loaded, no memory, something else
  for (std::size_t extra = 0; extra <= 100; ++extra) {
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The test's own store and strings are made before the limit.
      RecordStore store;
      std::string summary(64, ' '), bytes = text;
      rlimit limit{};
      limit.rlim_cur = limit.rlim_max = MappedBytes() + extra * 1024 * 1024;
      setrlimit(RLIMIT_AS, &limit);
      int code = 8;  // an exception left the load
      try {
        const int result = LoadDataSourceBytes(store, std::move(bytes), {}, summary);
        const bool clean = result == 0 ? !store.Empty() : store.Empty();
        code = !clean ? 9 : result == 0 ? 0 : result == kErrNoMemory ? 1 : 2;
      } catch (...) {
      }
      _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "limit +" << extra << " MB: ended by signal "
                                   << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    ASSERT_LE(WEXITSTATUS(status), 2) << "limit +" << extra << " MB";
    ++outcomes[WEXITSTATUS(status)];
  }
  // The limits reach from failing at once to loading.
  EXPECT_GT(outcomes[0], 0);
  EXPECT_GT(outcomes[1], 0);
}
#endif

std::string Records(const char* tag, int count) {
  std::string text;
  text.reserve(static_cast<std::size_t>(count) * 20);
  for (int i = 1; i <= count; ++i) text += "0 @X" + std::to_string(i) + "@ " + tag + "\n";
  return text;
}

TEST(DataSourceLoader, NumberTableCapacitiesGiveFileTooLarge) {
  RecordStore store;
  EXPECT_EQ(Load(store, Records("INDI", 29998)), "29998 individuals\n0 families");
  EXPECT_EQ(Load(store, Records("INDI", 29999)), "error 55");
  EXPECT_EQ(Load(store, Records("REPO", 998)), "0 individuals\n0 families");
  EXPECT_EQ(Load(store, Records("REPO", 999)), "error 55");
}

// Key lists are built beside the summaries when the text pool surely has
// room for them; the notes the summaries gather meanwhile are put off.
TEST(DataSourceLoader, KeysBuiltBesideTheSummariesMatchAndPrecedeTheNotes) {
  std::string text = "0 HEAD\n";
  for (int i = 1; i <= 600; ++i) {
    const std::string n = std::to_string(i);
    text += "0 @I" + n + "@ INDI\n1 NAME Ann" + std::to_string(i % 7) + " /Surname" +
            std::to_string(i % 13) + "/\n1 BIRT\n2 DATE " + std::to_string(1700 + i % 50) + "\n";
    if (i % 3 == 0) text += "1 NOTE Person note " + n + "\n2 CONT more " + n + "\n";
  }
  for (int i = 1; i <= 200; ++i) {
    const std::string n = std::to_string(i);
    text += "0 @F" + n + "@ FAM\n1 HUSB @I" + std::to_string(2 * i) + "@\n";
    if (i % 4 == 0) text += "1 NOTE Family note " + n + "\n";
  }
  for (int i = 1; i <= 40; ++i)
    text += "0 @S" + std::to_string(i) + "@ SOUR\n1 ABBR Source " + std::to_string(41 - i) + "\n";
  text += "0 TRLR\n";

  RecordStore store;
  ASSERT_EQ(Load(store, text), "600 individuals\n200 families");
  std::int32_t lastKey = 0;
  for (RecordKind kind : {kIndi, kSour}) {
    const std::vector<KeyEntry> built = store.Kind(kind).keys;
    ASSERT_EQ(built.size(), kind == kIndi ? 600u : 40u);
    for (const KeyEntry& e : built) lastKey = std::max(lastKey, store.Text().OffsetOf(e.key));
    // The same list built again here, on this thread alone.
    ASSERT_TRUE(store.BuildKeys(kind));
    const std::vector<KeyEntry>& again = store.Kind(kind).keys;
    ASSERT_EQ(again.size(), built.size());
    for (std::size_t i = 0; i < built.size(); ++i) {
      EXPECT_STREQ(built[i].key, again[i].key) << i;
      EXPECT_EQ(built[i].index, again[i].index) << i;
    }
  }
  for (std::int32_t i = 1; i <= 600; ++i) {
    const std::int32_t offset = store.Individual(i)->noteOffset;
    if (i % 3) {
      EXPECT_EQ(offset, 0) << i;
      continue;
    }
    const std::string n = std::to_string(i);
    EXPECT_STREQ(store.TextAt(offset), ("Person note " + n + "\r\nmore " + n).c_str());
    // Stored after every key, as when the keys were built first.
    EXPECT_GT(offset, lastKey) << i;
  }
  EXPECT_STREQ(store.TextAt(store.Family(8)->noteOffset), "Family note 8");
  EXPECT_EQ(store.Family(7)->noteOffset, 0);
  // A new load while nothing is left over from the last.
  EXPECT_EQ(Load(store, People(3, 1)), "3 individuals\n1 families");
  EXPECT_EQ(store.Individual(3)->noteOffset, 0);
}

// Where the text pool might not hold every key, the lists are built first,
// and a pool that cannot hold them still makes the file too large.
TEST(DataSourceLoader, KeysThatMightNotFitAreBuiltFirst) {
  // Lines of an unknown tag keep all after the level as well as their
  // identifier: 33 bytes of text each, more than the line itself.
  auto file = [](int lines) {
    std::string text = "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n";
    char line[32];
    for (int i = 0; i < lines; ++i) {
      std::snprintf(line, sizeof line, "0 @A%07d@ _FILLER_\n", i);
      text += line;
    }
    return text + "0 TRLR\n";
  };
  RecordStore store;
  // A block left after the parse: the key is stored beside the summaries.
  EXPECT_EQ(Load(store, file(387999)), "1 individuals\n0 families");
  EXPECT_EQ(store.Text().BlocksLeft(), 1);
  // The last block open, with room for the key.
  EXPECT_EQ(Load(store, file(390999)), "1 individuals\n0 families");
  EXPECT_EQ(store.Text().BlocksLeft(), 0);
  // The last block filled past its reserve by the parse: no room for it.
  EXPECT_EQ(Load(store, file(391000)), "error 55");
  EXPECT_TRUE(store.Empty());
}

TEST(DataSourceLoader, FamilyBlockLimitGivesTooMuchData) {
  RecordStore store;
  EXPECT_EQ(Load(store, Records("FAM", kFamiliesPerBlock * kMaxFamilyBlocks - 1)),
            "0 individuals\n13805 families");
  EXPECT_EQ(Load(store, Records("FAM", kFamiliesPerBlock * kMaxFamilyBlocks)), "error 75");
}

TEST(DataSourceLoader, BadInputGivesACleanLoad) {
  RecordStore store;
  EXPECT_EQ(Load(store, ""), "0 individuals\n0 families");
  EXPECT_EQ(Load(store, "\r\n\r\n"), "0 individuals\n0 families");
  EXPECT_EQ(Load(store, "no levels at all\nanywhere\n"), "0 individuals\n0 families");
  EXPECT_EQ(Load(store, std::string(65000, '7')), "error 115");  // one enormous level
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::string garbage(2000, 0);
    for (char& c : garbage) c = static_cast<char>(random() % 256);
    std::string result = Load(store, garbage);
    EXPECT_TRUE(result == "error 115" || result == "error 55" ||
                result.find("individuals") != std::string::npos)
        << result;
  }
}

// A temporary file name of this process's own.
std::filesystem::path TempGed(const char* stem) {
  static const std::string tag = std::to_string(std::random_device{}());
  return std::filesystem::temp_directory_path() / (std::string(stem) + "-" + tag + ".ged");
}

// A file that starts with an empty line (as some programs write them) is
// read from its first line, by the one-thread reader and by the reading
// thread of a file of several chunks.
TEST(DataSourceLoader, EmptyLinesBeforeTheFirstLineArePassedOver) {
  RecordStore store;
  EXPECT_EQ(Load(store, "\r\n\r\n" + People(2, 1)), "2 individuals\n1 families");
  EXPECT_EQ(Load(store, "\n" + People(9000, 3000)), "9000 individuals\n3000 families");
}

// A NUL byte ends the data. Padding after it (NULs, Ctrl-Z, blanks and
// line ends) is the end of the file; anything else is lines the load did
// not read, and the loader says so. Checked in one chunk, and in a file of
// several read on the second thread, from memory and from disk.
TEST(DataSourceLoader, LinesAfterANulByteAreReportedAndPaddingIsNot) {
  struct Case {
    std::string text;
    std::string summary;
    int warning;
  };
  const std::string many = People(9000, 3000);
  const std::size_t cut = many.find("0 @I8000@");
  const Case cases[] = {
      {People(2, 0) + std::string("\0\0\x1A\r\n \t\0", 8), "2 individuals\n0 families", 0},
      {"0 HEAD\n0 @I1@ INDI\n" + std::string(1, '\0') + "0 @I2@ INDI\n0 TRLR\n",
       "1 individuals\n0 families", kMsgCutAtNul},
      {"0 HEAD\n0 @I1@ INDI\n1 NAME A" + std::string(1, '\0') + "B\n", "1 individuals\n0 families",
       kMsgCutAtNul},
      {many.substr(0, cut) + std::string(500, '\0'), "7999 individuals\n0 families", 0},
      {many.substr(0, cut) + std::string(500, '\0') + "x", "7999 individuals\n0 families",
       kMsgCutAtNul},
  };
  for (const Case& c : cases) {
    RecordStore store;
    std::string summary;
    int warning = -1;
    ASSERT_EQ(LoadDataSourceBytes(store, c.text, {}, summary, &warning), 0);
    EXPECT_EQ(summary, c.summary);
    EXPECT_EQ(warning, c.warning) << c.summary;
    auto path = TempGed("dv_loader_nul");
    {
      std::ofstream out(path, std::ios::binary);
      out << c.text;
    }
    RecordStore fromDisk;
    warning = -1;
    ASSERT_EQ(LoadDataSource(fromDisk, path.string(), {}, summary, &warning), 0);
    std::filesystem::remove(path);
    EXPECT_EQ(summary, c.summary);
    EXPECT_EQ(warning, c.warning) << c.summary;
  }
}

TEST(DataSourceLoader, ReadsAFileFromDisk) {
  auto path = TempGed("dv_loader_test");
  {
    std::ofstream out(path, std::ios::binary);
    out << People(2, 1);
  }
  RecordStore store;
  std::string summary;
  EXPECT_EQ(LoadDataSource(store, path.string(), {}, summary), 0);
  EXPECT_EQ(summary, "2 individuals\n1 families");
  std::filesystem::remove(path);
}

// A file of many chunks read from disk (on two threads) loads as the same
// bytes in memory do, and its byte-order mark is seen without reopening it.
TEST(DataSourceLoader, FileOnDiskLoadsAsItsBytes) {
  const std::string bytes = "\xEF\xBB\xBF" + People(9000, 3000);
  ASSERT_GT(bytes.size(), 3u * 64512);
  auto path = TempGed("dv_loader_bom");
  {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  RecordStore fromDisk, fromBytes;
  std::string diskSummary, bytesSummary;
  ASSERT_EQ(LoadDataSource(fromDisk, path.string(), {}, diskSummary), 0);
  ASSERT_EQ(LoadDataSourceBytes(fromBytes, bytes, {}, bytesSummary), 0);
  std::filesystem::remove(path);
  EXPECT_EQ(diskSummary, "9000 individuals\n3000 families");
  EXPECT_EQ(diskSummary, bytesSummary);
  EXPECT_TRUE(fromDisk.Encoding().byteOrderMark);
  EXPECT_EQ(GedcomText(fromDisk), GedcomText(fromBytes));
  EXPECT_EQ(GedcomText(fromDisk).rfind("\xEF\xBB\xBF", 0), 0u);
}

TEST(NewDataSource, FifteenLineTemplate) {
  RecordStore store;
  ASSERT_EQ(NewDataSource(store, Date{6, 12, 2026}, "A. Genealogist"), 0);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n"
            "1 SOUR DORVANE\r\n"
            "2 VERS 4.07\r\n"
            "2 NAME Dorvane\r\n"
            "1 DEST DORVANE\r\n"
            "1 DATE 6 DEC 2026\r\n"
            "1 SUBM @SUB1@\r\n"
            "1 FILE\r\n"
            "1 GEDC\r\n"
            "2 VERS 5.5\r\n"
            "2 FORM LINEAGE-LINKED\r\n"
            "1 CHAR ANSI\r\n"
            "0 @SUB1@ SUBM\r\n"
            "1 NAME A. Genealogist\r\n"
            "0 TRLR\r\n");
  EXPECT_EQ(store.dataChanged, 1);
  EXPECT_EQ(store.Kind(kIndi).capacity, 1000);
  EXPECT_EQ(store.Kind(kFam).capacity, 1000);
  EXPECT_EQ(store.Kind(kRepo).capacity, 500);
  EXPECT_EQ(store.Kind(kIndi).prefix, "I");
  EXPECT_EQ(store.FirstRecordLine(kTagHEAD), store.Root()->firstChild);
  EXPECT_EQ(store.IndividualCount(), 0);
  EXPECT_EQ(FormatGedcomDate(Date{31, 1, 1999}), "31 JAN 1999");
}

TEST(NewDataSource, RecordsCanBeAddedAndPlaced) {
  RecordStore store;
  ASSERT_EQ(NewDataSource(store, Date{1, 1, 2000}), 0);
  std::int32_t number = store.NextNumber(kIndi);
  LineNode* indi = store.MakeLine(0, kTagINDI, store.FormatXref(number, store.Kind(kIndi).prefix));
  LinkFirstChild(indi, store.MakeLine(1, kTagNAME, {}, " New /Person/"));
  store.InsertRecord(store.FirstRecordLine(kTagHEAD), indi);
  EXPECT_EQ(store.SetKey(kIndi, 0, indi, true), 1);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 NAME\r\n0 @I1@ INDI\r\n1 NAME New /Person/\r\n0 TRLR\r\n"), std::string::npos);
}

const char* kInlineSources = R"(0 HEAD
0 @I1@ INDI
1 NAME A /B/
1 SOUR Parish register
2 CONT of Dover
2 TEXT baptised
3 CONT in the font
1 BIRT
2 SOUR Parish register of Dover
0 @I2@ INDI
1 SOUR @S9@
1 SOUR Parish register of Dover
0 TRLR
)";

TEST(ConvertInlineSources, OneRecordPerCitationWithoutCombining) {
  RecordStore store;
  Load(store, kInlineSources);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n"
            "0 @I1@ INDI\r\n"
            "1 NAME A /B/\r\n"
            "1 SOUR @S1@\r\n"
            "2 DATA\r\n"
            "3 TEXT baptised\r\n"
            "4 CONT in the font\r\n"
            "1 BIRT\r\n"
            "2 SOUR @S2@\r\n"
            "0 @I2@ INDI\r\n"
            "1 SOUR @S9@\r\n"
            "1 SOUR @S3@\r\n"
            "0 @S1@ SOUR\r\n"
            "1 ABBR Parish register of Dover\r\n"
            "1 TITL Parish register of Dover\r\n"
            "0 @S2@ SOUR\r\n"
            "1 ABBR Parish register of Dover\r\n"
            "1 TITL Parish register of Dover\r\n"
            "0 @S3@ SOUR\r\n"
            "1 ABBR Parish register of Dover\r\n"
            "1 TITL Parish register of Dover\r\n"
            "0 TRLR\r\n");
  EXPECT_EQ(store.Kind(kSour).count, 3);
  EXPECT_EQ(store.FirstRecordLine(kTagSOUR)->Xref(), "@S1@");
}

TEST(ConvertInlineSources, CombiningReusesARecordWithTheSameTitle) {
  RecordStore store;
  LoadOptions combine;
  combine.combineSources = true;
  Load(store, kInlineSources, combine);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("2 SOUR @S1@\r\n0 @I2@ INDI\r\n1 SOUR @S9@\r\n1 SOUR @S1@\r\n0 @S1@ SOUR\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("@S2@"), std::string::npos);
  EXPECT_EQ(store.Kind(kSour).count, 1);
}

TEST(ConvertInlineSources, LongTitlesAreNeverCombined) {
  RecordStore store;
  LoadOptions combine;
  combine.combineSources = true;
  Load(store, "0 @I1@ INDI\n1 SOUR A title of twenty-seven cha\n1 SOUR A title of twenty-seven cha\n", combine);
  EXPECT_EQ(store.Kind(kSour).count, 2);
}

TEST(ConvertInlineSources, FilesWithSourceRecordsAreLeftAlone) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 SOUR inline\n0 @S1@ SOUR\n1 TITL t\n");
  EXPECT_EQ(GedcomText(store), "0 @I1@ INDI\r\n1 SOUR inline\r\n0 @S1@ SOUR\r\n1 TITL t\r\n");
}

// ---- Character sets ----
// testdata/charset holds the same family written in each character set:
// Björn Ångström and Zoë Núñez with their son Amlaíb, and (where the set
// has the letters) Łukasz Wałęsa and Ímar Mac Ímar.

std::string ReadTestFile(const std::string& name) {
  std::ifstream in(std::string(DORVANE_TESTDATA) + "/charset/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string NameOf(const RecordStore& store, std::int32_t index) {
  const IndividualSummary* p = store.Individual(index);
  return p ? p->displayName : "(none)";
}

struct CharSetFile {
  const char* name;
  CharSet charSet;
  bool byteOrderMark;
  bool hasPolishName;  // ANSEL and UTF-8 can write Łukasz Wałęsa
};
constexpr CharSetFile kCharSetFiles[] = {
    {"utf8.ged", CharSet::kUtf8, false, true},
    {"utf8-bom.ged", CharSet::kUtf8, true, true},
    {"utf8-nochar.ged", CharSet::kUtf8, false, true},
    {"ansel.ged", CharSet::kAnsel, false, true},
    {"ibmpc.ged", CharSet::kIbmPc, false, false},
    {"ansi-nochar.ged", CharSet::kAnsi, false, false},
};

TEST(CharacterSets, NamesPlacesAndNotesAreProgramTextInEveryFile) {
  for (const CharSetFile& f : kCharSetFiles) {
    SCOPED_TRACE(f.name);
    RecordStore store;
    std::string summary;
    ASSERT_EQ(
        LoadDataSource(store, std::string(DORVANE_TESTDATA) + "/charset/" + f.name, {}, summary),
        0);
    EXPECT_EQ(store.Encoding().charSet, f.charSet);
    EXPECT_EQ(store.Encoding().byteOrderMark, f.byteOrderMark);
    EXPECT_EQ(NameOf(store, 1), "Bj\xF6rn \xC5ngstr\xF6m");
    EXPECT_EQ(NameOf(store, 2),
              "Zo\xEB N\xFA\xF1"
              "ez");
    EXPECT_EQ(NameOf(store, 3),
              "Aml"
              "a\xED"
              "b \xC5ngstr\xF6m");
    const IndividualSummary* bjorn = store.Individual(1);
    EXPECT_STREQ(bjorn->birthPlace, "G\xF6teborg, Sverige");
    EXPECT_STREQ(bjorn->occupation, "Ing\xE9nieur");
    EXPECT_STREQ(store.Individual(2)->birthPlace,
                 "M\xE1laga, Espa\xF1"
                 "a");
    EXPECT_STREQ(store.Individual(3)->birthPlace, "Dublin, \xC9ire");
    EXPECT_STREQ(store.TextAt(store.Individual(3)->noteOffset), "Br\xFBl\xE9 \xE0 K\xF6ln");
    EXPECT_STREQ(store.Family(1)->marriagePlace, "K\xF6ln");
    if (f.hasPolishName) {
      EXPECT_EQ(NameOf(store, 4), "Lukasz Walesa");
    }
  }
}

TEST(CharacterSets, KeysSortAndAreFoundByTheirLetters) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSource(store, std::string(DORVANE_TESTDATA) + "/charset/utf8.ged", {}, summary),
            0);
  const KindIndex& k = store.Kind(kIndi);
  std::vector<std::string> keys;
  for (const KeyEntry& e : k.keys) keys.push_back(e.key);
  // Surnames in capitals with their marks, widths counted in letters, and
  // Ångström beside the plain A, Ímar beside the plain I.
  EXPECT_EQ(keys, (std::vector<std::string>{
                      "\xC5NGSTR\xD6M Aml"
                      "a\xED"
                      "b       1880",
                      "\xC5NGSTR\xD6M Bj\xF6rn        1850",
                      "MAC_\xCDMAR \xCDmar             ",
                      "N\xDA\xD1"
                      "EZ Zo\xEB             1855",
                      "WALESA Lukasz             ",
                  }));
  EXPECT_EQ(FindKeyPosition(k, SearchText("angs")), 0);
  EXPECT_EQ(FindKeyPosition(k, SearchText("mac \xEDm")), 2);
  EXPECT_EQ(FindKeyPosition(k, SearchText("n\xFA")), 3);
  EXPECT_EQ(store.FindKey(kIndi, keys[3]), 3);
  std::vector<PickerRow> rows = PickerRows(store, PickerKind::kIndividual);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1].cells[0],
            "N\xDA\xD1"
            "EZ Zo\xEB");
  EXPECT_EQ(rows[1].cells[3],
            "M\xE1laga, Espa\xF1"
            "a");
}

TEST(CharacterSets, AnUnchangedFileIsWrittenBackByteForByte) {
  for (const CharSetFile& f : kCharSetFiles) {
    SCOPED_TRACE(f.name);
    const std::string bytes = ReadTestFile(f.name);
    ASSERT_FALSE(bytes.empty());
    RecordStore store;
    std::string summary;
    ASSERT_EQ(
        LoadDataSource(store, std::string(DORVANE_TESTDATA) + "/charset/" + f.name, {}, summary),
        0);
    EXPECT_EQ(GedcomText(store), bytes);
    const std::string out = TempGed("dorvane-charset-save").string();
    ASSERT_EQ(SaveGedcom(store, out, false), 0);
    std::string saved;
    {
      std::ifstream in(out, std::ios::binary);  // closed before the file is removed
      saved.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(saved, bytes);
    std::filesystem::remove(out);
  }
}

TEST(CharacterSets, TypedTextIsStoredInTheFilesOwnSet) {
  RecordStore store;
  Load(store, ReadTestFile("utf8.ged"));
  EXPECT_EQ(store.TextForFile("Zo\xEB"), "Zo\xC3\xAB");
  Load(store, ReadTestFile("ansel.ged"));
  EXPECT_EQ(store.TextForFile("Zo\xEB"),
            "Zo\xE8"
            "e");
  Load(store, ReadTestFile("ibmpc.ged"));
  EXPECT_EQ(store.TextForFile("Zo\xEB"), "Zo\x89");
  ASSERT_EQ(NewDataSource(store, Date{7, 12, 2026}), 0);
  EXPECT_EQ(store.Encoding().charSet, CharSet::kAnsi);
  EXPECT_EQ(store.TextForFile("Zo\xEB"), "Zo\xEB");
}

TEST(CharacterSets, ConvertedInlineSourcesKeepTheFilesBytes) {
  RecordStore store;
  Load(store,
       "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME A /B/\n1 SOUR Kirchenbuch K\xC3\xB6ln\n0 TRLR\n");
  ASSERT_EQ(store.Kind(kSour).count, 1);
  const LineNode* record = store.RecordLine(kSour, 1);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(FirstChild(record, kTagTITL)->Value(), " Kirchenbuch K\xC3\xB6ln");
  EXPECT_STREQ(store.Kind(kSour).keys[0].key, "Kirchenbuch K\xF6ln");
}

}  // namespace
}  // namespace dv
