#include "output/pictures/PictureLoad.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>

#include "output/pictures/PictureTestSupport.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

TEST(ResolvePicturePath, ABareNameIsFoundInTheDataSourcesFolder) {
  const std::string source = test::SamplePicture("family.ged");
  const std::string found = ResolvePicturePath("  C:\\old\\place\\tree.gif", source);
  EXPECT_EQ(found, test::SamplePicture("tree.gif"));
  EXPECT_EQ(ResolvePicturePath("tree.gif", source), test::SamplePicture("tree.gif"));
  EXPECT_EQ(ResolvePicturePath("missing.gif", source), "");
  EXPECT_EQ(ResolvePicturePath("   ", source), "");
}

TEST(ResolvePicturePath, TheJoinedPathIsBounded) {
  const std::string longFolder = "/" + std::string(250, 'f') + "/x.ged";
  EXPECT_EQ(ResolvePicturePath("tree.gif", longFolder), "");
  EXPECT_EQ(ResolvePicturePath(std::string(300, 'n') + ".gif", test::SamplePicture("x.ged")), "");
}

TEST(LoadFittedPicture, FitsEachSampleAndWritesNoFileInTheCurrentFolder) {
  const fs::path here = fs::current_path();
  const auto before = Listing(here);
  PictureFit fit;
  fit.boxWidth = 100;
  fit.boxHeight = 100;
  struct {
    const char* name;
    int w, h;
  } cases[] = {{"portrait.jpg", 75, 100}, {"house.png", 100, 75}, {"tree.gif", 75, 100},
               {"crest.pcx", 85, 100},    {"map.bmp", 100, 66}};
  for (const auto& c : cases) {
    PixelImage fitted;
    std::string detail;
    ASSERT_EQ(LoadFittedPicture(test::SamplePicture(c.name), fit, fitted, detail), 0)
        << c.name << ": " << detail;
    EXPECT_EQ(fitted.width, c.w) << c.name;
    EXPECT_EQ(fitted.height, c.h) << c.name;
  }
  EXPECT_EQ(Listing(here), before);
}

TEST(LoadFittedPicture, DownwardsOnlyKeepsTheNaturalSizeOnAResize) {
  PictureFit fit{1000, 1000, false, true};
  PixelImage fitted;
  std::string detail;
  ASSERT_EQ(LoadFittedPicture(test::SamplePicture("map.bmp"), fit, fitted, detail), 0);
  EXPECT_EQ(fitted.width, 180);
  fit.mayStaySmaller = false;
  ASSERT_EQ(LoadFittedPicture(test::SamplePicture("map.bmp"), fit, fitted, detail), 0);
  EXPECT_EQ(fitted.width, 1000);
}

TEST(LoadFittedPicture, AnUnknownExtensionOrEmptyBoxLoadsNothing) {
  PixelImage fitted;
  std::string detail;
  PictureFit fit{50, 50};
  // A name of this run's own: test programs of several work trees run at once.
  const fs::path copy =
      fs::temp_directory_path() /
      ("dorvane_pic_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
       ".Bmp");
  fs::copy_file(test::SamplePicture("map.bmp"), copy, fs::copy_options::overwrite_existing);
  EXPECT_EQ(LoadFittedPicture(copy.string(), fit, fitted, detail), -1);
  fs::remove(copy);
  fit.boxWidth = 0;
  EXPECT_EQ(LoadFittedPicture(test::SamplePicture("map.bmp"), fit, fitted, detail), -1);
  EXPECT_EQ(LoadFittedPicture(test::SamplePicture("none.bmp"), PictureFit{5, 5}, fitted, detail),
            kMsgPicCannotOpen);
}

}  // namespace
}  // namespace dv
