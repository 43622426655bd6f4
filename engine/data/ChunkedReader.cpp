#include "data/ChunkedReader.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "data/CharSet.h"

namespace dv {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

int ChunkedFile::Open(const std::string& path) {
  Close();
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return error_ = 2;
  if (std::fseek(f.get(), 0, SEEK_END) != 0) return error_ = 2;
  long size = std::ftell(f.get());
  if (size < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return error_ = 2;
  // More than 199 steps can never be accepted: refuse before reading.
  if (size > (kMaxChunks + 1) * (kStep + kMaxLineLength)) return error_ = 55;
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
  if (!bytes) return error_ = 1;
  if (size > 0 && std::fread(bytes.get(), 1, static_cast<std::size_t>(size), f.get()) !=
                      static_cast<std::size_t>(size))
    return error_ = 2;
  owned_ = std::move(bytes);
  data_ = std::string_view(owned_.get(), static_cast<std::size_t>(size));
  return Finish();
}

int ChunkedFile::OpenBytes(std::string bytes) {
  Close();
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
  std::size_t i =
      FindTextEnd(data_.data(), begin, limit < chunkEnd - begin ? begin + limit : chunkEnd);
  out = std::string_view(data_.data() + begin, i - begin);
  if (i == begin && i < chunkEnd) return false;  // a NUL byte or an empty first line
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
  size_ = 0;
  chunkEnds_.clear();
  buffer_.reset();
  bufferSize_ = 0;
  loaded_ = -1;
  open_ = false;
}

int ChunkedStream::Open(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return error_ = 2;
  long size = -1;
  if (std::fseek(file_, 0, SEEK_END) == 0) size = std::ftell(file_);
  if (size < 0) {
    Close();
    return error_ = 2;
  }
  size_ = size;
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
  std::size_t i = FindTextEnd(data, begin, end);
  if (i - begin > static_cast<std::size_t>(ChunkedFile::kMaxLineLength)) {
    error_ = 115;  // a line beyond the bound
    pos.chunk = static_cast<int>(chunkEnds_.size());
    return false;
  }
  out = std::string_view(data + begin, i - begin);
  if (i == begin && i < end) return false;  // a NUL byte or an empty first line
  while (i < end && IsLineEnd(data[i])) ++i;
  pos.offset = base + i;
  if (i >= end && pos.chunk + 1 >= static_cast<int>(chunkEnds_.size())) {
    ++pos.chunk;
    return false;
  }
  return true;
}

}  // namespace dv
