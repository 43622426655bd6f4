#include "data/Processors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

namespace dv {
namespace {

#if defined(__linux__)
cpu_set_t ThisThreadsProcessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  EXPECT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
  return set;
}

TEST(ProcessorSplit, TwoThreadsOnTwoProcessorsAndTheStarterFreedAfter) {
  const cpu_set_t before = ThisThreadsProcessors();
  if (CPU_COUNT(&before) < 2) GTEST_SKIP() << "one processor: nothing to split";
  cpu_set_t starter, other;
  {
    const ProcessorSplit split;
    starter = ThisThreadsProcessors();
    std::atomic<bool> moved{false};
    std::thread thread([&] {
      while (!moved) std::this_thread::yield();
      other = ThisThreadsProcessors();
    });
    split.KeepOff(thread);
    moved = true;
    thread.join();
  }
  ASSERT_EQ(CPU_COUNT(&starter), 1);
  EXPECT_EQ(CPU_COUNT(&other), CPU_COUNT(&before) - 1);
  cpu_set_t both;
  CPU_AND(&both, &starter, &other);
  EXPECT_EQ(CPU_COUNT(&both), 0);
  const cpu_set_t after = ThisThreadsProcessors();
  EXPECT_TRUE(CPU_EQUAL(&after, &before));
}

TEST(ProcessorSplit, NothingChangesOnOneProcessor) {
  const cpu_set_t before = ThisThreadsProcessors();
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(sched_getcpu(), &one);
  ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
  {
    const ProcessorSplit split;
    std::thread thread([] {});
    split.KeepOff(thread);
    thread.join();
    const cpu_set_t during = ThisThreadsProcessors();
    EXPECT_TRUE(CPU_EQUAL(&during, &one));
  }
  ASSERT_EQ(sched_setaffinity(0, sizeof before, &before), 0);
}
#else
TEST(ProcessorSplit, IsHarmlessWhereTheSystemDoesNotTell) {
  const ProcessorSplit split;
  std::thread thread([] {});
  split.KeepOff(thread);
  thread.join();
}
#endif

}  // namespace
}  // namespace dv
