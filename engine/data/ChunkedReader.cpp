#include "data/ChunkedReader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <system_error>

#include "common/SafeFile.h"
#include "data/CharSet.h"

namespace dv {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The size of an open file, or -1 when it cannot be told. ftell gives a
// long, which is 32 bits on Windows: there a file of 2 GB or more is
// measured by its name instead, so that it is refused as too large rather
// than as a file that cannot be opened (nothing that far into it is read).
std::int64_t SizeOfOpenFile(std::FILE* f, const std::string& path) {
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  if (size >= 0) return size;
  std::error_code ec;
  const std::uintmax_t bytes = std::filesystem::file_size(std::filesystem::path(path), ec);
  if (ec || bytes <= static_cast<std::uintmax_t>(std::numeric_limits<long>::max())) return -1;
  return static_cast<std::int64_t>(
      std::min<std::uintmax_t>(bytes, static_cast<std::uintmax_t>(INT64_MAX)));
}

// A code point as UTF-8 (one to four bytes).
void AppendUtf8Sequence(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// A UTF-16 file may be up to twice the size of its text in UTF-8.
constexpr std::int64_t kMaxFileBytes =
    (ChunkedFile::kMaxChunks + 1) * (ChunkedFile::kStep + ChunkedFile::kMaxLineLength);

}  // namespace

Utf16Order Utf16OrderOf(std::string_view start) {
  if (start.size() < 2) return Utf16Order::kNone;
  const auto a = static_cast<unsigned char>(start[0]);
  const auto b = static_cast<unsigned char>(start[1]);
  if ((a == 0xFF && b == 0xFE) || (a == '0' && b == 0)) return Utf16Order::kLittleEndian;
  if ((a == 0xFE && b == 0xFF) || (a == 0 && b == '0')) return Utf16Order::kBigEndian;
  return Utf16Order::kNone;
}

std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order) {
  const bool big = order == Utf16Order::kBigEndian;
  auto unit = [&](std::size_t i) -> char32_t {
    const auto lo = static_cast<unsigned char>(bytes[i + (big ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[i + (big ? 0 : 1)]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  std::string out(kUtf8ByteOrderMark);
  out.reserve(bytes.size() + bytes.size() / 2 + out.size());
  std::size_t i = 0;
  if (bytes.size() >= 2 && unit(0) == 0xFEFF) i = 2;
  // A last odd byte is half a character: it is dropped.
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // half a surrogate pair
    }
    AppendUtf8Sequence(out, cp);
  }
  return out;
}

int ChunkedFile::Open(const std::string& path) {
  Close();
  // On Linux a folder opens for reading, and its size at the end is the
  // largest offset there is: it is a name that cannot be opened as a
  // file, as on Windows, not a file too large.
  if (IsFolder(path)) return error_ = 2;
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return error_ = 2;
  const std::int64_t size = SizeOfOpenFile(f.get(), path);
  if (size < 0) return error_ = 2;
  // More than 199 steps can never be accepted: refuse before reading (a
  // UTF-16 file is judged by its size in UTF-8, after reading).
  if (size > 2 * kMaxFileBytes) return error_ = 55;
  if (std::fseek(f.get(), 0, SEEK_SET) != 0) return error_ = 2;
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
  if (!bytes) return error_ = 1;
  if (size > 0 && std::fread(bytes.get(), 1, static_cast<std::size_t>(size), f.get()) !=
                      static_cast<std::size_t>(size))
    return error_ = 2;
  const std::string_view read(bytes.get(), static_cast<std::size_t>(size));
  if (const Utf16Order order = Utf16OrderOf(read); order != Utf16Order::kNone) {
    try {
      return OpenBytes(Utf16ToUtf8(read, order));
    } catch (const std::bad_alloc&) {
      return error_ = 1;
    }
  }
  if (size > kMaxFileBytes) return error_ = 55;
  owned_ = std::move(bytes);
  data_ = read;
  return Finish();
}

int ChunkedFile::OpenBytes(std::string bytes) {
  Close();
  if (const Utf16Order order = Utf16OrderOf(bytes); order != Utf16Order::kNone)
    bytes = Utf16ToUtf8(bytes, order);
  given_ = std::move(bytes);
  data_ = given_;
  return Finish();
}

int ChunkedFile::Finish() {
  error_ = CutChunks();
  if (error_) {
    Release();
    return error_;
  }
  open_ = true;
  return 0;
}

void ChunkedFile::Release() {
  owned_.reset();
  given_.clear();
  given_.shrink_to_fit();
  data_ = {};
  chunkEnds_.clear();
}

void ChunkedFile::Close() {
  Release();
  open_ = false;
}

// Cuts the file at the first line end after each 64,512-byte step. A line
// end is normally found within 1,024 bytes of the probe; a longer line is
// kept whole up to the line bound, beyond which the file is refused.
int ChunkedFile::CutChunks() {
  const std::int64_t size = static_cast<std::int64_t>(data_.size());
  std::int64_t start = 0;
  chunkEnds_.clear();
  while (start < size || chunkEnds_.empty()) {
    if (static_cast<int>(chunkEnds_.size()) >= kMaxChunks) return 55;
    std::int64_t probe = start + kStep;
    if (probe >= size) {
      chunkEnds_.push_back(size);
      break;
    }
    std::int64_t end = probe;
    while (end < size && !IsLineEnd(data_[static_cast<std::size_t>(end)])) {
      if (end - probe >= kMaxLineLength) return 115;
      ++end;
    }
    while (end < size && IsLineEnd(data_[static_cast<std::size_t>(end)])) ++end;
    chunkEnds_.push_back(end);
    start = end;
  }
  // Every line must respect the bound, wherever it lies. Line feeds are
  // found with memchr; only a stretch longer than the bound is searched for
  // carriage returns byte by byte.
  const char* p = data_.data();
  const char* end = p + size;
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* stop = lf ? lf : end;
    if (stop - p > kMaxLineLength) {
      std::int64_t run = 0;
      for (const char* q = p; q < stop; ++q) {
        run = *q == '\r' ? 0 : run + 1;
        if (run > kMaxLineLength) return 115;
      }
    }
    p = lf ? lf + 1 : end;
  }
  return 0;
}

// The next piece of a line, at most limit characters, as a view into the
// file; a piece that reaches the line end also skips the line-end bytes.
bool ChunkedFile::NextPiece(std::string_view& out, Position& pos, std::size_t limit) const {
  out = {};
  if (!open_ || pos.chunk >= static_cast<int>(chunkEnds_.size())) return false;
  std::size_t chunkEnd = static_cast<std::size_t>(chunkEnds_[static_cast<std::size_t>(pos.chunk)]);
  if (pos.offset >= chunkEnd) {
    // Chunks end after a run of line ends, so the next one starts a line.
    ++pos.chunk;
    if (pos.chunk >= static_cast<int>(chunkEnds_.size())) return false;
    chunkEnd = static_cast<std::size_t>(chunkEnds_[static_cast<std::size_t>(pos.chunk)]);
  }
  std::size_t begin = pos.offset;
  // Empty lines before the first line are passed over, as between lines.
  if (pos.chunk == 0 && begin == 0)
    while (begin < chunkEnd && IsLineEnd(data_[begin])) ++begin;
  std::size_t i =
      FindTextEnd(data_.data(), begin, limit < chunkEnd - begin ? begin + limit : chunkEnd);
  out = std::string_view(data_.data() + begin, i - begin);
  if (i == begin && i < chunkEnd) return false;  // a NUL byte
  while (i < chunkEnd && IsLineEnd(data_[i])) ++i;
  pos.offset = i;
  if (i >= chunkEnd && pos.chunk + 1 >= static_cast<int>(chunkEnds_.size())) {
    ++pos.chunk;
    return false;  // the last chunk is exhausted; out is still the last line
  }
  return true;
}

bool ChunkedFile::ReadWholeLine(std::string_view& out, Position& pos) const {
  return NextPiece(out, pos, static_cast<std::size_t>(-1));
}

bool ChunkedFile::ReadLine(std::string& out, Position& pos, int maxLength) const {
  out.clear();
  if (maxLength > kMaxReadLine) maxLength = kMaxReadLine;
  if (maxLength < 2) return false;
  std::string_view piece;
  const bool more = NextPiece(piece, pos, static_cast<std::size_t>(maxLength - 1));
  out.assign(piece);
  return more;
}

ChunkedStream::ChunkedStream() = default;
ChunkedStream::~ChunkedStream() { Close(); }

void ChunkedStream::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  bytes_.clear();
  bytes_.shrink_to_fit();
  fromBytes_ = false;
  byteOrderMark_ = false;
  utf16_ = false;
  size_ = 0;
  chunkEnds_.clear();
  buffer_.reset();
  bufferSize_ = 0;
  loaded_ = -1;
  open_ = false;
  endedAt_ = -1;
}

