#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"

namespace dv::cli {
namespace {

struct Outcome {
  int rc;
  std::string err;
};

Outcome RunVerb(std::string_view verb, std::vector<std::string_view> args) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int rc = RunCommand(verb, args);
  std::string err = ::testing::internal::GetCapturedStderr();
  ::testing::internal::GetCapturedStdout();
  std::erase(err, '\r');
  return {rc, err};
}

int Count(const std::string& text, std::string_view what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

const std::string kSample = std::string(DORVANE_SAMPLE) + "/sample.ged";

// A usage error is never silent: the verb's own usage follows it, once.
TEST(Dispatch, AUsageErrorShowsTheVerbsUsage) {
  Outcome o = RunVerb("birthbrief", {kSample, "--base", "1", "--generations", "9"});
  EXPECT_EQ(o.rc, 2);
  EXPECT_EQ(o.err.rfind("usage: dorvane-cli birthbrief FILE [--base ID] [--generations 7|8]", 0), 0u)
      << o.err;
  o = RunVerb("load", {kSample, "--repeat", "0"});
  EXPECT_EQ(o.rc, 2);
  EXPECT_EQ(o.err.rfind("usage: dorvane-cli load FILE", 0), 0u) << o.err;
  // The Selective Tree prints its longer usage itself.
  o = RunVerb("selective", {kSample, "--base", "1", "--select", "0"});
  EXPECT_EQ(o.rc, 2);
  EXPECT_EQ(Count(o.err, "usage: dorvane-cli selective"), 1) << o.err;
  // An unknown verb lists them all.
  o = RunVerb("chart", {});
  EXPECT_EQ(o.rc, 2);
  EXPECT_EQ(o.err.rfind("usage: dorvane-cli COMMAND [ARGS]\n", 0), 0u) << o.err;
  EXPECT_EQ(Count(o.err, "\n  fullchart FILE --base ID"), 1) << o.err;
}

TEST(Dispatch, ASuccessOrAFailurePrintsNoUsage) {
  Outcome o = RunVerb("load", {kSample});
  EXPECT_EQ(o.rc, 0);
  EXPECT_EQ(o.err, "");
  o = RunVerb("load", {std::string(DORVANE_SAMPLE) + "/none.ged"});
  EXPECT_EQ(o.rc, 1);
  EXPECT_EQ(o.err, "2\tCannot open file\n");
  // A name given with a message that has no separator of its own gets one.
  const std::string chart = std::string(DORVANE_SAMPLE) + "/none.dva";
  o = RunVerb("birthbrief", {chart});
  EXPECT_EQ(o.rc, 1);
  EXPECT_EQ(o.err.rfind("2\tCannot open file: " + chart + "\n", 0), 0u) << o.err;
}

}  // namespace
}  // namespace dv::cli
