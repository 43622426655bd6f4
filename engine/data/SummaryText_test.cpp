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

// A text that is the end of a line text is pointed at, not copied; one that
// is cut, or that ends before its line text does, is copied.
TEST(SummaryTexts, AWholeLineTextIsSharedAndAnythingElseCopied) {
  TextPool pool;
  ASSERT_TRUE(pool.Start());
  SummaryTexts texts;
  texts.ShareLineTexts(&pool);
  const char* place = pool.StoreText(" Kirkby Lonsdale");
  const char* trailing = pool.StoreText("Leeds  ");
  const char* longer = pool.StoreText(std::string(70, 'p'));
  ASSERT_TRUE(place && trailing && longer);
  IndividualSummary s;
  ASSERT_TRUE(texts.Set(s.birthPlace, std::string_view(place + 1)));
  EXPECT_EQ(s.birthPlace.c_str(), place + 1);
  ASSERT_TRUE(texts.Set(s.deathPlace, std::string_view(trailing, 5)));
  EXPECT_NE(s.deathPlace.c_str(), trailing);
  EXPECT_STREQ(s.deathPlace, "Leeds");
  ASSERT_TRUE(texts.Set(s.occupation, std::string_view(longer)));
  EXPECT_EQ(s.occupation.view(), std::string(31, 'p'));
  EXPECT_EQ(texts.BytesUsed(), 6u + 32u);
  const std::string outside = "Bath";
  ASSERT_TRUE(texts.Set(s.birthPlace, outside));
  EXPECT_NE(s.birthPlace.c_str(), outside.c_str());
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
