#include "data/ChunkedReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace dv {
namespace {

// Lines of 99 characters plus LF until at least size bytes.
std::string Lines(std::size_t size) {
  std::string out;
  int n = 0;
  while (out.size() < size) {
    std::string line = "1 NOTE " + std::to_string(n++);
    line.resize(99, 'x');
    out += line + "\n";
  }
  return out;
}

std::vector<std::string> AllLines(const ChunkedFile& f) {
  std::vector<std::string> out;
  ChunkedFile::Position pos;
  std::string_view line;
  for (;;) {
    bool more = f.ReadWholeLine(line, pos);
    if (!more && line.empty()) break;
    out.emplace_back(line);
    if (!more) break;
  }
  return out;
}

TEST(ChunkedFile, SmallFileIsOneChunk) {
  ChunkedFile f;
  EXPECT_EQ(f.OpenBytes(std::string(ChunkedFile::kStep, 'a')), 0);
  EXPECT_EQ(f.ChunkCount(), 1);
  EXPECT_EQ(f.OpenBytes(""), 0);
  EXPECT_TRUE(AllLines(f).empty());
}

TEST(ChunkedFile, CutsAtTheFirstLineEndAfterEachStep) {
  std::string text = Lines(200000);
  ChunkedFile f;
  ASSERT_EQ(f.OpenBytes(text), 0);
  ASSERT_EQ(f.ChunkCount(), 4);
  // 64,512 is not a multiple of 100: the first cut is at the next line end.
  EXPECT_EQ(f.ChunkEnds()[0], 64600);
  EXPECT_EQ(f.ChunkEnds()[1], 64600 + 64600);
  EXPECT_EQ(f.ChunkEnds().back(), static_cast<std::int64_t>(text.size()));
  auto lines = AllLines(f);
  EXPECT_EQ(lines.size(), text.size() / 100);
  for (const auto& l : lines) EXPECT_EQ(l.size(), 99u);
}

TEST(ChunkedFile, LineStraddlingTheStepIsReadWhole) {
  std::string text(ChunkedFile::kStep - 10, 'a');
  text += "\r\n1 NOTE ";
  text += std::string(2000, 'b');  // crosses 64,512 and runs past the 1,024-byte probe
  text += "\r\n0 TRLR\r\n";
  ChunkedFile f;
  ASSERT_EQ(f.OpenBytes(text), 0);
  auto lines = AllLines(f);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "1 NOTE " + std::string(2000, 'b'));
  EXPECT_EQ(lines[2], "0 TRLR");
}

TEST(ChunkedFile, LineBeyondTheBoundIsAnError) {
  ChunkedFile f;
  EXPECT_EQ(f.OpenBytes("0 HEAD\n1 NOTE " + std::string(ChunkedFile::kMaxLineLength, 'x') + "\n"), 115);
  EXPECT_EQ(f.LastReaderError(), 115);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.OpenBytes("1 NOTE " + std::string(ChunkedFile::kMaxLineLength - 100, 'x')), 0);
}

TEST(ChunkedFile, MoreThan199ChunksIsTooLarge) {
  ChunkedFile f;
  std::string text = Lines(static_cast<std::size_t>(ChunkedFile::kStep) * 199 + 200000);
  EXPECT_EQ(f.OpenBytes(text), 55);
  EXPECT_EQ(f.ChunkCount(), 0);
  text.resize(static_cast<std::size_t>(64600) * 198);
  EXPECT_EQ(f.OpenBytes(text), 0);
  EXPECT_LE(f.ChunkCount(), 199);
}

TEST(ChunkedFile, ReadLineReturnsLongLinesInPieces) {
  ChunkedFile f;
  ASSERT_EQ(f.OpenBytes("1 NOTE " + std::string(293, 'n') + "\n0 TRLR\n"), 0);
  ChunkedFile::Position pos;
  std::string line;
  EXPECT_TRUE(f.ReadLine(line, pos, 256));
  EXPECT_EQ(line.size(), 255u);
  EXPECT_TRUE(f.ReadLine(line, pos, 256));
  EXPECT_EQ(line, std::string(45, 'n'));
  EXPECT_FALSE(f.ReadLine(line, pos, 256));
  EXPECT_EQ(line, "0 TRLR");  // the final line is still valid
}

TEST(ChunkedFile, NulByteEndsTheData) {
  ChunkedFile f;
  ASSERT_EQ(f.OpenBytes(std::string("0 HEAD\n1 CH\0AR\n0 TRLR\n", 22)), 0);
  auto lines = AllLines(f);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "1 CH");
}

