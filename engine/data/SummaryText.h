#pragma once
// The text fields of the individual and family summaries. Each field keeps
// the limit of a fixed character field of N bytes (at most N - 1
// characters, cut there), but the text itself is stored at its own length
// in the store's summary texts: a name of 16 characters takes 17 bytes
// there, not 64 in every summary.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "data/LineTree.h"
#include "data/TextPool.h"

namespace dv {

template <std::size_t N>
class SummaryText {
 public:
  static constexpr std::size_t kMaxLength = N - 1;

  // Read as the NUL-terminated text it holds ("" when none).
  operator const char*() const { return text_; }
  operator std::string_view() const { return text_; }
  const char* c_str() const { return text_; }
  std::string_view view() const { return text_; }
  bool empty() const { return !*text_; }

 private:
  friend class SummaryTexts;
  const char* text_ = "";
};

// The store of summary texts: filled front to back from one region kept
// from load to load, emptied in one step with the summaries. A rebuilt
// summary (after an edit) stores its texts again; when an editing session
// has filled the region, further texts are kept one by one instead.
//
// A text that ends a string of the data source's line texts (a place or an
// occupation as its line has it) is not copied: the field points into the
// line's text. Line texts are never changed in place (an edit stores a new
// one) and are emptied after the summaries, so the field stays valid.
class SummaryTexts {
 public:
  // The line texts whose strings fields may point into.
  void ShareLineTexts(const TextPool* lines) { lines_ = lines; }
  // The text cut to the field's limit (bytes, as the fixed fields were).
  template <std::size_t N>
  bool Set(SummaryText<N>& field, std::string_view text) {
    if (text.size() > N - 1) text = text.substr(0, N - 1);
    const char* stored = Store(text);
    if (!stored) return false;
    field.text_ = stored;
    return true;
  }
  // Forgets every text (the fields that point here must be reset too).
  void Clear();
  // Bytes taken in the region.
  std::size_t BytesUsed() const { return used_; }

 private:
  const char* Store(std::string_view text);
  const TextPool* lines_ = nullptr;
  HugeRegion region_;
  std::size_t used_ = 0;
  std::deque<std::string> overflow_;
};

}  // namespace dv
