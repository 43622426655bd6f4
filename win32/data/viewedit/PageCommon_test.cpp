// The pieces the view/edit pages share that do not need a window.

#include <gtest/gtest.h>
#include <windows.h>

#include "data/viewedit/PageCommon.h"

namespace dv::win {
namespace {

TEST(PageCommon, SizeClassIsTheScreenInTensOfBaseUnitsWithThirteenAsTwelve) {
  EXPECT_EQ(ScreenSizeClass(1024, 8), 12);
  EXPECT_EQ(ScreenSizeClass(1040, 8), 12);  // 13
  EXPECT_EQ(ScreenSizeClass(1120, 8), 14);
  EXPECT_EQ(ScreenSizeClass(800, 8), 10);
  EXPECT_EQ(ScreenSizeClass(1280, 10), 12);
  EXPECT_EQ(ScreenSizeClass(1024, 0), 12);
}

TEST(PageCommon, TemplatesKeepEightPointsAtClassTwelveAndScaleWithTheClass) {
  EXPECT_EQ(PagePointSize(12), 8);
  EXPECT_EQ(PagePointSize(10), 7);
  EXPECT_EQ(PagePointSize(16), 11);
  EXPECT_EQ(PagePointSize(1), 6);
  EXPECT_EQ(PagePointSize(40), 16);
}

TEST(PageCommon, LabelsAreThePartsOfOneString) {
  EXPECT_EQ(LabelPart(350, 0), "View");
  EXPECT_EQ(LabelPart(350, 6), "Help");
  EXPECT_EQ(LabelPart(350, 7), "");
  EXPECT_EQ(LabelPart(351, 0), " Header ");
  EXPECT_EQ(LabelPart(351, 5), " Pedigree ");
  EXPECT_EQ(LabelPart(352, 0), "   Main   ");
  EXPECT_EQ(LabelPart(352, 2), "Multimedia");
}

}  // namespace
}  // namespace dv::win
