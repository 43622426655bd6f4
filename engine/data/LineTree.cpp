#include "data/LineTree.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <type_traits>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "data/TextPool.h"

namespace dv {

void NearPtrOutOfReach() {
  // A link to something outside its data source's arena: a programming
  // fault that would otherwise corrupt the tree silently.
  std::fputs("dorvane: a line link points outside its data source\n", stderr);
  std::abort();
}

void NodePool::RawDelete::operator()(void* p) const { ::operator delete(p); }

void NodePool::UseRegion(void* region) {
  owned_.reset();
  base_ = static_cast<LineNode*>(region);
  Clear();
}

bool NodePool::Obtain() {
  if (base_) return true;
  owned_.reset(::operator new(kRegionBytes, std::nothrow));
  base_ = static_cast<LineNode*>(owned_.get());
  return base_ != nullptr;
}

bool NodePool::Start() {
  Clear();
  if (!Obtain()) return false;
  blocks_ = 1;
  used_ = 0;
  return true;
}

void NodePool::Clear() {
  blocks_ = 0;
  used_ = kBlockSize;
}

void NodePool::Release() {
  Clear();
  if (owned_) {
    owned_.reset();
    base_ = nullptr;
  }
}

bool NodePool::OpenBlock() {
  static_assert(std::is_trivially_destructible_v<LineNode>);
  if (blocks_ >= kMaxBlocks || !Obtain()) return false;
  ++blocks_;
  used_ = 0;
  return true;
}

std::int64_t NodePool::Count() const {
  if (blocks_ == 0) return 0;
  return static_cast<std::int64_t>(blocks_ - 1) * kBlockSize + used_;
}

namespace {
// The node region starts on a 2 MB boundary after the text region, so
// neither region's growing end shares a huge page with the other.
constexpr std::size_t kNodeOffset =
    (TextPool::kRegionBytes + (std::size_t{1} << 21) - 1) & ~((std::size_t{1} << 21) - 1);
constexpr std::size_t kArenaBytes = kNodeOffset + NodePool::kRegionBytes;
#if defined(__linux__)
constexpr std::align_val_t kHugeAlign{std::size_t{1} << 21};
#endif
}  // namespace

void HugeRegion::RawDelete::operator()(char* p) const {
#if defined(__linux__)
  ::operator delete(p, kHugeAlign);
#else
  ::operator delete(p);
#endif
}

bool HugeRegion::Obtain(std::size_t bytes) {
  if (memory_) return true;
#if defined(__linux__)
  memory_.reset(static_cast<char*>(::operator new(bytes, kHugeAlign, std::nothrow)));
  if (memory_) madvise(memory_.get(), bytes, MADV_HUGEPAGE);
#else
  memory_.reset(static_cast<char*>(::operator new(bytes, std::nothrow)));
#endif
  size_ = bytes;
  return memory_ != nullptr;
}

void HugeRegion::DropAfter(std::size_t used, std::size_t limit) {
#if defined(__linux__)
  constexpr std::size_t kStep = std::size_t{1} << 21, kPage = 4096;
  limit = std::min(limit, Size());
  const std::size_t from = (used + kPage - 1) & ~(kPage - 1);
  const std::size_t to = std::min((used + kStep - 1) & ~(kStep - 1), limit);
  if (memory_ && from < to) madvise(memory_.get() + from, to - from, MADV_DONTNEED);
  // What is written after the used bytes later on (a load's keys and
  // notes, edits) is little: ordinary pages for it, rather than a whole
  // huge page for its first byte past a 2 MB step.
  if (memory_ && to < limit) madvise(memory_.get() + to, limit - to, MADV_NOHUGEPAGE);
#else
  (void)used;
  (void)limit;
#endif
}

void HugeRegion::HugePagesUpTo(std::size_t bytes) {
#if defined(__linux__)
  constexpr std::size_t kStep = std::size_t{1} << 21;
  if (!memory_) return;
  const std::size_t whole = std::min(bytes & ~(kStep - 1), size_);
  if (whole) madvise(memory_.get(), whole, MADV_HUGEPAGE);
  if (whole < size_) madvise(memory_.get() + whole, size_ - whole, MADV_NOHUGEPAGE);
#else
  (void)bytes;
#endif
}

void PrefaultBytes(void* region, std::size_t from, std::size_t to) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  constexpr std::size_t kStep = std::size_t{1} << 21;
  const auto base = reinterpret_cast<std::uintptr_t>(region);
  constexpr std::uintptr_t kPage = 4096;
  // The step holding from, but never before the region's first whole page.
  const std::uintptr_t begin =
      std::max((base + from) & ~(kStep - 1), (base + kPage - 1) & ~(kPage - 1));
  const std::uintptr_t end = (base + to) & ~(kStep - 1);  // whole steps only
  if (!region || end <= begin) return;
  // Contents are kept: pages already there stay as they are, new ones come
  // zeroed, as a first write would have them. A kernel without the advice
  // refuses it, and the filling thread takes the faults itself.
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
  (void)region;
  (void)from;
  (void)to;
#endif
}

