#pragma once
// The text pool of a data source: every string of the line tree, the keys
// and the gathered notes, appended NUL-terminated into fixed blocks and
// released all at once. A string is addressed by pointer or by its text
// offset (byte position counted across blocks); offset 0 is never handed out.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace dv {

class TextPool {
 public:
  static constexpr std::int32_t kBlockSize = 65024;
  static constexpr int kMaxBlocks = 200;
  static constexpr std::int32_t kReserve = 512;  // a block with less left is closed
  // The longest string that fits a block (two NULs follow each string).
  static constexpr std::int32_t kMaxString = kBlockSize - 3;

  TextPool() = default;
  TextPool(const TextPool&) = delete;
  TextPool& operator=(const TextPool&) = delete;

  // Allocates the first block; false when it cannot be had.
  bool Start();
  // Empties the pool. The blocks are kept as spares for the next Start (a
  // reopened data source reuses memory already mapped); Release frees them.
  void Clear();
  void Release();

  // Stores text (trailing white space cut when trim) and returns its offset,
  // or 0 when the pool is full.
  std::int32_t Store(std::string_view text, bool trim = false);
  // The same, returning a pointer to the stored text or nullptr.
  const char* StoreText(std::string_view text, bool trim = false);
  // The text at an offset; nullptr for 0, -1 or an offset whose block does
  // not exist.
  const char* TextAt(std::int32_t offset) const;
  // The offset of a pointer into the pool, 0 when it is not one.
  std::int32_t OffsetOf(const char* text) const;

  int BlockCount() const { return static_cast<int>(blocks_.size()); }
  std::int64_t BytesUsed() const;

 private:
  bool NextBlock();
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<std::unique_ptr<char[]>> spare_;  // blocks of an earlier fill
  std::int32_t used_ = 0;  // bytes used in the last block
};

}  // namespace dv
