#include "data/TextPool.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

TEST(TextPool, OffsetZeroIsNeverHandedOut) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  EXPECT_EQ(pool.Store("abc"), 1);
  EXPECT_EQ(pool.TextAt(0), nullptr);
  EXPECT_EQ(pool.TextAt(-1), nullptr);
  EXPECT_STREQ(pool.TextAt(1), "abc");
}

TEST(TextPool, EachStringIsFollowedByTwoNuls) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  EXPECT_EQ(pool.Store(""), 1);
  EXPECT_EQ(pool.Store("a"), 3);
  EXPECT_EQ(pool.Store("b"), 6);
  EXPECT_EQ(pool.OffsetOf(pool.TextAt(6)), 6);
}

TEST(TextPool, TrimCutsTrailingWhiteSpace) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  EXPECT_STREQ(pool.StoreText("Smith  \t ", true), "Smith");
  EXPECT_STREQ(pool.StoreText("Smith  ", false), "Smith  ");
}

TEST(TextPool, StartsANewBlockWhenLessThanTheReserveIsLeft) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  // Fill the first block to leave exactly 511 bytes.
  std::string big(TextPool::kBlockSize - 1 - 511 - 2, 'x');
  EXPECT_EQ(pool.Store(big), 1);
  EXPECT_EQ(pool.BlockCount(), 1);
  EXPECT_EQ(pool.Store("next"), TextPool::kBlockSize);
  EXPECT_EQ(pool.BlockCount(), 2);
  EXPECT_STREQ(pool.TextAt(TextPool::kBlockSize), "next");
}

TEST(TextPool, RefusesTheBlockBeyondTheLimit) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  std::string big(TextPool::kMaxString - 1, 'y');  // fills a block
  int stored = 0;
  while (pool.Store(big) != 0 && stored < 500) ++stored;
  EXPECT_EQ(pool.BlockCount(), TextPool::kMaxBlocks);
  EXPECT_EQ(stored, TextPool::kMaxBlocks);
  EXPECT_EQ(pool.StoreText("more"), nullptr);
  EXPECT_EQ(pool.TextAt(TextPool::kBlockSize * TextPool::kMaxBlocks), nullptr);
}

TEST(TextPool, AReusedPoolStartsOverWithTheSameLimits) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  std::string big(TextPool::kMaxString - 1, 'y');
  for (int i = 0; i < 3; ++i) ASSERT_NE(pool.Store(big), 0);
  pool.Clear();
  EXPECT_EQ(pool.BlockCount(), 0);
  EXPECT_EQ(pool.Store("none"), 0);  // no text before Start
  ASSERT_TRUE(pool.Start());
  EXPECT_EQ(pool.BlockCount(), 1);
  EXPECT_EQ(pool.BytesUsed(), 1);
  EXPECT_EQ(pool.Store("first"), 1);  // offsets begin again after the empty one
  EXPECT_STREQ(pool.TextAt(1), "first");
  int stored = 0;
  while (pool.Store(big) != 0 && stored < 500) ++stored;
  EXPECT_EQ(pool.BlockCount(), TextPool::kMaxBlocks);
  EXPECT_EQ(stored, TextPool::kMaxBlocks - 1);  // the first block holds "first" and no big one
  pool.Release();
  EXPECT_EQ(pool.BlockCount(), 0);
}

TEST(TextPool, TooLongAStringIsRefused) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  EXPECT_EQ(pool.Store(std::string(TextPool::kBlockSize, 'z')), 0);
  EXPECT_NE(pool.Store(std::string(TextPool::kMaxString, 'z')), 0);
}

}  // namespace
}  // namespace dv
