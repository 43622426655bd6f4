#include "data/LineTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "data/TextPool.h"

namespace dv {
namespace {

struct Tree {
  TextPool text;
  NodePool nodes;
  LineArena arena;
  LineNode* root = nullptr;
  Tree() {
    arena.Attach(text, nodes);
    text.Start();
    nodes.Start();
    root = nodes.NewLine();
    root->level = -1;
  }
};

// Levels and values in pre-order, as "level:value" joined by spaces.
std::string Walk(const LineNode* root) {
  std::string out;
  for (const LineNode* l = root->firstChild; l; l = NextLine(root, l)) {
    if (!out.empty()) out += ' ';
    out += std::to_string(l->level) + ":" + std::string(l->Value());
  }
  return out;
}

TEST(LineBuilder, LinksLinesByLevel) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* head = b.AppendLine(0, 64, {}, "a");
  LineNode* sour = b.AppendLine(1, 112, {}, "b");
  LineNode* vers = b.AppendLine(2, 126, {}, "c");
  LineNode* chr = b.AppendLine(1, 27, {}, "d");
  LineNode* indi = b.AppendLine(0, 68, "@I1@", "e");
  ASSERT_TRUE(head && sour && vers && chr && indi);
  EXPECT_EQ(head->firstChild, sour);
  EXPECT_EQ(sour->firstChild, vers);
  EXPECT_EQ(sour->next, chr);
  EXPECT_EQ(PreviousSibling(chr, nullptr), sour);
  EXPECT_EQ(chr->parent, head);
  EXPECT_EQ(head->next, indi);
  EXPECT_EQ(indi->parent, t.root);
  EXPECT_EQ(indi->Xref(), "@I1@");
  EXPECT_EQ(indi->Value(), "e");
  EXPECT_EQ(Walk(t.root), "0:a 1:b 2:c 1:d 0:e");
}

TEST(LineBuilder, RefusesLevelJumpsAndLevelsAbove14) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  ASSERT_TRUE(b.AppendLine(0, 68, {}, {}));
  EXPECT_EQ(b.AppendLine(2, 77, {}, {}), nullptr);
  LineNode* l = nullptr;
  for (int level = 1; level <= 14; ++level) l = b.AppendLine(level, 77, {}, {});
  EXPECT_NE(l, nullptr);
  EXPECT_EQ(b.AppendLine(15, 77, {}, {}), nullptr);
  EXPECT_EQ(b.AppendLine(-1, 77, {}, {}), nullptr);
}

TEST(LineBuilder, EmptyValueIsStoredAsNone) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* l = b.AppendLine(0, 124, {}, {});
  EXPECT_EQ(l->text, nullptr);
  EXPECT_EQ(l->Xref(), "");
  EXPECT_EQ(l->Value(), "");
}

// A cross-reference and a value share one stored text; changing either
// keeps the other, and an empty one reads as empty.
TEST(LineTexts, CrossReferenceAndValueSideBySide) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* rec = b.AppendLine(0, 68, "@N7@", {});
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->Xref(), "@N7@");
  EXPECT_EQ(rec->Value(), "");
  ASSERT_TRUE(SetLineValueText(t.text, rec, " first text"));
  EXPECT_EQ(rec->Xref(), "@N7@");
  EXPECT_EQ(rec->Value(), " first text");
  ASSERT_TRUE(SetLineValueText(t.text, rec, {}));
  EXPECT_EQ(rec->Xref(), "@N7@");
  EXPECT_EQ(rec->Value(), "");
  ASSERT_TRUE(SetLineTexts(t.text, rec, {}, "v"));
  EXPECT_EQ(rec->Xref(), "");
  EXPECT_EQ(rec->Value(), "v");
  ASSERT_TRUE(SetLineTexts(t.text, rec, "@I2@", "w"));
  EXPECT_EQ(rec->Xref(), "@I2@");
  EXPECT_EQ(rec->Value(), "w");
  ASSERT_TRUE(SetLineTexts(t.text, rec, {}, {}));
  EXPECT_EQ(rec->text, nullptr);
  EXPECT_EQ(rec->Xref(), "");
  // Across a block boundary: the texts go whole into the next block.
  const std::string longValue(TextPool::kBlockSize / 2, 'x');
  for (int i = 0; i < 3; ++i) {
    LineNode* l = b.AppendLine(0, 68, "@I" + std::to_string(i) + "@", longValue);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Xref(), "@I" + std::to_string(i) + "@");
    EXPECT_EQ(l->Value(), longValue);
  }
}

TEST(NextLine, StopsWhenTheWalkClimbsBackToStop) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* a = b.AppendLine(0, 68, {}, "a");
  b.AppendLine(1, 77, {}, "b");
  b.AppendLine(2, 41, {}, "c");
  b.AppendLine(0, 68, {}, "d");
  std::string seen;
  for (LineNode* l = a; l; l = NextLine(a, l)) seen += std::string(l->Value());
  EXPECT_EQ(seen, "abc");
}

