#include "Commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dv::cli {
namespace {

std::string Sample(const std::string& name) {
  return std::string(DORVANE_SAMPLE) + "/pictures/" + name;
}

int RunPicture(std::vector<std::string> args) {
  std::vector<std::string_view> views(args.begin(), args.end());
  return Picture(views);
}

TEST(PictureCli, PrintsTheFittedSize) {
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(RunPicture({Sample("house.png"), "--box", "100x100"}), 0);
  ASSERT_EQ(RunPicture({Sample("portrait.jpg"), "--box", "60x60"}), 0);
  ASSERT_EQ(RunPicture({Sample("crest.pcx"), "--box", "500x500", "--downwards-only", "--resize"}), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "picture\t100\t75\npicture\t45\t60\npicture\t96\t112\n");
}

TEST(PictureCli, AMissingOrDamagedFileIsAMessage) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunPicture({Sample("none.gif"), "--box", "10x10"}), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "248\tCan't open input file name.\n");
  // A file that is there but named as none of the five formats.
  const std::string notAPicture = std::string(DORVANE_SAMPLE) + "/sample.ged";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunPicture({notAPicture, "--box", "10x10"}), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "249\tThis file is not a JPEG, PNG, GIF, PCX or BMP picture: " + notAPicture + "\n");
  EXPECT_EQ(RunPicture({Sample("house.png")}), 2);
  EXPECT_EQ(RunPicture({Sample("house.png"), "--box", "0x10"}), 2);
}

}  // namespace
}  // namespace dv::cli
