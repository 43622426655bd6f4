#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"

namespace dv::cli {
namespace {

int RunLoad(std::vector<std::string_view> args) { return Load(args); }

const std::string kSample = std::string(DORVANE_SAMPLE) + "/sample.ged";

TEST(LoadCommand, RepeatLoadsIntoOneStoreAndPrintsTheTimes) {
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(RunLoad({kSample, "--repeat", "3"}), 0);
  std::string out = ::testing::internal::GetCapturedStdout();
  std::erase(out, '\r');
  EXPECT_EQ(out.rfind("223 individuals\n100 families\nloads 3: first ", 0), 0u) << out;
  EXPECT_NE(out.find(" ms, median "), std::string::npos) << out;
  // Without the option only the counts are printed.
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(RunLoad({kSample, "--names-last"}), 0);
  out = ::testing::internal::GetCapturedStdout();
  std::erase(out, '\r');
  EXPECT_EQ(out, "223 individuals\n100 families\n");
}

TEST(LoadCommand, ARepeatThatIsNotACountIsAUsageError) {
  EXPECT_EQ(RunLoad({kSample, "--repeat", "0"}), 2);
  EXPECT_EQ(RunLoad({kSample, "--repeat", "x"}), 2);
  EXPECT_EQ(RunLoad({kSample, "--repeat"}), 2);
}

}  // namespace
}  // namespace dv::cli