int ChunkedStream::Open(const std::string& path) {
  Close();
  if (IsFolder(path)) return error_ = 2;
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return error_ = 2;
  const std::int64_t size = SizeOfOpenFile(file_, path);
  if (size < 0) {
    Close();
    return error_ = 2;
  }
  size_ = size;
  // A UTF-16 file is read whole and converted; the chunks are then cut in
  // its UTF-8 text.
  char start[2];
  if (ReadAt(0, sizeof start, start) == sizeof start &&
      Utf16OrderOf(std::string_view(start, sizeof start)) != Utf16Order::kNone) {
    if (size > 2 * kMaxFileBytes) {
      Close();
      return error_ = 55;
    }
    std::string bytes;
    try {
      bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
      Close();
      return error_ = 1;
    }
    if (ReadAt(0, bytes.size(), bytes.data()) != bytes.size()) {
      Close();
      return error_ = 2;
    }
    std::fclose(file_);
    file_ = nullptr;
    try {
      return OpenBytes(std::move(bytes));
    } catch (const std::bad_alloc&) {
      Close();
      return error_ = 1;
    }
  }
  error_ = CutChunks();
  if (error_) {
    Close();
    return error_;
  }
  open_ = true;
  return 0;
}

int ChunkedStream::OpenBytes(std::string bytes) {
  Close();
  utf16_ = Utf16OrderOf(bytes) != Utf16Order::kNone;
  if (utf16_) bytes = Utf16ToUtf8(bytes, Utf16OrderOf(bytes));
  bytes_ = std::move(bytes);
  fromBytes_ = true;
  size_ = static_cast<std::int64_t>(bytes_.size());
  error_ = CutChunks();
  if (error_) {
    Close();
    return error_;
  }
  open_ = true;
  return 0;
}

