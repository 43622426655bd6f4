#include "data/GedcomReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace dv {
namespace {

// Parses text into a started store; the ParseLines result.
int Parse(RecordStore& store, const std::string& text) {
  ChunkedFile file;
  EXPECT_EQ(file.OpenBytes(text), 0);
  EXPECT_EQ(store.Start(), 0);
  return ParseLines(store, file);
}

// The tree as text: one "level tag xref|value" line per node in pre-order.
std::string Dump(const RecordStore& store) {
  std::string out;
  const LineNode* root = store.Root();
  for (const LineNode* l = root ? root->firstChild.get() : nullptr; l; l = NextLine(root, l)) {
    out += std::to_string(l->level) + " " + std::to_string(l->tag) + " " + std::string(l->Xref()) +
           "|" + std::string(l->Value()) + "\n";
  }
  return out;
}

// The loader's chunk-by-chunk pass must give the tree, the result and the
// reader code that the line-by-line reader gives.
void ExpectSameAsLineReader(const std::string& text) {
  RecordStore byLine, byChunk;
  const int lineResult = Parse(byLine, text);
  ChunkedStream stream;
  const int open = stream.OpenBytes(text);
  ASSERT_EQ(byChunk.Start(), 0);
  const int chunkResult = open ? -1 : ParseLines(byChunk, stream);
  if (open) {
    EXPECT_EQ(open, 115);
    return;
  }
  EXPECT_EQ(chunkResult, lineResult);
  EXPECT_EQ(Dump(byChunk), Dump(byLine));
  EXPECT_EQ(byChunk.StoreFlags(), byLine.StoreFlags());
}

// The pass on two threads gives exactly what the single-thread chunk pass
// gives: result, tree, flags, reader code, and the same text pool and node
// counts (the lines are appended in the same order).
void ExpectTwoThreadsSameAsOne(const std::string& text) {
  RecordStore one, two;
  ASSERT_EQ(one.Start(), 0);
  ASSERT_EQ(two.Start(), 0);
  ChunkedStream a, b;
  ASSERT_EQ(a.OpenBytes(text), b.OpenBytes(text));
  EXPECT_EQ(ParseLinesOnTwoThreads(two, b), ParseLines(one, a));
  EXPECT_EQ(b.LastReaderError(), a.LastReaderError());
  EXPECT_EQ(Dump(two), Dump(one));
  EXPECT_EQ(two.StoreFlags(), one.StoreFlags());
  EXPECT_EQ(two.Text().BytesUsed(), one.Text().BytesUsed());
  EXPECT_EQ(two.Nodes().Count(), one.Nodes().Count());
}

// Records of about 100 bytes up to at least size bytes, then tail.
std::string ManyChunks(std::size_t size, const std::string& tail = "0 TRLR\n") {
  std::string text = "0 HEAD\n1 CHAR ANSI\n";
  for (int i = 1; text.size() < size; ++i) {
    const std::string n = std::to_string(i);
    text += "0 @I" + n + "@ INDI\n1 NAME Given" + n + " /Family/\n1 BIRT\n2 DATE " + n +
            " JAN 1850\n2 PLAC Town\n1 SOUR @S1@\n";
  }
  return text + tail;
}

TEST(ParseLinesOnTwoThreads, GivesTheSameTreeAsOneThread) {
  ExpectTwoThreadsSameAsOne("");
  ExpectTwoThreadsSameAsOne("0 HEAD\r\n1 SOUR X\r\n0 TRLR\r\n");  // one chunk
  ExpectTwoThreadsSameAsOne(ManyChunks(2 * 64512));
  ExpectTwoThreadsSameAsOne(ManyChunks(40 * 64512));  // more chunks than the ring holds
  std::string ends = "0 HEAD\r\n";
  const char* kEnds[] = {"\r\n", "\n", "\r", "\n\r\n"};
  for (int i = 0; ends.size() < 9 * 64512; ++i)
    ends += "1 NOTE " + std::string(static_cast<std::size_t>(i % 97), 'a' + i % 26) + kEnds[i % 4];
  ExpectTwoThreadsSameAsOne(ends);
}

TEST(ParseLinesOnTwoThreads, StopsWhereOneThreadStops) {
  // A NUL byte in the seventh chunk ends the data there.
  std::string nul = ManyChunks(6 * 64512 + 100, "1 NOTE a");
  nul += '\0';
  ExpectTwoThreadsSameAsOne(ManyChunks(nul.size() + 9 * 64512, nul + "b\n"));
  // A line beyond the line bound in a later chunk: 115, the lines before it kept.
  const std::string longLine =
      ManyChunks(5 * 64512, "1 NOTE " + std::string(65000, 'x') + "\n") + ManyChunks(3 * 64512);
  ExpectTwoThreadsSameAsOne(longLine);
  {
    RecordStore store;
    ASSERT_EQ(store.Start(), 0);
    ChunkedStream stream;
    ASSERT_EQ(stream.OpenBytes(longLine), 0);
    EXPECT_EQ(ParseLinesOnTwoThreads(store, stream), kTagSOUR);
    EXPECT_EQ(stream.LastReaderError(), 115);
  }
  // The data ends at a NUL byte, and the file is cut short after that
  // chunk, as if it went away meanwhile: the chunks read ahead past the NUL
  // fail, and that failure is not the load's.
  {
    const std::string path =
        (std::filesystem::temp_directory_path() / "dorvane-nul-then-gone.ged").string();
    {
      std::ofstream out(path, std::ios::binary);
      out << nul << "b\n" << ManyChunks(9 * 64512);
    }
    RecordStore one, two;
    ASSERT_EQ(one.Start(), 0);
    ASSERT_EQ(two.Start(), 0);
    ChunkedStream a, b;
    ASSERT_EQ(a.Open(path), 0);
    ASSERT_EQ(b.Open(path), 0);
    std::size_t chunk = 0;  // the chunk that holds the NUL byte
    while (a.ChunkEnds()[chunk] < static_cast<std::int64_t>(nul.size())) ++chunk;
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(a.ChunkEnds()[chunk]));
    EXPECT_EQ(ParseLinesOnTwoThreads(two, b), ParseLines(one, a));
    EXPECT_EQ(b.LastReaderError(), 0);
    EXPECT_EQ(a.LastReaderError(), 0);
    EXPECT_EQ(Dump(two), Dump(one));
    a.Close();
    b.Close();
    std::filesystem::remove(path);
  }
  // A level jump in a later chunk: -2 and no reader code, whatever was read ahead.
  ExpectTwoThreadsSameAsOne(ManyChunks(3 * 64512, "1 BIRT\n3 DATE 1850\n") +
                            ManyChunks(12 * 64512));
  // A level above 14 in the last chunk.
  ExpectTwoThreadsSameAsOne(ManyChunks(3 * 64512, "15 DATE 1850\n"));
  // A text pool filled to its last byte, and one line more than it holds:
  // the texts of lines read ahead are not kept.
  auto filling = [](int lines) {
    std::string text = "0 HEAD\n";
    char line[32];
    for (int i = 0; i < lines; ++i) {
      std::snprintf(line, sizeof line, "0 @A%07d@ _FILLER_\n", i);  // 33 bytes of text
      text += line;
    }
    return text + "0 TRLR\n1 CONC " + std::string(3000, 'x') + "\n";
  };
  ExpectTwoThreadsSameAsOne(filling(391000));
  ExpectTwoThreadsSameAsOne(filling(391002));
}

