#pragma once
// The line tree: one node per GEDCOM line, linked by level under a root of
// level -1. It is the master copy of a data source; the view/edit mode
// changes it and saving writes it back line by line.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/TextPool.h"

namespace dv {

inline constexpr int kMaxLevel = 14;

[[noreturn]] void NearPtrOutOfReach();

// A pointer kept as the signed distance in bytes from the link itself to
// its target, 0 for none: four bytes on every platform, so a line node is
// the same 20 bytes in the 32-bit program and the 64-bit tools. The nodes
// and texts of one data source live in one arena (RecordStore), so the
// distances stay small. Because the distance is only right at the link's
// own address, a link cannot be copied out: read it into a plain pointer
// (LineNode* next = line->next), assign it from a pointer or another link.
template <typename T>
class NearPtr {
 public:
  NearPtr() = default;
  NearPtr(const NearPtr&) = delete;
  NearPtr& operator=(const NearPtr& other) {
    Set(other.get());
    return *this;
  }
  NearPtr& operator=(T* target) {
    Set(target);
    return *this;
  }
  NearPtr& operator=(std::nullptr_t) {
    distance_ = 0;
    return *this;
  }

  T* get() const {
    if (!distance_) return nullptr;
    return reinterpret_cast<T*>(reinterpret_cast<std::uintptr_t>(this) +
                                static_cast<std::uintptr_t>(static_cast<std::intptr_t>(distance_)));
  }
  operator T*() const { return get(); }
  T* operator->() const { return get(); }

  friend bool operator==(const NearPtr& a, T* b) { return a.get() == b; }
  friend bool operator==(const NearPtr& a, std::nullptr_t) { return a.distance_ == 0; }

 private:
  void Set(T* target) {
    if (!target) {
      distance_ = 0;
      return;
    }
    const std::uintptr_t diff =
        reinterpret_cast<std::uintptr_t>(target) - reinterpret_cast<std::uintptr_t>(this);
    if constexpr (sizeof(std::uintptr_t) > sizeof(std::int32_t)) {
      const auto d = static_cast<std::intptr_t>(diff);
      if (d < INT32_MIN || d > INT32_MAX) NearPtrOutOfReach();
    }
    distance_ = static_cast<std::int32_t>(diff);  // on 32 bits the distance wraps, as addresses do
  }
  std::int32_t distance_ = 0;
};

struct LineNode {
  std::int8_t level = 0;       // 0-14; the root has -1
  std::uint8_t hasXref = 0;    // 1: text holds the cross-reference, a NUL, then the value
  std::uint8_t tag = 0;        // tag code 0-130
  std::int8_t mark = 0;        // 1 taken over by the summaries or a page, -1 copied to a page
  // The rest of the line after the tag ("@I12@" with its at signs first on
  // lines that have a cross-reference, which are few: most lines keep four
  // bytes for it); none = both empty. Set through SetLineTexts and
  // SetLineValueText.
  NearPtr<const char> text;
  NearPtr<LineNode> parent;
  NearPtr<LineNode> next;
  NearPtr<LineNode> firstChild;
  // No link back to the previous sibling: the few operations that need it
  // find it from the parent's first child (PreviousSibling), and every line
  // of a loaded file is four bytes smaller.

  std::string_view Xref() const {
    return hasXref && text ? std::string_view(text.get()) : std::string_view();
  }
  std::string_view Value() const {
    if (!text) return {};
    const char* v = text.get();
    if (hasXref) v += std::char_traits<char>::length(v) + 1;
    return std::string_view(v);
  }
};
static_assert(sizeof(LineNode) == 20, "one layout for the 32-bit program and the 64-bit tools");

// Stores a line's cross-reference and value (either may be empty); false,
// with the line unchanged, when the pool is full. Inline: the load sets the
// texts of every line through it.
[[gnu::always_inline]] inline bool SetLineTexts(TextPool& pool, LineNode* line,
                                                std::string_view xref, std::string_view value) {
  const char* stored = nullptr;
  if (!xref.empty())
    stored = pool.StoreTexts(xref, value);
  else if (!value.empty())
    stored = pool.StoreText(value);
  if (!stored && (!xref.empty() || !value.empty())) return false;
  line->hasXref = !xref.empty();
  line->text = stored;
  return true;
}
// A new value for a line, its cross-reference kept.
bool SetLineValueText(TextPool& pool, LineNode* line, std::string_view value);

// The nodes of a data source: 1,000 blocks of 1,487 nodes at most, laid end
// to end in one region, so a node's address never changes while the pool
// lives and the links between nodes stay near.
class NodePool {
 public:
  static constexpr int kBlockSize = 1487;
  static constexpr int kMaxBlocks = 1000;
  static constexpr std::size_t kRegionBytes =
      sizeof(LineNode) * static_cast<std::size_t>(kBlockSize) * kMaxBlocks;

