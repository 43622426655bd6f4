#pragma once
// The line tree: one node per GEDCOM line, linked by level under a root of
// level -1. It is the master copy of a data source; the view/edit mode
// changes it and saving writes it back line by line.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace dv {

inline constexpr int kMaxLevel = 14;

struct LineNode {
  std::int32_t level = 0;  // 0-14; the root has -1
  std::int32_t tag = 0;    // tag code 0-130
  const char* xref = nullptr;   // "@I12@" with its at signs, only on lines that have one
  const char* value = nullptr;  // the rest of the line after the tag; nullptr = empty
  std::int32_t order = 0;   // view/edit sequence number; 0 for lines read from a file
  std::int32_t mark = 0;    // 1 taken over by the summaries or a page, -1 copied to a page
  std::int32_t noteCache = 0;  // text offset of the gathered note text, 0 = not gathered
  LineNode* parent = nullptr;
  LineNode* next = nullptr;
  LineNode* firstChild = nullptr;
  LineNode* prev = nullptr;

  std::string_view Xref() const { return xref ? std::string_view(xref) : std::string_view(); }
  std::string_view Value() const { return value ? std::string_view(value) : std::string_view(); }
};

// Fixed blocks of nodes; a node's address never changes while the pool lives.
class NodePool {
 public:
  static constexpr int kBlockSize = 1487;
  static constexpr int kMaxBlocks = 1000;

  NodePool() = default;
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  bool Start();  // allocates the first block
  // Empties the pool. The blocks are kept as spares for the next Start, so
  // reopening a data source reuses memory that is already mapped instead of
  // faulting in ~11,000 fresh pages; Release gives them back.
  void Clear();
  void Release();
  // A zeroed node, or nullptr when the blocks are exhausted.
  LineNode* NewLine();
  std::int64_t Count() const;
  int BlockCount() const { return static_cast<int>(blocks_.size()); }

 private:
  // Raw storage: a node is constructed (zeroed) only when it is handed out,
  // so each block's memory is touched once.
  struct RawDelete {
    void operator()(LineNode* p) const;
  };
  using Block = std::unique_ptr<LineNode, RawDelete>;
  bool AddBlock();
  std::vector<Block> blocks_;
  std::vector<Block> spare_;  // blocks of an earlier fill, reused before new ones
  int used_ = kBlockSize;  // nodes used in the last block
};

class TextPool;

// Appends lines below the lines built so far, in file order.
class LineBuilder {
 public:
  LineBuilder(NodePool& nodes, TextPool& text, LineNode* root);
  // Adds a line; nullptr for a level above 14, a level more than one deeper
  // than the previous line, or when the node pool is exhausted. Empty xref
  // and value are stored as none.
  LineNode* AppendLine(int level, int tag, std::string_view xref, std::string_view value,
                       int order = 0);
  int CurrentLevel() const { return current_; }

 private:
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
// Takes node (with its subtree) out of the tree; -1 when its links are broken.
int UnlinkLine(LineNode* node);
// Inserts node as the next sibling of after (same parent).
void LinkAfter(LineNode* after, LineNode* node);
// Inserts node as the first child of parent.
void LinkFirstChild(LineNode* parent, LineNode* node);
// Moves a whole subtree's levels by delta.
void ShiftLevels(LineNode* node, int delta);

LineNode* FindLineByOrder(LineNode* record, int order);
// Gives the record's lines the orders step, 2*step, ... in pre-order and clears their marks.
void NumberLines(LineNode* record, int step);
// Sorts a run of siblings (starting at first) by ascending order, stable.
void SortSiblingsByOrder(LineNode* first);

// The first direct child with a tag, or nullptr.
LineNode* FirstChild(const LineNode* line, int tag);
// The next sibling after line with a tag, or nullptr.
LineNode* NextSibling(const LineNode* line, int tag);
// The last line of a record's subtree (the record itself when it has no children).
LineNode* LastDescendant(const LineNode* line);

}  // namespace dv