TEST(InsertLine, SameLevelSiblingOneDeeperFirstChild) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* indi = b.AppendLine(0, 68, {}, "i");
  LineNode* name = b.AppendLine(1, 77, {}, "n");
  b.AppendLine(2, 41, {}, "d");
  LineNode* sex = t.nodes.NewLine();
  sex->level = 1;
  ASSERT_TRUE(SetLineTexts(t.text, sex, {}, "s"));
  EXPECT_EQ(InsertLine(name->firstChild, sex), 0);  // climbs to NAME
  EXPECT_EQ(Walk(t.root), "0:i 1:n 2:d 1:s");
  LineNode* first = t.nodes.NewLine();
  first->level = 1;
  ASSERT_TRUE(SetLineTexts(t.text, first, {}, "f"));
  EXPECT_EQ(InsertLine(indi, first), 0);
  EXPECT_EQ(Walk(t.root), "0:i 1:f 1:n 2:d 1:s");
  LineNode* deep = t.nodes.NewLine();
  deep->level = 3;
  EXPECT_EQ(InsertLine(indi, deep), -1);
}

TEST(UnlinkLine, TakesTheSubtreeOutAndChecksLinks) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  b.AppendLine(0, 68, {}, "i");
  LineNode* name = b.AppendLine(1, 77, {}, "n");
  b.AppendLine(2, 41, {}, "d");
  b.AppendLine(1, 109, {}, "s");
  EXPECT_EQ(UnlinkLine(name), 0);
  EXPECT_EQ(Walk(t.root), "0:i 1:s");
  EXPECT_EQ(UnlinkLine(name), -1);  // no longer in the tree
  LineNode* stray = t.nodes.NewLine();
  stray->parent = t.root;  // says it is a child but the root does not know it
  EXPECT_EQ(UnlinkLine(stray), -1);
}

TEST(UnlinkLine, ManyChildrenInOneWalkAndOneInPlaceOfAnother) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* indi = b.AppendLine(0, 68, {}, "i");
  for (const char* v : {"x1", "a", "x2", "x3", "b"}) b.AppendLine(1, 77, {}, v);
  b.AppendLine(2, 41, {}, "under-b");
  b.AppendLine(1, 77, {}, "x4");
  b.AppendLine(2, 41, {}, "under-x4");
  b.AppendLine(0, 68, {}, "j");
  UnlinkChildrenIf(indi, [](const LineNode* c) { return c->Value()[0] == 'x'; });
  EXPECT_EQ(Walk(t.root), "0:i 1:a 1:b 2:under-b 0:j");
  LineNode* a = indi->firstChild;
  LineNode* bLine = a->next;
  LineNode* c = t.nodes.NewLine();
  c->level = 1;
  ASSERT_TRUE(SetLineTexts(t.text, c, {}, "c"));
  ReplaceLine(bLine, c);                       // the last child, found through the first
  EXPECT_EQ(Walk(t.root), "0:i 1:a 1:c 0:j");  // b's line goes with it
  EXPECT_EQ(c->parent, indi);
  EXPECT_EQ(PreviousSibling(c, nullptr), a);
  EXPECT_EQ(bLine->parent, nullptr);
  bool linked = true;
  EXPECT_EQ(PreviousSibling(bLine, &linked), nullptr);
  EXPECT_FALSE(linked);
  EXPECT_EQ(UnlinkLine(a), 0);  // the first child
  EXPECT_EQ(indi->firstChild, c);
}

TEST(LineOrders, NumberAndSortSiblings) {
  Tree t;
  LineBuilder b(t.nodes, t.text, t.root);
  LineNode* indi = b.AppendLine(0, 68, {}, "i");
  LineNode* x = b.AppendLine(1, 77, {}, "x");
  b.AppendLine(1, 77, {}, "y");
  b.AppendLine(1, 77, {}, "z");
  x->mark = 1;
  LineOrders orders;
  EXPECT_EQ(orders.Of(x), 0);
  NumberLines(orders, indi, 10);
  EXPECT_EQ(orders.Of(x), 20);
  EXPECT_EQ(x->mark, 0);
  EXPECT_EQ(FindLineByOrder(orders, indi, 40)->Value(), "z");
  EXPECT_EQ(FindLineByOrder(orders, indi, 50), nullptr);
  orders.Set(x, 99);
  SortSiblingsByOrder(orders, indi->firstChild);
  EXPECT_EQ(Walk(t.root), "0:i 1:y 1:z 1:x");
  EXPECT_EQ(PreviousSibling(indi->firstChild, nullptr), nullptr);
}

TEST(NodePool, ThousandBlocksAtMost) {
  NodePool pool;
  ASSERT_TRUE(pool.Start());
  std::int64_t n = 0;
  while (pool.NewLine()) ++n;
  EXPECT_EQ(n, std::int64_t{NodePool::kBlockSize} * NodePool::kMaxBlocks);
  EXPECT_EQ(pool.NewLine(), nullptr);
}