  NodePool() = default;
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  // Serves nodes from a caller's region of kRegionBytes (RecordStore keeps
  // its nodes and texts in one arena) instead of one of its own.
  void UseRegion(void* region);
  bool Start();  // opens the first block (obtaining the region when it has none)
  // Empties the pool. The region is kept for the next Start, so reopening a
  // data source reuses memory already mapped; Release gives it back.
  void Clear();
  void Release();
  // A zeroed node, or nullptr when the blocks are exhausted.
  LineNode* NewLine() {
    if (used_ >= kBlockSize && !OpenBlock()) return nullptr;
    return ::new (base_ + static_cast<std::size_t>(blocks_ - 1) * kBlockSize + used_++) LineNode();
  }
  std::int64_t Count() const;
  int BlockCount() const { return blocks_; }
  // The start of the blocks (nullptr before the first Start).
  void* Region() const { return base_; }

 private:
  // Raw storage: a node is constructed (zeroed) only when it is handed out,
  // so the region's pages are touched only as far as they are used.
  struct RawDelete {
    void operator()(void* p) const;
  };
  bool Obtain();
  bool OpenBlock();  // the next block, false at the limit or without memory
  std::unique_ptr<void, RawDelete> owned_;
  LineNode* base_ = nullptr;
  int blocks_ = 0;         // blocks opened
  int used_ = kBlockSize;  // nodes used in the last block
};

// Makes bytes [from, to) of a region resident as writing them would,
// without changing what they hold, in whole 2 MB steps (the part of the last
// step that is not whole is left): a second thread can take the page faults
// of memory that the first is about to fill. Linux only; elsewhere nothing.
void PrefaultBytes(void* region, std::size_t from, std::size_t to);

// A piece of memory obtained once and filled front to back, load after
// load. On Linux it starts on a 2 MB boundary and asks for transparent huge
// pages: a 2 MB page costs one fault where 4 KB pages cost 512, and in a
// fresh process those faults are most of a load's system time.
class HugeRegion {
 public:
  // Obtains bytes (once: a region already there is kept); false when the
  // memory cannot be had.
  bool Obtain(std::size_t bytes);
  char* Data() const { return memory_.get(); }
  std::size_t Size() const { return memory_ ? size_ : 0; }
  // Gives back the pages after the first used bytes up to the end of the
  // 2 MB step they end in (never past limit): a huge page brought in whole
  // holds up to 2 MB that nothing will fill. What lay there reads as zero
  // afterwards, and is brought back page by page when written, as is
  // everything after it up to limit (until HugePagesUpTo). Linux only.
  void DropAfter(std::size_t used, std::size_t limit);
  // Huge pages for the whole 2 MB steps below bytes only; the part after
  // them gets ordinary pages, so filling exactly bytes brings in no more.
  // Linux only.
  void HugePagesUpTo(std::size_t bytes);

 private:
  struct RawDelete {
    void operator()(char* p) const;
  };
  std::unique_ptr<char, RawDelete> memory_;
  std::size_t size_ = 0;
};

// One piece of memory for the texts and the nodes of a data source: the
// text pool's region first, the node pool's after it. Text and node links
// are near pointers, so the pools of one tree must share an arena (pools
// that obtain their own regions serve texts or nodes alone).
class LineArena {
 public:
  // Obtains the arena (once) and gives both pools their regions; false when
  // the memory cannot be had.
  bool Attach(TextPool& text, NodePool& nodes);
  // After a parse: the unfilled ends of the huge pages the two pools end
  // in are given back, and what follows them is filled in ordinary pages
  // (see HugeRegion::DropAfter).
  void DropUnused(const TextPool& text, const NodePool& nodes);
  // Before the next parse in the same arena: huge pages again throughout.
  void HugePagesAgain();