TEST(ParseLines, ChunkPassMatchesTheLineReader) {
  ExpectSameAsLineReader("");
  ExpectSameAsLineReader("0 HEAD\r\n1 SOUR X\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n0 TRLR\r\n");
  ExpectSameAsLineReader("0 HEAD\r1 CHAR ANSI\r0 TRLR");  // CR alone, no final line end
  ExpectSameAsLineReader("\r\n0 HEAD\n0 TRLR\n");
  ExpectSameAsLineReader(
      "0 HEAD\n1 SOUR X\n0 TRLR\n2 DATE 1850\n");  // a level jump after a SOUR // an empty first
                                                   // line ends the data
  ExpectSameAsLineReader(std::string("0 HEAD\n1 NOTE a\0b\n0 TRLR\n", 21));  // a NUL byte ends it
  ExpectSameAsLineReader("0 HEAD\n\n\n\r\n1 NOTE\ttab\x01\x0b\x0c\x7f\xff\n0 TRLR\n");
  // Many chunks, with line ends of every kind falling on the cuts.
  std::string big = "0 HEAD\r\n";
  const char* ends[] = {"\r\n", "\n", "\r", "\n\r\n"};
  for (int i = 0; big.size() < 5 * 64512; ++i)
    big += "1 NOTE " + std::string(static_cast<std::size_t>(i % 97), 'a' + i % 26) + ends[i % 4];
  big += "0 TRLR\r\n";
  ExpectSameAsLineReader(big);
  ExpectTwoThreadsSameAsOne(big);
}