bool LineArena::Attach(TextPool& text, NodePool& nodes) {
  if (!memory_.Obtain(kArenaBytes)) return false;
  text.UseRegion(memory_.Data());
  nodes.UseRegion(memory_.Data() + kNodeOffset);
  return true;
}

void LineArena::HugePagesAgain() { memory_.HugePagesUpTo(memory_.Size()); }

void LineArena::DropUnused(const TextPool& text, const NodePool& nodes) {
  memory_.DropAfter(static_cast<std::size_t>(text.BytesUsed()), kNodeOffset);
  memory_.DropAfter(kNodeOffset + static_cast<std::size_t>(nodes.Count()) * sizeof(LineNode),
                    kArenaBytes);
}

LineBuilder::LineBuilder(NodePool& nodes, TextPool& text, LineNode* root)
    : nodes_(nodes), text_(text) {
  last_[0] = root;
  // Continue below whatever the root already holds.
  if (root) {
    LineNode* line = root;
    while (line->firstChild) {
      line = line->firstChild;
      while (line->next) line = line->next;
      if (line->level < 0 || line->level > kMaxLevel) break;
      last_[line->level + 1] = line;
      current_ = line->level;
    }
  }
}

template <typename SetTexts>
LineNode* LineBuilder::Append(int level, int tag, SetTexts&& setTexts) {
  if (level < 0 || level > kMaxLevel || level > current_ + 1) return nullptr;
  LineNode* node = nodes_.NewLine();
  if (!node) return nullptr;
  node->level = level;
  node->tag = tag;
  setTexts(node);
  if (level == current_ + 1) {
    LineNode* parent = last_[level];  // the last line at the current level
    node->parent = parent;
    if (!parent->firstChild) {
      parent->firstChild = node;
    } else {
      // A parent that already has children (a builder resumed on a tree):
      // append after the last of them.
      LineNode* c = parent->firstChild;
      while (c->next) c = c->next;
      c->next = node;
    }
  } else {
    LineNode* before = last_[level + 1];
    if (!before) {
      // No line at this level yet under the current parent chain.
      return nullptr;
    }
    LinkAfter(before, node);
  }
  last_[level + 1] = node;
  // Slots deeper than the previous line's are empty already.
  for (int l = level + 2; l <= current_ + 1; ++l) last_[l] = nullptr;
  current_ = level;
  return node;
}

LineNode* LineBuilder::AppendLine(int level, int tag, std::string_view xref,
                                  std::string_view value) {
  return Append(level, tag, [&](LineNode* node) {
    SetLineTexts(text_, node, xref, value);  // a full pool leaves the line without them
  });
}

LineNode* LineBuilder::AppendStoredLine(int level, int tag, const char* text, bool hasXref) {
  return Append(level, tag, [&](LineNode* node) {
    node->hasXref = hasXref;
    node->text = text;
  });
}

LineNode* NextLine(const LineNode* stop, const LineNode* node) {
  if (!node) return nullptr;
  if (node->firstChild) return node->firstChild;
  return NextLineSkippingChildren(stop, node);
}