void ChunkedStream::EndedAt(int chunk, std::size_t nulAt) {
  if (chunk < 0 || chunk >= ChunkCount()) return;
  endedAt_ = (chunk ? chunkEnds_[static_cast<std::size_t>(chunk) - 1] : 0) +
             static_cast<std::int64_t>(nulAt);
}

bool ChunkedStream::MoreAfterEnd() {
  if (endedAt_ < 0) return false;
  char block[4096];
  for (std::int64_t at = endedAt_; at < size_;) {
    const std::size_t got = ReadAt(at, sizeof block, block);
    if (got == 0) return false;
    for (std::size_t i = 0; i < got; ++i) {
      const char c = block[i];
      if (c != '\0' && c != '\x1A' && c != ' ' && c != '\t' && !IsLineEnd(c)) return true;
    }
    at += static_cast<std::int64_t>(got);
  }
  return false;
}

std::size_t ChunkedStream::ReadAt(std::int64_t offset, std::size_t n, char* dst) {
  if (offset >= size_) return 0;
  if (static_cast<std::int64_t>(n) > size_ - offset) n = static_cast<std::size_t>(size_ - offset);
  if (fromBytes_) {
    std::memcpy(dst, bytes_.data() + offset, n);
    return n;
  }
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return 0;
  return std::fread(dst, 1, n, file_);
}

// The cuts of ChunkedFile, found by reading only around each probe.
int ChunkedStream::CutChunks() {
  std::int64_t start = 0;
  chunkEnds_.clear();
  std::vector<char> window(3);
  byteOrderMark_ = StartsWithByteOrderMark(
      std::string_view(window.data(), ReadAt(0, window.size(), window.data())));
  while (start < size_ || chunkEnds_.empty()) {
    if (static_cast<int>(chunkEnds_.size()) >= ChunkedFile::kMaxChunks) return 55;
    std::int64_t probe = start + ChunkedFile::kStep;
    if (probe >= size_) {
      chunkEnds_.push_back(size_);
      break;
    }
    // A line end near the probe (normally within 1,024 bytes), at most the line bound away.
    std::int64_t end = probe;
    bool found = false;
    for (std::size_t want : {static_cast<std::size_t>(ChunkedFile::kProbe),
                             static_cast<std::size_t>(ChunkedFile::kMaxLineLength + 1)}) {
      window.resize(want);
      std::size_t got = ReadAt(probe, want, window.data());
      std::size_t i = 0;
      while (i < got && !IsLineEnd(window[i])) ++i;
      if (i < got || got < want) {  // a line end, or the end of the file
        end = probe + static_cast<std::int64_t>(i);
        found = true;
        break;
      }
    }
    if (!found) return 115;
    // Over the run of line ends.
    while (end < size_) {
      window.resize(ChunkedFile::kProbe);
      std::size_t got = ReadAt(end, window.size(), window.data());
      std::size_t i = 0;
      while (i < got && IsLineEnd(window[i])) ++i;
      end += static_cast<std::int64_t>(i);
      if (i < got || got == 0) break;
    }
    chunkEnds_.push_back(end);
    start = end;
  }
  return 0;
}