TEST(ParseLines, ChunkPassStopsAtALineBeyondTheBound) {
  RecordStore store;
  ASSERT_EQ(store.Start(), 0);
  ChunkedStream stream;
  ASSERT_EQ(stream.OpenBytes("0 HEAD\n1 NOTE " + std::string(66000, 'x') + "\n0 TRLR\n"), 0);
  EXPECT_EQ(ParseLines(store, stream), kTagHEAD);
  EXPECT_EQ(stream.LastReaderError(), 115);
}

TEST(ParseLine, RecordLineKeepsItsCrossReference) {
  ParsedLine p = ParseLine("0 @I12@ INDI");
  EXPECT_TRUE(p.hasLevel);
  EXPECT_EQ(p.level, 0);
  EXPECT_EQ(p.xref, "@I12@");
  EXPECT_EQ(p.tag, kTagINDI);
  EXPECT_EQ(p.value, "");
}

TEST(ParseLine, ValueKeepsTheSeparatingSpace) {
  ParsedLine p = ParseLine("1 NAME John /Smith/");
  EXPECT_EQ(p.tag, kTagNAME);
  EXPECT_EQ(p.value, " John /Smith/");
  EXPECT_EQ(ParseLine("1 NAME  two spaces").value, "  two spaces");
}

TEST(ParseLine, UnknownTagsKeepEverythingAfterTheLevel) {
  ParsedLine uid = ParseLine("1 _UID 123");
  EXPECT_EQ(uid.tag, kTagNotLetter);
  EXPECT_EQ(uid.value, " _UID 123");
  ParsedLine rec = ParseLine("0 @X1@ ZZZZ text");
  EXPECT_EQ(rec.tag, kTagUnknown);
  EXPECT_EQ(rec.xref, "@X1@");
  EXPECT_EQ(rec.value, " @X1@ ZZZZ text");
}

TEST(ParseLine, LevelIsTheFirstDigits) {
  EXPECT_FALSE(ParseLine("no digits here").hasLevel);
  EXPECT_FALSE(ParseLine("").hasLevel);
  ParsedLine p = ParseLine("xx 2 DATE 1850");
  EXPECT_EQ(p.level, 2);
  EXPECT_EQ(p.tag, kTagDATE);
  EXPECT_EQ(ParseLine("12 DATE").level, 12);
  EXPECT_GT(ParseLine("99999999999999999999 DATE").level, kMaxLevel);
}

TEST(ParseLine, CrossReferenceWithoutClosingAtSignRunsToTheEnd) {
  ParsedLine p = ParseLine("0 @I12 INDI");
  EXPECT_EQ(p.xref, "@I12 INDI");
  EXPECT_EQ(p.tag, kTagNotLetter);
}

TEST(ParseLines, BuildsTheTreeAndSeesSourTags) {
  RecordStore store;
  EXPECT_EQ(Parse(store, "0 HEAD\n1 SOUR X\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n"), kTagTRLR);
  EXPECT_TRUE(store.StoreFlags() & kFlagSourSeen);
  EXPECT_TRUE(store.StoreFlags() & kFlagLive);
  LineNode* indi = store.Root()->firstChild->next;
  EXPECT_EQ(indi->tag, kTagINDI);
  EXPECT_EQ(indi->firstChild->Value(), " A /B/");
}

TEST(ParseLines, LevelJumpStopsTheParse) {
  RecordStore store;
  EXPECT_EQ(Parse(store, "0 @I1@ INDI\n1 BIRT\n3 DATE 1850\n1 NAME X\n"), -2);
  EXPECT_EQ(Parse(store,
                  "0 @I1@ INDI\n1 A\n2 B\n3 C\n4 D\n5 E\n6 F\n7 G\n8 H\n9 I\n10 J\n11 K\n12 L\n13 "
                  "M\n14 N\n15 O\n"),
            -2);
  // More lines than the node pool holds: -1, the file's size.
  std::string many = "0 HEAD\n";
  for (int i = 0; i <= NodePool::kBlockSize * NodePool::kMaxBlocks; ++i) many += "1 A\n";
  EXPECT_EQ(Parse(store, many), -1);
}

