#pragma once
// The text pool of a data source: every string of the line tree, the keys
// and the gathered notes, appended NUL-terminated into fixed blocks and
// released all at once. A string is addressed by pointer or by its text
// offset (byte position counted across blocks); offset 0 is never handed out.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace dv {

class TextPool {
 public:
  static constexpr std::int32_t kBlockSize = 65024;
  static constexpr int kMaxBlocks = 200;
  static constexpr std::int32_t kReserve = 512;  // a block with less left is closed
  // The longest string that fits a block (two NULs follow each string).
  static constexpr std::int32_t kMaxString = kBlockSize - 3;
  static constexpr std::size_t kRegionBytes = static_cast<std::size_t>(kBlockSize) * kMaxBlocks;

  TextPool() = default;
  TextPool(const TextPool&) = delete;
  TextPool& operator=(const TextPool&) = delete;

  // Keeps the blocks in a caller's region of kRegionBytes (RecordStore keeps
  // its texts and nodes in one arena) instead of one of its own.
  void UseRegion(char* region);
  // Opens the first block (obtaining the region when it has none); false
  // when the memory cannot be had.
  bool Start();
  // Empties the pool. The region is kept for the next Start (a reopened
  // data source reuses memory already mapped); Release frees it.
  void Clear();
  void Release();

  // Stores text (trailing white space cut when trim) and returns its offset,
  // or 0 when the pool is full.
  std::int32_t Store(std::string_view text, bool trim = false);
  // The same, returning a pointer to the stored text or nullptr. A string
  // that fits the current block (every line of a load, nearly) is copied
  // here without a call.
  const char* StoreText(std::string_view text, bool trim = false) {
    if (trim) return TextAt(Store(text, trim));
    char* dst = Place(text.size());
    if (dst) *Write(dst, text) = 0;
    return dst;
  }
  // Stores first, a NUL and second as one string (a line's cross-reference
  // and value side by side); nullptr when the pool is full.
  const char* StoreTexts(std::string_view first, std::string_view second) {
    char* dst = Place(first.size() + 1 + second.size());
    if (dst) *Write(Write(dst, first), second) = 0;
    return dst;
  }
  // Room for a string of size bytes and its two NULs, where every store
  // puts it: a block with less than the reserve left is closed after a
  // store, and a string that does not fit the rest of a block starts the
  // next one. nullptr when the pool is full; the caller writes the bytes.
  char* Place(std::size_t size) {
    const std::size_t need = size + 2;
    if (blocks_ == 0 || used_ > kBlockSize - kReserve ||
        need > static_cast<std::size_t>(kBlockSize - used_)) {
      if (blocks_ == 0 || size > static_cast<std::size_t>(kMaxString) || !NextBlock())
        return nullptr;
    }
    char* dst = base_ + static_cast<std::size_t>(blocks_ - 1) * kBlockSize + used_;
    used_ += static_cast<std::int32_t>(need);
    return dst;
  }
  // Writes text and its NUL at dst; where the next one goes. A stored
  // string is its texts written in a row, and one NUL more.
  static char* Write(char* dst, std::string_view text) {
    if (!text.empty()) std::memcpy(dst, text.data(), text.size());
    dst[text.size()] = 0;
    return dst + text.size() + 1;
  }
  // The text at an offset; nullptr for 0, -1 or an offset whose block does
  // not exist.
  const char* TextAt(std::int32_t offset) const;
  // The offset of a pointer into the pool, 0 when it is not one.
  std::int32_t OffsetOf(const char* text) const;
  // Whether text lies in the pool's region, opened blocks or not. It reads
  // nothing that storing changes, so another thread may be storing.
  bool InRegion(const char* text) const {
    const auto at = reinterpret_cast<std::uintptr_t>(text);
    const auto begin = reinterpret_cast<std::uintptr_t>(base_);
    return base_ && at >= begin && at - begin < kRegionBytes;
  }
  // Continues filling where other stands, in other's region (which stays
  // other's, or its own when the two share it): a thread can store texts through a pool of its own,
  // away from the cache line of other's counters, and other then continues from it.
  void ContinueFrom(const TextPool& other) {
    if (base_ != other.base_) {
      owned_.reset();
      base_ = other.base_;
    }
    blocks_ = other.blocks_;
    used_ = other.used_;
  }
  // Takes the pool back to where it stood just after text was stored (one
  // string, or two side by side): texts stored after it are dropped.
  void EndAfter(const char* text, bool twoStrings) {
    std::size_t end = static_cast<std::size_t>(text - base_) + std::strlen(text) + 1;
    if (twoStrings) end += std::strlen(base_ + end) + 1;
    ++end;  // the closing NUL
    blocks_ = static_cast<int>((text - base_) / kBlockSize) + 1;
    used_ = static_cast<std::int32_t>(end - static_cast<std::size_t>(blocks_ - 1) * kBlockSize);
  }
  // Blocks not yet opened (none before Start).
  int BlocksLeft() const { return blocks_ ? kMaxBlocks - blocks_ : 0; }

  int BlockCount() const { return blocks_; }
  std::int64_t BytesUsed() const;
  // The start of the blocks (nullptr before the first Start).
  char* Region() const { return base_; }

 private:
  // The blocks lie end to end in one region, block k at k * kBlockSize, so
  // a text offset is the distance from the region's start.
  bool NextBlock();
  std::unique_ptr<char[]> owned_;
  char* base_ = nullptr;
  int blocks_ = 0;         // blocks opened
  std::int32_t used_ = 0;  // bytes used in the last block
};

}  // namespace dv