TEST(NodePool, AReusedPoolHandsOutZeroedNodesUpToTheSameLimit) {
  NodePool pool;
  ASSERT_TRUE(pool.Start());
  for (int i = 0; i < NodePool::kBlockSize + 5; ++i) {
    LineNode* n = pool.NewLine();
    ASSERT_NE(n, nullptr);
    n->level = 3;
    n->tag = 7;
    n->mark = 1;
    n->next = n;
  }
  EXPECT_EQ(pool.BlockCount(), 2);
  pool.Clear();
  EXPECT_EQ(pool.Count(), 0);
  ASSERT_TRUE(pool.Start());
  EXPECT_EQ(pool.BlockCount(), 1);
  std::int64_t made = 0;
  for (LineNode* n = pool.NewLine(); n; n = pool.NewLine()) {
    ++made;
    if (made <= NodePool::kBlockSize + 5) {
      ASSERT_EQ(n->level, 0);
      ASSERT_EQ(n->tag, 0);
      ASSERT_EQ(n->mark, 0);
      ASSERT_EQ(n->next, nullptr);
    }
  }
  EXPECT_EQ(made, static_cast<std::int64_t>(NodePool::kBlockSize) * NodePool::kMaxBlocks);
  EXPECT_EQ(pool.BlockCount(), NodePool::kMaxBlocks);
  pool.Release();
  EXPECT_EQ(pool.Count(), 0);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// Making memory resident ahead of its use keeps what it already holds.
TEST(PrefaultBytes, KeepsTheContents) {
  const std::size_t size = std::size_t{6} << 20;
  std::unique_ptr<char[]> region(new char[size]);
  for (std::size_t i = 0; i < size; i += 4096) region[i] = static_cast<char>(i / 4096 % 251 + 1);
  PrefaultBytes(region.get(), 100, size - 100);
  PrefaultBytes(region.get(), 0, 0);
  PrefaultBytes(nullptr, 0, size);
  for (std::size_t i = 0; i < size; i += 4096)
    ASSERT_EQ(region[i], static_cast<char>(i / 4096 % 251 + 1)) << i;
}

// Giving back the end of a huge page keeps every used byte and the rest of
// the page the last one lies in; the memory after them reads as zero where
// it was given back and can be written again.
TEST(HugeRegion, DropAfterKeepsTheUsedBytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  HugeRegion region;
  ASSERT_TRUE(region.Obtain(8 * kMiB));
  region.HugePagesUpTo(5 * kMiB);
  char* p = region.Data();
  std::memset(p, 'x', 8 * kMiB);
  const std::size_t used = 3 * kMiB + 100;
  region.DropAfter(used, 8 * kMiB);
  for (std::size_t i = 0; i < used + 3996; i += 509) ASSERT_EQ(p[i], 'x') << i;
  EXPECT_EQ(p[used + 3995], 'x');  // the rest of the last used page
#if defined(__linux__)
  EXPECT_EQ(p[used + 3996], 0);
  EXPECT_EQ(p[4 * kMiB - 1], 0);
#endif
  EXPECT_EQ(p[4 * kMiB], 'x');  // past the end of that 2 MB step
  p[used + 5000] = 'y';
  EXPECT_EQ(p[used + 5000], 'y');
  region.DropAfter(8 * kMiB, 8 * kMiB);  // nothing past the end
  region.DropAfter(0, 0);
  EXPECT_EQ(p[0], 'x');
}

#if defined(__linux__)
// Pages of [from, from + bytes) in memory.
std::size_t ResidentPages(const char* from, std::size_t bytes) {
  std::vector<unsigned char> pages(bytes / 4096);
  EXPECT_EQ(mincore(const_cast<char*>(from), bytes, pages.data()), 0);
  return static_cast<std::size_t>(
      std::count_if(pages.begin(), pages.end(), [](unsigned char p) { return p & 1; }));
}

// After the used bytes are kept, a byte written two 2 MB steps further
// brings in one ordinary page, not a huge page of 512.
TEST(HugeRegion, WhatFollowsTheUsedBytesComesInOrdinaryPages) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  HugeRegion region;
  ASSERT_TRUE(region.Obtain(8 * kMiB));
  char* p = region.Data();
  std::memset(p, 'x', 3 * kMiB);
  // None of what follows in memory yet (the region may be memory used before).
  ASSERT_EQ(madvise(p + 4 * kMiB, 4 * kMiB, MADV_DONTNEED), 0);
  region.DropAfter(3 * kMiB, 8 * kMiB);
  p[4 * kMiB + 10] = 'y';
  EXPECT_EQ(ResidentPages(p + 4 * kMiB, 2 * kMiB), 1u);
  EXPECT_EQ(p[4 * kMiB + 10], 'y');
  region.HugePagesUpTo(region.Size());  // the next load's parse may have huge pages again
  p[6 * kMiB] = 'z';
  EXPECT_EQ(p[6 * kMiB], 'z');
}
#endif

}  // namespace
}  // namespace dv