TEST(ParseLines, LinesWithoutLevelAreSkipped) {
  RecordStore store;
  EXPECT_EQ(Parse(store, "0 HEAD\nnothing\n1 CHAR ANSI\n"), TagCodeOf("CHAR"));
  EXPECT_EQ(store.Root()->firstChild->firstChild->tag, TagCodeOf("CHAR"));
}

TEST(ParseLines, EmptyLinesBeforeTheFirstLineArePassedOver) {
  RecordStore store;
  EXPECT_EQ(Parse(store, "\r\n\n0 HEAD\n0 TRLR\n"), kTagTRLR);
  EXPECT_EQ(store.Root()->firstChild->tag, kTagHEAD);
  RecordStore blank;
  EXPECT_EQ(Parse(blank, "\r\n\r\n"), 0);
  EXPECT_EQ(blank.Root()->firstChild, nullptr);
}

TEST(ScanRecords, NumbersRecordsAndSetsPrefixes) {
  RecordStore store;
  Parse(store,
        "0 HEAD\n0 @I0001@ INDI\n1 NAME A /B/\n0 @I0002@ INDI\n0 @F1@ FAM\n0 @N1@ NOTE x\n0 TRLR\n");
  std::int32_t individuals = -1, families = -1;
  EXPECT_EQ(ScanRecords(store, kFileCapacities, individuals, families), 0);
  EXPECT_EQ(individuals, 2);
  EXPECT_EQ(families, 1);
  EXPECT_EQ(store.Kind(kIndi).prefix, "I");
  EXPECT_EQ(store.Kind(kIndi).maxId, 2);
  EXPECT_EQ(store.FirstRecordLine(kTagHEAD), store.Root()->firstChild);
  EXPECT_EQ(store.FirstRecordLine(kTagINDI)->Xref(), "@I0001@");
  EXPECT_TRUE(store.StoreFlags() & kFlagNoteRecords);
  EXPECT_FALSE(store.Kind(kSour).exists);  // no SOUR records: released
  EXPECT_EQ(store.Kind(kIndi).keys.size(), 2u);
  EXPECT_TRUE(store.Kind(kFam).keys.empty());
}

TEST(ScanRecords, NonConsecutiveNumbersAreSearched) {
  RecordStore store;
  Parse(store, "0 @I1@ INDI\n0 @I2@ INDI\n0 @I5@ INDI\n");
  std::int32_t individuals, families;
  EXPECT_EQ(ScanRecords(store, kFileCapacities, individuals, families), 1);
  EXPECT_TRUE(store.Kind(kIndi).notConsecutive);
  EXPECT_EQ(store.IndexOf(kIndi, 5), 3);
  EXPECT_EQ(store.IndexOf(kIndi, 3), 0);
  EXPECT_EQ(store.IndexOf(kIndi, 2), 2);
}

TEST(ScanRecords, LaterOfTwoRecordsWithTheSameNumberStands) {
  RecordStore store;
  Parse(store, "0 @I12@ INDI\n1 NAME First\n0 @I12@ INDI\n1 NAME Second\n0 TRLR\n");
  std::int32_t individuals, families;
  EXPECT_EQ(ScanRecords(store, kFileCapacities, individuals, families), 1);
  EXPECT_EQ(individuals, 1);
  LineNode* first = store.Root()->firstChild;
  EXPECT_EQ(first->firstChild->Value(), " Second");
  EXPECT_EQ(first->next->tag, kTagTRLR);
  EXPECT_EQ(store.RecordLine(kIndi, 1), first);
  EXPECT_EQ(store.FirstRecordLine(kTagINDI), first);
}

TEST(ScanRecords, EveryRecordReplacedInARunLeavesTheTree) {
  RecordStore store;
  Parse(store,
        "0 @I3@ INDI\n1 NAME One\n0 @N1@ NOTE\n0 @I3@ INDI\n1 NAME Two\n0 @I3@ INDI\n"
        "1 NAME Three\n0 @I4@ INDI\n0 @I4@ INDI\n1 NAME Four\n0 TRLR\n");
  std::int32_t individuals, families;
  EXPECT_EQ(ScanRecords(store, kFileCapacities, individuals, families), 1);
  EXPECT_EQ(individuals, 2);
  std::string left;
  for (const LineNode* l = store.Root()->firstChild; l; l = l->next)
    left +=
        std::string(l->Xref()) + (l->firstChild ? std::string(l->firstChild->Value()) : "") + ";";
  EXPECT_EQ(left, "@N1@;@I3@ Three;@I4@ Four;;");
  EXPECT_EQ(store.FirstRecordLine(kTagINDI), store.RecordLine(kIndi, 1));
  EXPECT_EQ(store.RecordLine(kIndi, 1)->firstChild->Value(), " Three");
}