TEST(ChunkedFile, EmptyLinesBeforeTheFirstLineArePassedOver) {
  ChunkedFile f;
  ASSERT_EQ(f.OpenBytes("\r\n\r\n\n0 HEAD\n0 TRLR\n"), 0);
  EXPECT_EQ(AllLines(f), (std::vector<std::string>{"0 HEAD", "0 TRLR"}));
  std::string piece;
  ChunkedFile::Position pos;
  EXPECT_TRUE(f.ReadLine(piece, pos, 4));  // in pieces as well
  EXPECT_EQ(piece, "0 H");
}

std::vector<std::string> StreamLines(ChunkedStream& f) {
  std::vector<std::string> out;
  ChunkedFile::Position pos;
  std::string_view line;
  for (;;) {
    bool more = f.ReadWholeLine(line, pos);
    if (!more && line.empty()) break;
    out.emplace_back(line);
    if (!more) break;
  }
  return out;
}

TEST(ChunkedStream, CutsAndLinesMatchTheWholeFileReader) {
  std::string straddle(ChunkedFile::kStep - 10, 'a');
  straddle += "\r\n1 NOTE " + std::string(2000, 'b') + "\r\n\r\n\n0 TRLR";
  const std::string inputs[] = {"",
                                "\n0 HEAD\n",
                                "\r\n\r\n",
                                Lines(200000),
                                straddle,
                                std::string("0 HEAD\n1 CH\0AR\n", 15),
                                Lines(64512) + "\r\r\r\n"};
  for (const auto& text : inputs) {
    ChunkedFile whole;
    ChunkedStream stream;
    ASSERT_EQ(whole.OpenBytes(text), 0);
    ASSERT_EQ(stream.OpenBytes(text), 0);
    EXPECT_EQ(stream.ChunkEnds(), whole.ChunkEnds());
    EXPECT_EQ(StreamLines(stream), AllLines(whole));
  }
}

TEST(ChunkedStream, LimitsGiveTheSameCodes) {
  ChunkedStream stream;
  EXPECT_EQ(stream.OpenBytes(Lines(static_cast<std::size_t>(ChunkedFile::kStep) * 199 + 200000)), 55);
  std::string longAtProbe(ChunkedFile::kStep - 5, 'a');
  longAtProbe += "\n" + std::string(ChunkedFile::kMaxLineLength + 10, 'x') + "\n";
  EXPECT_EQ(stream.OpenBytes(longAtProbe), 115);
  // A long line away from any probe is found when it is read.
  ASSERT_EQ(stream.OpenBytes("0 HEAD\n1 NOTE " + std::string(ChunkedFile::kMaxLineLength, 'x') + "\n"), 0);
  StreamLines(stream);
  EXPECT_EQ(stream.LastReaderError(), 115);
  EXPECT_EQ(stream.Open("/nonexistent/dir/file.ged"), 2);
}

TEST(ChunkedFile, MissingFileCannotBeOpened) {
  ChunkedFile f;
  EXPECT_EQ(f.Open("/nonexistent/dir/file.ged"), 2);
  EXPECT_EQ(f.LastReaderError(), 2);
}

// A file of 2 GB or more is too large, not one that cannot be opened (on
// Windows the C library cannot give its size as a long). Its first 199
// steps are lines, so the chunk-by-chunk reader reaches the chunk limit;
// the rest is a hole that takes no room on disk.
TEST(ChunkedFile, AFileOfThreeGigabytesIsTooLarge) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "dv_chunked_3gb.ged";
  {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string lines = Lines(static_cast<std::size_t>(ChunkedFile::kStep) * 199 + 200000);
    ASSERT_EQ(std::fwrite(lines.data(), 1, lines.size(), f), lines.size());
    std::fclose(f);
  }
  std::error_code ec;
  std::filesystem::resize_file(path, std::uintmax_t{3} << 30, ec);
  if (ec) {
    std::filesystem::remove(path, ec);
    GTEST_SKIP() << "no room for a 3 GB file here: " << ec.message();
  }
  ChunkedFile f;
  EXPECT_EQ(f.Open(path.string()), 55);
  ChunkedStream stream;
  EXPECT_EQ(stream.Open(path.string()), 55);
  stream.Close();
  std::filesystem::remove(path, ec);
}

