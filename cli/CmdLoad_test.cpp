#include <gtest/gtest.h>

#include <cstdio>
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

TEST(LoadCommand, AFileReadOnlyUpToANulByteSaysSo) {
  const std::string path = testing::TempDir() + "dv_cli_nul.ged";
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const char kText[] =
        "0 HEAD\n0 @I1@ INDI\n\0"
        "0 @I2@ INDI\n0 TRLR\n";
    const std::string text(kText, sizeof kText - 1);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunLoad({path}), 0);
  std::string err = ::testing::internal::GetCapturedStderr();
  std::string out = ::testing::internal::GetCapturedStdout();
  std::remove(path.c_str());
  std::erase(out, '\r');
  EXPECT_EQ(out, "1 individuals\n0 families\n");
  EXPECT_EQ(err.rfind("236\tThis file holds a NUL character before its end.", 0), 0u) << err;
}

TEST(LoadCommand, ARepeatThatIsNotACountIsAUsageError) {
  EXPECT_EQ(RunLoad({kSample, "--repeat", "0"}), 2);
  EXPECT_EQ(RunLoad({kSample, "--repeat", "x"}), 2);
  EXPECT_EQ(RunLoad({kSample, "--repeat"}), 2);
  EXPECT_EQ(RunLoad({kSample, "--repeat", "3x"}), 2);
  EXPECT_EQ(RunLoad({kSample, "--repeat", "99999999999"}), 2);  // past an int: not wrapped round
}

}  // namespace
}  // namespace dv::cli
