#pragma once
// Reads a whole GEDCOM file into memory, cut into at most 199 chunks at
// line ends 64,512 bytes apart, and hands it out line by line. Serves the
// loader and the chart engines' extract scan.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// The position of the first CR, LF or NUL byte in data[i, end), or end.
// Eight bytes are looked at together: any byte below 14 marks the word
// (the lowest marked byte is exact), and only a marked word is looked at
// byte by byte, since text bytes are nearly all above CR.
inline std::size_t FindTextEnd(const char* data, std::size_t i, std::size_t end) {
  auto endsText = [](char c) { return c == '\r' || c == '\n' || c == 0; };
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    while (end - i >= 8) {
      std::uint64_t word;
      std::memcpy(&word, data + i, 8);
      const std::uint64_t low = (word - kOnes * 14) & ~word & kHighs;
      if (low) {
        for (std::size_t k = i + static_cast<std::size_t>(std::countr_zero(low) / 8); k < i + 8;
             ++k)
          if (endsText(data[k])) return k;
      }
      i += 8;
    }
  }
  while (i < end && !endsText(data[i])) ++i;
  return i;
}

// GEDCOM files saved as UTF-16 ("UNICODE") are read as the same text in
// UTF-8 behind a UTF-8 byte-order mark, so everything after the reader sees
// an ordinary UTF-8 file. Such a file starts with a UTF-16 byte-order mark,
// or with the "0" of "0 HEAD" beside a zero byte.
enum class Utf16Order { kNone, kLittleEndian, kBigEndian };
Utf16Order Utf16OrderOf(std::string_view start);
std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order);

class ChunkedFile {
 public:
  static constexpr std::int64_t kStep = 64512;    // 65,536 - 1,024
  static constexpr std::int64_t kProbe = 1024;    // a normal line end is found within this
  static constexpr int kMaxChunks = 199;
  // A line may run to this many bytes; a longer one is an error (115).
  static constexpr std::int64_t kMaxLineLength = 65000;
  static constexpr int kMaxReadLine = 1024;       // ReadLine copies at most 1,023 characters

  // Where a caller stands in the file.
  struct Position {
    std::size_t offset = 0;  // into the file's bytes
    int chunk = 0;
  };

  // Opens and reads a file: 0, or the reader error code (1, 2, 55, 115).
  int Open(const std::string& path);
  // The same over bytes already in memory (tests and fuzzing).
  int OpenBytes(std::string bytes);
  void Close();
  bool IsOpen() const { return open_; }
  int LastReaderError() const { return error_; }
  int ChunkCount() const { return static_cast<int>(chunkEnds_.size()); }
  const std::vector<std::int64_t>& ChunkEnds() const { return chunkEnds_; }

  // The next line (no line end), at most min(maxLength, 1024) - 1 characters;
  // a longer line comes in pieces; empty lines before the first line are
  // passed over. False at the end of the data (a NUL byte, or a line copied
  // from nothing): out still holds what the call copied.
  bool ReadLine(std::string& out, Position& pos, int maxLength = kMaxReadLine) const;
  // The next whole line, without copying; false at the end (as ReadLine).
  bool ReadWholeLine(std::string_view& out, Position& pos) const;

 private:
  bool NextPiece(std::string_view& out, Position& pos, std::size_t limit) const;
  int CutChunks();
  void Release();
  int Finish();
  // The file's bytes: read straight into owned_ (not zero-filled first), or
  // taken over from a caller's string.
  std::unique_ptr<char[]> owned_;
  std::string given_;
  std::string_view data_;
  std::vector<std::int64_t> chunkEnds_;
  bool open_ = false;
  int error_ = 0;
};

// The same file read one chunk at a time into one reusable buffer, with the
// same cuts, chunk limit and error codes: the loader needs each line once,
// so it never holds the whole file. A line beyond the line bound ends the
// data with the error 115 when it is reached.
class ChunkedStream {
 public:
  ChunkedStream();
  ~ChunkedStream();
  ChunkedStream(const ChunkedStream&) = delete;
  ChunkedStream& operator=(const ChunkedStream&) = delete;

  // Opens the file and finds the chunk ends: 0, or 2, 55, 115. Reading a
  // chunk later can fail with 2 (the file went away) or 1 (no memory for
  // the chunk); the read then ends and LastReaderError gives the code.
  int Open(const std::string& path);
  int OpenBytes(std::string bytes);
  void Close();
  int LastReaderError() const { return error_; }
  int ChunkCount() const { return static_cast<int>(chunkEnds_.size()); }
  const std::vector<std::int64_t>& ChunkEnds() const { return chunkEnds_; }

  // As ChunkedFile::ReadWholeLine; the view lasts until the next call.
  bool ReadWholeLine(std::string_view& out, ChunkedFile::Position& pos);
  // The whole next chunk (it ends at a line end), for a caller that splits
  // the lines itself; false at the end or when it cannot be read (the
  // error code is then set). The view lasts until the next call.
  bool NextChunk(std::string_view& text);
  // The same into a caller's buffer (grown to the chunk when needed), for a
  // reader on another thread that keeps several chunks at once. The view
  // lasts while the buffer does.
  bool NextChunkInto(std::unique_ptr<char[]>& buffer, std::size_t& capacity,
                     std::string_view& text);
  // Whether the data begins with a UTF-8 byte-order mark (read with the
  // chunk cuts, so the file is not opened again for it).
  bool ByteOrderMark() const { return byteOrderMark_; }
  // Whether the file was UTF-16, read as UTF-8.
  bool WasUtf16() const { return utf16_; }
  // Ends the reading with an error code (a caller's line beyond the bound).
  void StopWith(int error);
  // Notes where a caller's lines ended at a NUL byte: chunk and the byte's
  // position in it.
  void EndedAt(int chunk, std::size_t nulAt);
  // Whether anything but padding (NUL and Ctrl-Z bytes, blanks and line
  // ends) follows that NUL byte: lines the load did not read.
  bool MoreAfterEnd();

 private:
  std::size_t ReadAt(std::int64_t offset, std::size_t n, char* dst);
  int CutChunks();
  bool LoadChunk(int chunk);
  bool LoadChunkInto(int chunk, std::unique_ptr<char[]>& buffer, std::size_t& capacity);
  std::FILE* file_ = nullptr;
  std::string bytes_;
  bool fromBytes_ = false;
  std::int64_t size_ = 0;
  std::vector<std::int64_t> chunkEnds_;
  std::unique_ptr<char[]> buffer_;  // holds the loaded chunk
  std::size_t bufferSize_ = 0;
  int loaded_ = -1;
  std::int64_t loadedStart_ = 0;
  bool open_ = false;
  bool byteOrderMark_ = false;
  bool utf16_ = false;
  int error_ = 0;
  std::int64_t endedAt_ = -1;  // the NUL byte that ended the lines
};

}  // namespace dv
