#include "data/TextPool.h"

#include <cstring>

namespace dv {

bool TextPool::Start() {
  Clear();
  if (!NextBlock()) return false;
  used_ = 1;  // offset 0 means "no text"
  return true;
}

void TextPool::Clear() {
  while (!blocks_.empty()) {
    spare_.push_back(std::move(blocks_.back()));
    blocks_.pop_back();
  }
  used_ = 0;
}

void TextPool::Release() {
  blocks_.clear();
  spare_.clear();
  spare_.shrink_to_fit();
  used_ = 0;
}

bool TextPool::NextBlock() {
  if (static_cast<int>(blocks_.size()) >= kMaxBlocks) return false;
  if (!spare_.empty()) {
    blocks_.push_back(std::move(spare_.back()));
    spare_.pop_back();
    used_ = 0;
    return true;
  }
  std::unique_ptr<char[]> block(new (std::nothrow) char[kBlockSize]);
  if (!block) return false;
  blocks_.push_back(std::move(block));
  used_ = 0;
  return true;
}

std::int32_t TextPool::Store(std::string_view text, bool trim) {
  if (trim) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
      text.remove_suffix(1);
  }
  if (blocks_.empty() || text.size() > static_cast<std::size_t>(kMaxString)) return 0;
  std::int32_t need = static_cast<std::int32_t>(text.size()) + 2;
  // A block with less than the reserve left is closed after a store; a long
  // string that does not fit the rest of a block starts the next one.
  if (used_ > kBlockSize - kReserve || kBlockSize - used_ < need) {
    if (!NextBlock()) return 0;
  }
  char* dst = blocks_.back().get() + used_;
  if (!text.empty()) std::memcpy(dst, text.data(), text.size());
  dst[text.size()] = 0;
  dst[text.size() + 1] = 0;
  std::int32_t offset = static_cast<std::int32_t>(blocks_.size() - 1) * kBlockSize + used_;
  used_ += need;
  return offset;
}

const char* TextPool::StoreText(std::string_view text, bool trim) {
  return TextAt(Store(text, trim));
}

const char* TextPool::TextAt(std::int32_t offset) const {
  if (offset <= 0) return nullptr;
  std::size_t block = static_cast<std::size_t>(offset / kBlockSize);
  if (block >= blocks_.size()) return nullptr;
  return blocks_[block].get() + offset % kBlockSize;
}

std::int32_t TextPool::OffsetOf(const char* text) const {
  if (!text) return 0;
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const char* b = blocks_[i].get();
    if (text >= b && text < b + kBlockSize)
      return static_cast<std::int32_t>(i) * kBlockSize + static_cast<std::int32_t>(text - b);
  }
  return 0;
}

std::int64_t TextPool::BytesUsed() const {
  if (blocks_.empty()) return 0;
  return static_cast<std::int64_t>(blocks_.size() - 1) * kBlockSize + used_;
}

}  // namespace dv