 private:
  HugeRegion memory_;
};

// Appends lines below the lines built so far, in file order.
class LineBuilder {
 public:
  LineBuilder(NodePool& nodes, TextPool& text, LineNode* root);
  // Adds a line; nullptr for a level above 14, a level more than one deeper
  // than the previous line, or when the node pool is exhausted. Empty xref
  // and value are stored as none.
  LineNode* AppendLine(int level, int tag, std::string_view xref, std::string_view value);
  // The same for a line whose texts are in the pool already (text as
  // SetLineTexts would have set it, nullptr for none).
  LineNode* AppendStoredLine(int level, int tag, const char* text, bool hasXref);
  int CurrentLevel() const { return current_; }

 private:
  template <typename SetTexts>
  LineNode* Append(int level, int tag, SetTexts&& setTexts);
  NodePool& nodes_;
  TextPool& text_;
  int current_ = -1;
  LineNode* last_[kMaxLevel + 2] = {};  // slot 0 is the root (level -1)
};

// Pre-order walk: first child, else next sibling, else the next sibling of
// the nearest ancestor that has one; nullptr when the walk climbs back to stop.
LineNode* NextLine(const LineNode* stop, const LineNode* node);
// The same walk without descending into node's children.
LineNode* NextLineSkippingChildren(const LineNode* stop, const LineNode* node);

// Inserts node at its own level relative to anchor: climbs from anchor to
// the first line not deeper than node; same level: next sibling; one level
// deeper: first child. 0, or -1 when neither applies.
int InsertLine(LineNode* anchor, LineNode* node);
// Puts node (with its subtree) where old stands; old is unlinked.
void ReplaceLine(LineNode* old, LineNode* node);
// Takes node (with its subtree) out of the tree; -1 when it is not among
// its parent's children. It walks the siblings before node: to take many
// children of one line out, use UnlinkChildrenIf.
int UnlinkLine(LineNode* node);
// The sibling before node (nullptr for a first child), found from the
// parent's first child. linked, when given, tells whether node was found there.
LineNode* PreviousSibling(const LineNode* node, bool* linked);
// Takes every child of parent for which take(child) holds out of the tree,
// in one walk of the children.
template <typename Take>
void UnlinkChildrenIf(LineNode* parent, Take take) {
  LineNode* before = nullptr;
  for (LineNode* c = parent->firstChild; c;) {
    LineNode* next = c->next;
    if (take(c)) {
      if (before)
        before->next = next;
      else
        parent->firstChild = next;
      c->parent = c->next = nullptr;
    } else {
      before = c;
    }
    c = next;
  }
}
// Inserts node as the next sibling of after (same parent).
void LinkAfter(LineNode* after, LineNode* node);
// Inserts node as the first child of parent.
void LinkFirstChild(LineNode* parent, LineNode* node);
// Moves a whole subtree's levels by delta.
void ShiftLevels(LineNode* node, int delta);

// The view/edit sequence numbers of lines, which match a page's fields to
// the lines they came from. Only the lines of records read into pages (and
// the copies made of them) have one, so they are kept beside the tree
// rather than in every node; any other line's order is 0.
class LineOrders {
 public:
  std::int32_t Of(const LineNode* line) const {
    auto it = orders_.find(line);
    return it == orders_.end() ? 0 : it->second;
  }
  void Set(const LineNode* line, std::int32_t order) {
    if (order)
      orders_[line] = order;
    else
      orders_.erase(line);
  }
  void Clear() { orders_.clear(); }

 private:
  std::unordered_map<const LineNode*, std::int32_t> orders_;
};

LineNode* FindLineByOrder(const LineOrders& orders, LineNode* record, int order);
// Gives the record's lines the orders step, 2*step, ... in pre-order and clears their marks.
void NumberLines(LineOrders& orders, LineNode* record, int step);
// Sorts a run of siblings (starting at first) by ascending order, stable.
void SortSiblingsByOrder(const LineOrders& orders, LineNode* first);

// The first direct child with a tag, or nullptr.
LineNode* FirstChild(const LineNode* line, int tag);
// The next sibling after line with a tag, or nullptr.
LineNode* NextSibling(const LineNode* line, int tag);
// The last line of a record's subtree (the record itself when it has no children).
LineNode* LastDescendant(const LineNode* line);

}  // namespace dv