TEST(ScanRecords, TwoIndividualsWithoutNumbersFail) {
  RecordStore store;
  Parse(store, "0 @ABC@ INDI\n0 @DEF@ INDI\n");
  std::int32_t individuals, families;
  EXPECT_EQ(ScanRecords(store, kFileCapacities, individuals, families), -2);
  EXPECT_EQ(individuals, 0);
  EXPECT_FALSE(store.Kind(kIndi).exists);
  EXPECT_TRUE(HasNonNumericIds(store));
}

TEST(ScanRecords, CapacityLessTwoIsTheLimit) {
  RecordStore store;
  Parse(store, "0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n");
  std::int32_t individuals, families;
  std::array<int, kKindCount> small = {5, 5, 5, 5, 5};
  EXPECT_EQ(ScanRecords(store, small, individuals, families), 0);
  small[kIndi] = 4;
  EXPECT_EQ(ScanRecords(store, small, individuals, families), -1);
  EXPECT_EQ(individuals, 0);
}

TEST(HasNonNumericIds, DigitsThenClosingAtSign) {
  RecordStore store;
  Parse(store, "0 @I1@ INDI\n0 @F2@ FAM\n");
  EXPECT_FALSE(HasNonNumericIds(store));
  Parse(store, "0 @I1A@ INDI\n");
  EXPECT_TRUE(HasNonNumericIds(store));
}

TEST(HasNonNumericIds, ARecordWithoutDigitsAfterNumberedOnes) {
  RecordStore store;
  Parse(store, "0 @I1@ INDI\n0 @XYZ@ INDI\n");
  EXPECT_TRUE(HasNonNumericIds(store));
  Parse(store, "0 @F1@ FAM\n0 @F2@ FAM\n0 @PARENTS@ FAM\n0 @CHILDREN@ FAM\n");
  EXPECT_TRUE(HasNonNumericIds(store));
  // Records of other tags and lines without a cross-reference are not judged.
  Parse(store, "0 @I1@ INDI\n0 @SUBMITTER@ SUBM\n0 TRLR\n");
  EXPECT_FALSE(HasNonNumericIds(store));
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// The record scan over the parse's list of level-0 lines numbers the records
// exactly as the walk over the root's children does, duplicates included.
TEST(ScanRecords, ParseListGivesTheSameIndexes) {
  const std::string text = ManyChunks(3 * 64512,
                                      "0 @I7@ INDI\n0 @I7@ INDI\n1 NAME Later /One/\n"
                                      "0 @F1@ FAM\n0 @N1@ NOTE x\n0 TRLR\n");
  RecordStore walked, listed;
  ChunkedStream a, b;
  ASSERT_EQ(walked.Start(), 0);
  ASSERT_EQ(listed.Start(), 0);
  ASSERT_EQ(a.OpenBytes(text), 0);
  ASSERT_EQ(b.OpenBytes(text), 0);
  std::vector<LineNode*> records;
  ASSERT_EQ(ParseLines(walked, a), ParseLinesOnTwoThreads(listed, b, &records));
  std::size_t children = 0;
  for (const LineNode* l = listed.Root()->firstChild; l; l = l->next) ++children;
  EXPECT_EQ(records.size(), children);
  std::int32_t people[2] = {}, families[2] = {};
  EXPECT_EQ(ScanRecords(walked, kFileCapacities, people[0], families[0]),
            ScanRecords(listed, kFileCapacities, people[1], families[1], &records));
  EXPECT_EQ(people[0], people[1]);
  EXPECT_EQ(families[0], families[1]);
  EXPECT_EQ(Dump(listed), Dump(walked));
  for (int kind = 0; kind < kKindCount; ++kind) {
    const KindIndex& x = walked.Kind(static_cast<RecordKind>(kind));
    const KindIndex& y = listed.Kind(static_cast<RecordKind>(kind));
    EXPECT_EQ(y.count, x.count);
    EXPECT_EQ(y.ids, x.ids);
    ASSERT_EQ(y.keys.size(), x.keys.size());
    for (std::size_t i = 0; i < x.keys.size(); ++i) {
      EXPECT_STREQ(y.keys[i].key, x.keys[i].key);
      EXPECT_EQ(y.keys[i].index, x.keys[i].index);
    }
  }
}

}  // namespace
}  // namespace dv
