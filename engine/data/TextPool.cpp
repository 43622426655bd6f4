#include "data/TextPool.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace dv {

void TextPool::UseRegion(char* region) {
  owned_.reset();
  base_ = region;
  Clear();
}

bool TextPool::Start() {
  Clear();
  if (!base_) {
    owned_.reset(new (std::nothrow) char[kRegionBytes]);
    base_ = owned_.get();
    if (!base_) return false;
  }
  if (!NextBlock()) return false;
  used_ = 1;  // offset 0 means "no text"
  return true;
}

void TextPool::Clear() {
  blocks_ = 0;
  used_ = 0;
}

void TextPool::Release() {
  Clear();
  if (owned_) {
    owned_.reset();
    base_ = nullptr;
  }
}

bool TextPool::NextBlock() {
  if (blocks_ >= kMaxBlocks || !base_) return false;
  ++blocks_;
  used_ = 0;
  return true;
}

std::int32_t TextPool::Store(std::string_view text, bool trim) {
  if (trim) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
      text.remove_suffix(1);
  }
  if (text.size() > static_cast<std::size_t>(kMaxString)) return 0;
  char* dst = Place(text.size());
  if (!dst) return 0;
  *Write(dst, text) = 0;
  return static_cast<std::int32_t>(dst - base_);
}

const char* TextPool::TextAt(std::int32_t offset) const {
  if (offset <= 0 || offset / kBlockSize >= blocks_) return nullptr;
  return base_ + offset;
}

std::int32_t TextPool::OffsetOf(const char* text) const {
  if (!text || !base_) return 0;
  const auto at = reinterpret_cast<std::uintptr_t>(text);
  const auto begin = reinterpret_cast<std::uintptr_t>(base_);
  if (at < begin || at - begin >= static_cast<std::uintptr_t>(blocks_) * kBlockSize) return 0;
  return static_cast<std::int32_t>(at - begin);
}

std::int64_t TextPool::BytesUsed() const {
  if (blocks_ == 0) return 0;
  return static_cast<std::int64_t>(blocks_ - 1) * kBlockSize + used_;
}

}  // namespace dv