// A folder's name is not a file: "Cannot open file", never "File too
// large" from the size a folder seems to have.
TEST(ChunkedFile, FolderCannotBeOpened) {
  const std::string folder = std::filesystem::temp_directory_path().string();
  ChunkedFile f;
  EXPECT_EQ(f.Open(folder), 2);
  ChunkedStream stream;
  EXPECT_EQ(stream.Open(folder), 2);
  EXPECT_EQ(stream.LastReaderError(), 2);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(ChunkedStream, SeesAByteOrderMarkWhenOpened) {
  ChunkedStream stream;
  ASSERT_EQ(stream.OpenBytes("\xEF\xBB\xBF"
                             "0 HEAD\n0 TRLR\n"),
            0);
  EXPECT_TRUE(stream.ByteOrderMark());
  ASSERT_EQ(stream.OpenBytes("0 HEAD\n\xEF\xBB\xBF"), 0);
  EXPECT_FALSE(stream.ByteOrderMark());
  ASSERT_EQ(stream.OpenBytes("\xEF\xBB"), 0);
  EXPECT_FALSE(stream.ByteOrderMark());
  stream.Close();
  EXPECT_FALSE(stream.ByteOrderMark());
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// Text as UTF-16 code units, little- or big-endian, with or without a
// byte-order mark.
std::string Utf16(std::u16string_view text, bool big, bool mark) {
  std::string out;
  auto put = [&](char16_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += big ? hi : lo;
    out += big ? lo : hi;
  };
  if (mark) put(0xFEFF);
  for (char16_t u : text) put(u);
  return out;
}

TEST(Utf16Files, AreReadAsUtf8BehindAByteOrderMark) {
  const std::u16string text = u"0 HEAD\r\n1 NAME Zo\u00eb /\u00c5s/\r\n0 TRLR\r\n";
  const std::string utf8 = "\xEF\xBB\xBF" "0 HEAD\r\n1 NAME Zo\xC3\xAB /\xC3\x85s/\r\n0 TRLR\r\n";
  for (bool big : {false, true}) {
    for (bool mark : {false, true}) {
      const std::string bytes = Utf16(text, big, mark);
      const Utf16Order order = Utf16OrderOf(bytes);
      EXPECT_EQ(order, big ? Utf16Order::kBigEndian : Utf16Order::kLittleEndian);
      EXPECT_EQ(Utf16ToUtf8(bytes, order), utf8);
      // Both readers see the converted text, with the same cuts and lines.
      ChunkedFile whole;
      ChunkedStream stream;
      ASSERT_EQ(whole.OpenBytes(bytes), 0);
      ASSERT_EQ(stream.OpenBytes(bytes), 0);
      EXPECT_TRUE(stream.WasUtf16());
      EXPECT_TRUE(stream.ByteOrderMark());
      EXPECT_EQ(stream.ChunkEnds(), whole.ChunkEnds());
      EXPECT_EQ(StreamLines(stream), AllLines(whole));
      EXPECT_EQ(AllLines(whole)[1], "1 NAME Zo\xC3\xAB /\xC3\x85s/");
    }
  }
  // Ordinary files are left alone.
  EXPECT_EQ(Utf16OrderOf("0 HEAD\n"), Utf16Order::kNone);
  EXPECT_EQ(Utf16OrderOf("\xEF\xBB\xBF" "0 HEAD\n"), Utf16Order::kNone);
  EXPECT_EQ(Utf16OrderOf("0"), Utf16Order::kNone);
  ChunkedStream plain;
  ASSERT_EQ(plain.OpenBytes("0 HEAD\n"), 0);
  EXPECT_FALSE(plain.WasUtf16());
}

TEST(Utf16Files, SurrogatesAndAnOddByte) {
  // A pair makes one four-byte character; half a pair, the replacement
  // character; a last odd byte is dropped.
  std::string bytes = Utf16(u"0 \U0001F600\xD800x\xDC00", false, true) + "y";
  EXPECT_EQ(Utf16ToUtf8(bytes, Utf16Order::kLittleEndian),
            "\xEF\xBB\xBF" "0 \xF0\x9F\x98\x80\xEF\xBF\xBDx\xEF\xBF\xBD");
}

TEST(Utf16Files, AreConvertedWhenReadFromDisk) {
  const std::string path = ::testing::TempDir() + "dorvane-utf16-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ged";
  const std::string bytes = Utf16(u"0 HEAD\n1 CHAR UNICODE\n0 TRLR\n", false, true);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  ChunkedFile whole;
  ChunkedStream stream;
  ASSERT_EQ(whole.Open(path), 0);
  ASSERT_EQ(stream.Open(path), 0);
  EXPECT_TRUE(stream.WasUtf16());
  EXPECT_EQ(StreamLines(stream), AllLines(whole));
  EXPECT_EQ(AllLines(whole)[1], "1 CHAR UNICODE");
  stream.Close();
  EXPECT_FALSE(stream.WasUtf16());
  std::remove(path.c_str());
}

}  // namespace
}  // namespace dv
