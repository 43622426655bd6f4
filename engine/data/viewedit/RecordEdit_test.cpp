#include "data/viewedit/RecordEdit.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"

namespace dv::viewedit {
namespace {

std::string Join(const std::vector<TextPiece>& pieces) {
  std::string out;
  for (const auto& p : pieces) out += std::to_string(p.tag) + ":" + p.text + "|";
  return out;
}

TEST(SplitLongText, LineBreaksGiveContAndLongLinesConc) {
  EXPECT_EQ(Join(SplitLongText("one\r\n  two\nthree")), "0:one|35:two|35:three|");
  EXPECT_EQ(Join(SplitLongText("")), "0:|");
  std::string line = std::string(60, 'a') + " bcdef ghi";
  // Cut just before the last letter of the word that runs past 63 characters.
  EXPECT_EQ(Join(SplitLongText(line)), "0:" + std::string(60, 'a') + " bcde|32:f ghi|");
  for (const auto& p : SplitLongText(std::string(450, 'z'))) EXPECT_LE(p.text.size(), kMaxPiece);
}

TEST(SplitLongText, NoPieceStartsOrEndsWithABlank) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "word" + std::to_string(i) + (i % 7 ? " " : "  ");
  for (const auto& p : SplitLongText(text)) {
    ASSERT_FALSE(p.text.empty());
    if (p.tag == kTagCONC) {
      EXPECT_NE(p.text.front(), ' ');
    }
    EXPECT_LE(p.text.size(), kMaxPiece);
  }
}

TEST(SetLongText, RoundTripsThroughTheReader) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(
                store, "0 HEAD\n0 @I1@ INDI\n1 NOTE old\n2 CONT lines\n2 SOUR @S1@\n0 TRLR\n", {},
                summary),
            0);
  LineNode* note = FirstChild(store.Individual(1)->line, kTagNOTE);
  std::string text = "@first\r\n@second " + std::string(100, 'q') + "\r\n\r\nlast";
  ASSERT_TRUE(SetLongText(store, note, text));
  EXPECT_EQ(ReadLongText(note), text);
  // Other children (the citation) stay after the text lines.
  EXPECT_EQ(LastDescendant(note)->tag, kTagSOUR);
  std::string out = GedcomText(store);
  EXPECT_NE(out.find("1 NOTE @@first\r\n2 CONT @@second "), std::string::npos) << out;
}

TEST(PointerOf, OnlyWholePointersCount) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(
                store,
                "0 HEAD\n0 @I1@ INDI\n1 ALIA @I2@\n1 NOTE @@I2@\n1 _LINK @I2@\n1 NOTE a @I2@\n"
                "0 @I2@ INDI\n0 TRLR\n",
                {}, summary),
            0);
  LineNode* l = store.Individual(1)->line->firstChild;
  EXPECT_EQ(PointerOf(l), "@I2@");
  EXPECT_TRUE(PointsTo(l, "@I2@"));
  EXPECT_EQ(PointerOf(l->next), "");
  EXPECT_EQ(PointerOf(l->next->next), "@I2@");  // a tag not in the table
  EXPECT_EQ(PointerOf(l->next->next->next), "");
}

}  // namespace
}  // namespace dv::viewedit
