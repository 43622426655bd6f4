#include "data/TagTable.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

TEST(TagTable, CodesAreAlphabeticalPositions) {
  EXPECT_EQ(TagCodeOf("ABBR"), 0);
  EXPECT_EQ(TagCodeOf("INDI"), 68);
  EXPECT_EQ(TagCodeOf("WILL"), 128);
  for (int code = 0; code < kTagCount; ++code) EXPECT_EQ(TagCodeOf(TagName(code)), code);
}

TEST(TagTable, PrefixesAndNearMissesOfEveryTagAreUnknown) {
  // The hash finds each tag and nothing that is almost one.
  for (int code = 0; code < kTagCount; ++code) {
    std::string tag(TagName(code));
    EXPECT_EQ(TagCodeOf(tag + "X"), kTagUnknown) << tag;
    if (tag.size() > 1 && TagCodeOf(tag.substr(0, tag.size() - 1)) < kTagCount)
      continue;  // FAM is a prefix of FAMC, for one
    EXPECT_EQ(TagCodeOf(tag.substr(0, tag.size() - 1)),
              tag.size() > 1 ? kTagUnknown : kTagNotLetter)
        << tag;
  }
}

TEST(TagTable, UnknownAndNonLetterTags) {
  EXPECT_EQ(TagCodeOf("_UID"), kTagNotLetter);
  EXPECT_EQ(TagCodeOf("name"), kTagNotLetter);
  EXPECT_EQ(TagCodeOf(""), kTagNotLetter);
  EXPECT_EQ(TagCodeOf("NAMEX"), kTagUnknown);
  EXPECT_EQ(TagCodeOf("NAM"), kTagUnknown);
  EXPECT_EQ(TagCodeOf("JUNK"), kTagUnknown);  // J has no tags
  EXPECT_EQ(TagName(129), "");
}

TEST(TagClasses, PackTheFourNumbers) {
  EXPECT_EQ(RecordKindNumber(kTagINDI), 2);
  EXPECT_EQ(RecordKindNumber(kTagTRLR), 8);
  EXPECT_EQ(IndividualEventNumber(kTagCHR), 2);
  EXPECT_EQ(IndividualEventNumber(kTagBAPM), 2);
  EXPECT_EQ(IndividualEventNumber(TagCodeOf("WILL")), 22);
  EXPECT_EQ(FamilyEventNumber(kTagMARR), 9);
  EXPECT_EQ(AttributeNumber(kTagOCCU), 8);
  // CENS and EVEN are both individual and family events.
  EXPECT_EQ(IndividualEventNumber(TagCodeOf("CENS")), 9);
  EXPECT_EQ(FamilyEventNumber(TagCodeOf("CENS")), 3);
  EXPECT_EQ(TagClass(kTagOCCU), 8u);
  EXPECT_EQ(TagClass(-1), 0u);
  EXPECT_EQ(TagClass(130), 0u);
}

TEST(TagClasses, NamesOfTheNumbers) {
  EXPECT_EQ(AttributeName(0), "(None)");
  EXPECT_EQ(AttributeName(12), "Social Security Number");
  EXPECT_EQ(IndividualEventName(18), "Naturalisation");
  EXPECT_EQ(FamilyEventName(11), "Marriage Settlement");
  EXPECT_EQ(FamilyEventName(12), "");
  EXPECT_EQ(IndividualEventTag(2), kTagCHR);
  EXPECT_EQ(IndividualEventTag(23), 0);
}

}  // namespace
}  // namespace dv