LineNode* NextLineSkippingChildren(const LineNode* stop, const LineNode* node) {
  while (node && node != stop) {
    if (node->next) return node->next;
    node = node->parent;
  }
  return nullptr;
}

void LinkAfter(LineNode* after, LineNode* node) {
  node->parent = after->parent;
  node->next = after->next;
  after->next = node;
}

void LinkFirstChild(LineNode* parent, LineNode* node) {
  node->parent = parent;
  node->next = parent->firstChild;
  parent->firstChild = node;
}

int InsertLine(LineNode* anchor, LineNode* node) {
  LineNode* line = anchor;
  while (line && line->level > node->level) line = line->parent;
  if (!line) return -1;
  if (line->level == node->level) {
    LinkAfter(line, node);
    return 0;
  }
  if (line->level + 1 == node->level) {
    LinkFirstChild(line, node);
    return 0;
  }
  return -1;
}

LineNode* PreviousSibling(const LineNode* node, bool* linked) {
  if (linked) *linked = false;
  if (!node || !node->parent) return nullptr;
  LineNode* before = nullptr;
  for (LineNode* c = node->parent->firstChild; c; before = c, c = c->next) {
    if (c == node) {
      if (linked) *linked = true;
      return before;
    }
  }
  return nullptr;
}

int UnlinkLine(LineNode* node) {
  bool linked = false;
  LineNode* before = PreviousSibling(node, &linked);
  if (!linked) return -1;
  if (before)
    before->next = node->next;
  else
    node->parent->firstChild = node->next;
  node->parent = node->next = nullptr;
  return 0;
}

void ReplaceLine(LineNode* old, LineNode* node) {
  LineNode* before = PreviousSibling(old, nullptr);
  node->parent = old->parent;
  node->next = old->next;
  if (before)
    before->next = node;
  else if (old->parent)
    old->parent->firstChild = node;
  old->parent = old->next = nullptr;
}

void ShiftLevels(LineNode* node, int delta) {
  node->level += delta;
  for (LineNode* l = node->firstChild; l; l = NextLine(node, l)) l->level += delta;
}

bool SetLineValueText(TextPool& pool, LineNode* line, std::string_view value) {
  return SetLineTexts(pool, line, line->Xref(), value);
}

LineNode* FindLineByOrder(const LineOrders& orders, LineNode* record, int order) {
  for (LineNode* l = record; l; l = NextLine(record, l))
    if (orders.Of(l) == order) return l;
  return nullptr;
}

void NumberLines(LineOrders& orders, LineNode* record, int step) {
  int n = 0;
  for (LineNode* l = record; l; l = NextLine(record, l)) {
    n += step;
    orders.Set(l, n);
    l->mark = 0;
  }
}

void SortSiblingsByOrder(const LineOrders& orders, LineNode* first) {
  if (!first) return;
  LineNode* parent = first->parent;
  LineNode* before = PreviousSibling(first, nullptr);
  std::vector<LineNode*> run;
  for (LineNode* l = first; l; l = l->next) run.push_back(l);
  std::stable_sort(run.begin(), run.end(), [&orders](const LineNode* a, const LineNode* b) {
    return orders.Of(a) < orders.Of(b);
  });
  for (std::size_t i = 0; i < run.size(); ++i) {
    run[i]->next = i + 1 < run.size() ? run[i + 1] : nullptr;
  }
  if (before)
    before->next = run.front();
  else if (parent)
    parent->firstChild = run.front();
}

LineNode* FirstChild(const LineNode* line, int tag) {
  if (!line) return nullptr;
  for (LineNode* c = line->firstChild; c; c = c->next)
    if (c->tag == tag) return c;
  return nullptr;
}

LineNode* NextSibling(const LineNode* line, int tag) {
  if (!line) return nullptr;
  for (LineNode* c = line->next; c; c = c->next)
    if (c->tag == tag) return c;
  return nullptr;
}

LineNode* LastDescendant(const LineNode* line) {
  LineNode* l = const_cast<LineNode*>(line);
  while (l->firstChild) {
    l = l->firstChild;
    while (l->next) l = l->next;
  }
  return l;
}

}  // namespace dv