bool ChunkedStream::LoadChunk(int chunk) { return LoadChunkInto(chunk, buffer_, bufferSize_); }

bool ChunkedStream::LoadChunkInto(int chunk, std::unique_ptr<char[]>& buffer,
                                  std::size_t& capacity) {
  std::int64_t start = chunk == 0 ? 0 : chunkEnds_[static_cast<std::size_t>(chunk - 1)];
  std::int64_t end = chunkEnds_[static_cast<std::size_t>(chunk)];
  std::size_t n = static_cast<std::size_t>(end - start);
  if (n > capacity) {
    // A chunk is normally under 64 KB, but a long run of line ends can make
    // one larger: the buffer grows to the largest chunk met.
    buffer.reset();
    capacity = 0;
    buffer.reset(new (std::nothrow) char[n]);
    if (!buffer) {
      error_ = 1;
      return false;
    }
    capacity = n;
  }
  if (n && ReadAt(start, n, buffer.get()) != n) {
    error_ = 2;
    return false;
  }
  loaded_ = chunk;
  loadedStart_ = start;
  return true;
}

bool ChunkedStream::NextChunk(std::string_view& text) {
  text = {};
  const int chunk = loaded_ + 1;
  if (!open_ || chunk >= static_cast<int>(chunkEnds_.size())) return false;
  if (!LoadChunk(chunk)) return false;
  const std::int64_t end = chunkEnds_[static_cast<std::size_t>(chunk)];
  text = std::string_view(buffer_.get(), static_cast<std::size_t>(end - loadedStart_));
  return true;
}

bool ChunkedStream::NextChunkInto(std::unique_ptr<char[]>& buffer, std::size_t& capacity,
                                  std::string_view& text) {
  text = {};
  const int chunk = loaded_ + 1;
  if (!open_ || chunk >= static_cast<int>(chunkEnds_.size())) return false;
  if (!LoadChunkInto(chunk, buffer, capacity)) return false;
  const std::int64_t end = chunkEnds_[static_cast<std::size_t>(chunk)];
  text = std::string_view(buffer.get(), static_cast<std::size_t>(end - loadedStart_));
  return true;
}

void ChunkedStream::StopWith(int error) {
  error_ = error;
  loaded_ = static_cast<int>(chunkEnds_.size());
}

bool ChunkedStream::ReadWholeLine(std::string_view& out, ChunkedFile::Position& pos) {
  out = {};
  if (!open_ || pos.chunk >= static_cast<int>(chunkEnds_.size())) return false;
  std::size_t chunkEnd = static_cast<std::size_t>(chunkEnds_[static_cast<std::size_t>(pos.chunk)]);
  if (pos.offset >= chunkEnd) {
    ++pos.chunk;
    if (pos.chunk >= static_cast<int>(chunkEnds_.size())) return false;
    chunkEnd = static_cast<std::size_t>(chunkEnds_[static_cast<std::size_t>(pos.chunk)]);
  }
  if (loaded_ != pos.chunk && !LoadChunk(pos.chunk)) {
    pos.chunk = static_cast<int>(chunkEnds_.size());
    return false;
  }
  // Offsets within the chunk's buffer.
  const std::size_t base = static_cast<std::size_t>(loadedStart_);
  const char* data = buffer_.get();
  std::size_t end = chunkEnd - base;
  std::size_t begin = pos.offset - base;
  // Empty lines before the first line are passed over, as between lines.
  if (pos.chunk == 0 && pos.offset == 0)
    while (begin < end && IsLineEnd(data[begin])) ++begin;
  std::size_t i = FindTextEnd(data, begin, end);
  if (i - begin > static_cast<std::size_t>(ChunkedFile::kMaxLineLength)) {
    error_ = 115;  // a line beyond the bound
    pos.chunk = static_cast<int>(chunkEnds_.size());
    return false;
  }
  out = std::string_view(data + begin, i - begin);
  if (i == begin && i < end) return false;  // a NUL byte
  while (i < end && IsLineEnd(data[i])) ++i;
  pos.offset = base + i;
  if (i >= end && pos.chunk + 1 >= static_cast<int>(chunkEnds_.size())) {
    ++pos.chunk;
    return false;
  }
  return true;
}

}  // namespace dv
