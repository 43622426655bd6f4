#include "charts/full/TreeGroups.h"

#include <gtest/gtest.h>

#include <cstring>

#include "charts/full/FullChartSelect.h"
#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

class TreeGroup : public ::testing::Test {
 protected:
  // Loads b, selects for base and formats family f.
  const FamilyWork& Format(const GedcomBuilder& b, int base, int f) {
    b.LoadInto(store);
    EXPECT_TRUE(s.Allocate(store.IndividualCount(), store.FamilyCount()));
    EXPECT_TRUE(SelectFamilies(store, base, o, s).ok());
    EXPECT_EQ(FormatTreeGroup(store, o, s, f), 0);
    return s.families[std::size_t(f)];
  }
  // The group composed at column 0, line 0, one item a line.
  std::string Items(int f) {
    s.items.clear();
    s.texts.clear();
    EXPECT_EQ(ComposeTreeGroup(store, o, s, f, 0), 0);
    std::string out;
    for (const DisplayItem& it : s.items) {
      out += std::to_string(it.column) + "," + std::to_string(it.line) + " ";
      if (it.kind == kFcText) {
        out += "\"" + s.texts[std::size_t(it.text)] + "\"\n";
      } else {
        out += std::string(it.kind == kFcHorizontal ? "h" : "v") + std::to_string(it.length) + "\n";
      }
    }
    return out;
  }
  RecordStore store;
  FullChartStorage s;
  FullChartOptions o;
};

TEST(TreeGroupTexts, MarriageTextHasPlaceAndAShortLastNumber) {
  FamilySummary f;
  CopyField(f.marriagePlace, "Bath");
  CopyField(f.marriageDate, "m 12 MAR 1850");
  EXPECT_EQ(MarriageText(f), "(Bath, 1850)");
  CopyField(f.marriageDate, "m 1850/51");
  EXPECT_EQ(MarriageText(f), "(Bath, 51)");
  CopyField(f.marriageDate, "m 123456");
  EXPECT_EQ(MarriageText(f), "(Bath)");
  CopyField(f.marriagePlace, "");
  CopyField(f.marriageDate, "m ABT 1901");
  EXPECT_EQ(MarriageText(f), "(1901)");
  CopyField(f.marriageDate, "");
  EXPECT_EQ(MarriageText(f), "");
}

TEST(TreeGroupTexts, ALongMarriagePlaceIsCutInsideItsField) {
  FamilySummary f;
  CopyField(f.marriagePlace, std::string(63, 'x'));
  CopyField(f.marriageDate, "m 1900");
  const std::string text = MarriageText(f);
  EXPECT_EQ(text.size(), 63u);
  EXPECT_EQ(text.back(), ')');
}

TEST_F(TreeGroup, AChildlessFamilyIsTheCoupleAndTheMarriageText) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int h = b.Person("John /Smith/", 1);
  const int f = b.Family(h, 0, {base}, "1 JUN 1920", "Leeds");
  const FamilyWork& w = Format(b, base, f);
  EXPECT_EQ(w.nameWidth[0], 10);
  EXPECT_EQ(w.nameWidth[1], 7);  // "Unknown"
  EXPECT_EQ(w.childrenState, 0);
  EXPECT_EQ(Items(f),
            "0,0 \"John Smith\"\n"
            "11,0 \"m \"\n"
            "13,0 \"Unknown\"\n"
            "6,1 \"(Leeds, 1920)\"\n"  // centred on the drop column (12)
            "12,3 v2\n"                // one child: no bar, the line drops to it
            "10,5 \"Ann\"\n");
}

TEST_F(TreeGroup, SeveralChildrenHangFromABarWithTicks) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0, "1990");
  const int bob = b.Person("Bob_Roy /Base/", 1, "1992");
  const int f = b.Family(b.Person("Al /Base/", 1), b.Person("Bea /Base/", 0), {bob, base});
  (void)f;
  o.equals = true;
  Format(b, base, 1);
  // First names (the underscore a space) with the birth year centred
  // below; the children line moved right so its middle is under the drop.
  EXPECT_EQ(Items(1),
            "0,0 \"Al Base\"\n"
            "8,0 \"= \"\n"
            "10,0 \"Bea Base\"\n"
            "9,3 v1\n"
            "6,4 v1\n"
            "13,4 v1\n"
            "6,4 h7\n"
            "3,5 \"Bob Roy\"\n"
            "4,6 \"1992\"\n"
            "11,5 \"Ann\"\n"
            "11,6 \"1990\"\n");
}

TEST_F(TreeGroup, SixChildrenFoldOntoTwoLinesOfThree) {
  GedcomBuilder b;
  std::vector<int> kids;
  for (int i = 0; i < 6; ++i) kids.push_back(b.Person("Kid" + std::to_string(i) + " /K/", 1));
  const int f = b.Family(b.Person("Father /K/", 1), b.Person("Mother /K/", 0), kids);
  o.fold = true;
  o.people = People::kDescendants;
  const FamilyWork& w = Format(b, b.HusbandOf(f), f);
  EXPECT_EQ(w.childrenState, 3);
  EXPECT_EQ(w.firstLineCount, 3);
  EXPECT_EQ(TreeGroupHeight(w), 12);
  EXPECT_EQ(TreeChildPlace(w, 2).lineOffset, kTreeChildrenLine);
  EXPECT_EQ(TreeChildPlace(w, 3).lineOffset, kTreeChildrenLine + kTreeFoldStep);
  o.fold = false;
  s.Release();
  const FamilyWork& flat = Format(b, b.HusbandOf(f), f);
  EXPECT_EQ(flat.childrenState, 2);
  EXPECT_EQ(TreeGroupHeight(flat), 7);
}

TEST_F(TreeGroup, AChildlessMarriageIsWrittenInsideTheParentsGroup) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int sister = b.Person("Sue /Base/", 0);
  b.Family(b.Person("Al /Base/", 1), b.Person("Bea /Base/", 0), {base, sister});
  const int husband = b.Person("Tom /Tall/", 1);
  b.Family(husband, sister);
  Format(b, base, 1);
  EXPECT_EQ(ChildText(store, s, sister, false), "Sue m Tom Tall");
  EXPECT_NE(Items(1).find("\"Sue m Tom Tall\""), std::string::npos);
}

TEST_F(TreeGroup, AWideMarriageTextWidensTheGroup) {
  GedcomBuilder b;
  const int base = b.Person("A /B/", 0);
  const int f = b.Family(b.Person("C /D/", 1), b.Person("E /F/", 0), {base}, "1900",
                         "A very long place name in a far county");
  const FamilyWork& w = Format(b, base, f);
  EXPECT_EQ(w.width, int(std::strlen(w.marriageText)));
  EXPECT_EQ(w.marriageOffset, 0);
  EXPECT_GT(w.coupleOffset, 0);
}

}  // namespace
}  // namespace dv
