#include "setup/SetupOptions.h"

#include <gtest/gtest.h>

#include "setup/SetupText.h"

namespace dv::setup {
namespace {

TEST(SetupOptions, NoSwitchesRunTheWizard) {
  SetupOptions options;
  std::string bad;
  EXPECT_EQ(ParseSetupOptions("", options, bad), 0);
  EXPECT_EQ(ParseSetupOptions("   ", options, bad), 0);
  EXPECT_FALSE(options.quiet);
  EXPECT_FALSE(options.hasDestination);
  EXPECT_FALSE(options.hasProgramFolder);
}

TEST(SetupOptions, UnattendedInstall) {
  SetupOptions options;
  std::string bad;
  ASSERT_EQ(ParseSetupOptions(R"(/quiet /dest="C:\Program Files\My Dorvane" -GROUP=Family)",
                              options, bad),
            0);
  EXPECT_TRUE(options.quiet);
  EXPECT_TRUE(options.hasDestination);
  EXPECT_EQ(options.destination, "C:\\Program Files\\My Dorvane");
  EXPECT_TRUE(options.hasProgramFolder);
  EXPECT_EQ(options.programFolder, "Family");
}

TEST(SetupOptions, QuotesAroundTheWholeSwitch) {
  SetupOptions options;
  std::string bad;
  ASSERT_EQ(ParseSetupOptions(R"("/group=Family History"  /Q)", options, bad), 0);
  EXPECT_TRUE(options.quiet);
  EXPECT_EQ(options.programFolder, "Family History");
  EXPECT_FALSE(options.hasDestination);
}

TEST(SetupOptions, UnknownWordsAreReported) {
  for (std::string_view line : {"/quietly", "/dest=", "/dest", "/group=", "quiet", "/quiet=1",
                                "/q /x=1", "C:\\Dorvane", "/"}) {
    SetupOptions options;
    std::string bad;
    EXPECT_EQ(ParseSetupOptions(line, options, bad), kUnknownOption) << line;
    EXPECT_FALSE(bad.empty()) << line;
  }
  SetupOptions options;
  std::string bad;
  ParseSetupOptions("/q /x=\"a b\" /dest=C:\\D", options, bad);
  EXPECT_EQ(bad, "/x=\"a b\"");
}

TEST(SetupOptions, WordsSplitLikeWindowsCommandLines) {
  std::string_view line = R"(  one "two three" fo"ur fi"ve)";
  std::string word;
  NextWord(line, word);
  EXPECT_EQ(word, "one");
  NextWord(line, word);
  EXPECT_EQ(word, "two three");
  NextWord(line, word);
  EXPECT_EQ(word, "four five");
  EXPECT_TRUE(NextWord(line, word).empty());
}

}  // namespace
}  // namespace dv::setup
