#include "shell/FileDialogs.h"

#include <gtest/gtest.h>

namespace dv::win {
namespace {

TEST(FilterFromStringTest, LastCharacterSeparatesTheParts) {
  constexpr char kExpected[] = "Gedcom files (*.GED)\0*.ged\0\0";
  EXPECT_EQ(FilterFromString("Gedcom files (*.GED)|*.ged|"),
            std::string(kExpected, sizeof kExpected - 1));
}

TEST(FilterFromStringTest, AnySeparatorCharacterWorks) {
  constexpr char kExpected[] = "Text\0*.txt\0All\0*.*\0\0";
  EXPECT_EQ(FilterFromString("Text#*.txt#All#*.*#"),
            std::string(kExpected, sizeof kExpected - 1));
}

TEST(FilterFromStringTest, EmptyTextGivesAnEmptyList) {
  EXPECT_EQ(FilterFromString(""), std::string(2, '\0'));
}

}  // namespace
}  // namespace dv::win
