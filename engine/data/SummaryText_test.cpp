#include "data/SummaryText.h"

#include <gtest/gtest.h>

#include <string>

#include "data/RecordStore.h"

namespace dv {
namespace {

TEST(SummaryTexts, FieldsKeepTheirLimitsAndReadAsCStrings) {
  SummaryTexts texts;
  IndividualSummary s;
  EXPECT_STREQ(s.displayName, "");
  EXPECT_TRUE(s.occupation.empty());
  ASSERT_TRUE(texts.Set(s.displayName, "SMITH John"));
  ASSERT_TRUE(texts.Set(s.birthYear, "1850/51 and more"));  // 7 characters at most
  ASSERT_TRUE(texts.Set(s.occupation, std::string(40, 'o')));
  EXPECT_STREQ(s.displayName, "SMITH John");
  EXPECT_EQ(s.birthYear.view(), "1850/51");
  EXPECT_EQ(s.occupation.view(), std::string(31, 'o'));
  EXPECT_EQ(s.displayName[0], 'S');
  ASSERT_TRUE(texts.Set(s.displayName, ""));
  EXPECT_TRUE(s.displayName.empty());
  EXPECT_EQ(texts.BytesUsed(), 11u + 8u + 32u);  // each text and its NUL, nothing for ""
  s = IndividualSummary{};
  EXPECT_STREQ(s.birthYear, "");
}

// Texts stored after the region is full (a long editing session) are kept
// one by one, and every earlier text stays where it was.
TEST(SummaryTexts, TextsBeyondTheRegionAreKeptToo) {
  SummaryTexts texts;
  FamilySummary first;
  ASSERT_TRUE(texts.Set(first.marriagePlace, "Kirkby"));
  const char* where = first.marriagePlace;
  FamilySummary f;
  const std::string place(63, 'p');
  std::size_t before = 0;
  do {
    before = texts.BytesUsed();
    ASSERT_TRUE(texts.Set(f.marriagePlace, place));
  } while (texts.BytesUsed() != before);
  EXPECT_EQ(f.marriagePlace.view(), place);
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(texts.Set(f.marriageDate, "m " + std::to_string(1800 + i)));
    EXPECT_EQ(f.marriageDate.view(), "m " + std::to_string(1800 + i));
  }
  EXPECT_EQ(static_cast<const char*>(first.marriagePlace), where);
  EXPECT_STREQ(first.marriagePlace, "Kirkby");
  texts.Clear();
  EXPECT_EQ(texts.BytesUsed(), 0u);
  ASSERT_TRUE(texts.Set(f.marriagePlace, "Leeds"));
  EXPECT_STREQ(f.marriagePlace, "Leeds");
}

}  // namespace
}  // namespace dv
