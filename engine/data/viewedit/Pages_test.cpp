#include "data/viewedit/Pages.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"

namespace dv::viewedit {
namespace {

void Load(RecordStore& store, const std::string& text) {
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, text, {}, summary), 0);
}

std::string Crlf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

const std::string kTorture = Crlf(R"(0 HEAD
1 SOUR DORVANE
1 CHAR ANSI
0 @I1@ INDI
1 NAME John /Smith/ Jr.
2 GIVN John
2 SURN Smith
1 NAME Johnny /Smith/
1 SEX M
1 BIRT
2 DATE BET 1750/51 AND 1752
2 PLAC A very long place name that is much longer than the sixty-three characters a field takes
1 CHR
2 DATE (about the time of the flood)
1 OCCU Blacksmith, farrier and keeper of the village inn at the crossroads
1 NOTE First line of the note
2 CONT second line
2 CONC  joined
1 _UID 12345
1 FAMS @F1@
0 @I2@ INDI
1 NAME Mary /Jones/
1 SEX F
1 FAMS @F1@
0 @I3@ INDI
1 NAME Tom /Smith/
1 FAMC @F1@
0 @I4@ INDI
1 NAME Ann /Brown/
1 SEX F
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
1 CHIL @I3@
1 MARR
2 DATE INT 1775 (by licence)
0 TRLR
)");

TEST(ReadPage, IndividualFieldsComeFromTheLines) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  EXPECT_EQ(GetField(page, "given"), "John");
  EXPECT_EQ(GetField(page, "surname"), "Smith");
  EXPECT_EQ(GetField(page, "sex"), "M");
  EXPECT_EQ(GetField(page, "birth.date"), "BET 1750/51 AND 1752");
  EXPECT_EQ(GetField(page, "baptism.date"), "(about the time of the flood)");
  EXPECT_EQ(GetField(page, "occupation"),
            "Blacksmith, farrier and keeper of the village inn at the crossroads");
  EXPECT_EQ(GetField(page, "note"), "First line of the note\r\nsecond line joined");
  EXPECT_EQ(page.mark, 0);
  EXPECT_FALSE(PageChanged(page));
}

TEST(StorePage, AnUnchangedPageChangesNothing) {
  RecordStore store;
  Load(store, kTorture);
  std::string before = GedcomText(store);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  EXPECT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store), before);
  EXPECT_EQ(store.dataChanged, 0);
}

TEST(StorePage, EditingOneFieldChangesOnlyThatLine) {
  RecordStore store;
  Load(store, kTorture);
  std::string before = GedcomText(store);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  ASSERT_EQ(SetField(page, "death.place", "Leeds"), 0);
  EXPECT_EQ(page.mark, 2);
  ASSERT_EQ(StorePage(store, page), 0);
  std::string after = GedcomText(store);
  std::string expected = before;
  expected.replace(expected.find("1 OCCU"), 0, "1 DEAT\r\n2 PLAC Leeds\r\n");
  EXPECT_EQ(after, expected);
  EXPECT_EQ(store.dataChanged, 2);
  // A second store without a change changes nothing.
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store), after);
}

TEST(StorePage, AnEditedNameKeepsItsSuffixAndSubLines) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  ASSERT_EQ(SetField(page, "given", "Jonathan"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 NAME Jonathan /Smith/ Jr.\r\n2 GIVN John\r\n2 SURN Smith\r\n1 NAME Johnny /Smith/\r\n"),
            std::string::npos)
      << text;
  EXPECT_STREQ(store.Individual(1)->displayName, "Jonathan Smith");
}

TEST(StorePage, AnEditedDateIsWrittenFromItsFields) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  EXPECT_EQ(SetField(page, "baptism.month", "13"), kMsgInvalidMonth);
  ASSERT_EQ(SetField(page, "baptism.year", "1751"), 0);
  ASSERT_EQ(SetField(page, "baptism.month", "3"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 CHR\r\n2 DATE MAR 1751\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("2 DATE BET 1750/51 AND 1752\r\n"), std::string::npos);
  EXPECT_NE(text.find("Blacksmith, farrier and keeper of the village inn at the crossroads"), std::string::npos);
}

TEST(StorePage, EmptySexRemovesTheLine) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 3, page), 0);
  ASSERT_EQ(SetField(page, "sex", "M"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_NE(GedcomText(store).find("1 NAME Tom /Smith/\r\n1 SEX M\r\n1 FAMC @F1@"), std::string::npos);
  ASSERT_EQ(SetField(page, "sex", ""), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_NE(GedcomText(store).find("1 NAME Tom /Smith/\r\n1 FAMC @F1@"), std::string::npos);
}

TEST(StorePage, LongNotesAreSplitWithConc) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 4, page), 0);
  std::string note =
      "She kept the parish records for forty years and wrote them out in a fair hand every winter.\r\n"
      "Second paragraph.\r\n" + std::string(300, 'x');
  ASSERT_EQ(SetField(page, "note", note), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 NOTE She kept the parish records for forty years and wrote them out i\r\n"
                      "2 CONC n a fair hand every winter.\r\n2 CONT Second paragraph.\r\n"
                      "2 CONT " + std::string(200, 'x') + "\r\n2 CONC " + std::string(100, 'x') + "\r\n"),
            std::string::npos)
      << text;
  RecordPage again;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 4, again), 0);
  EXPECT_EQ(GetField(again, "note"), note);
}

TEST(StorePage, NewIndividualIsPlacedAfterTheLastIndividual) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page = NewPage(PageKind::kIndividual);
  ASSERT_EQ(SetField(page, "given", "Peter"), 0);
  ASSERT_EQ(SetField(page, "surname", "Smith"), 0);
  ASSERT_EQ(SetField(page, "sex", "M"), 0);
  ASSERT_EQ(SetField(page, "birth.year", "1780"), 0);
  EXPECT_EQ(page.mark, 1);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(page.index, 5);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 SEX F\r\n0 @I5@ INDI\r\n1 NAME Peter /Smith/\r\n1 SEX M\r\n1 BIRT\r\n2 DATE 1780\r\n0 @F1@ FAM"),
            std::string::npos)
      << text;
  EXPECT_STREQ(store.Individual(5)->displayName, "Peter Smith");
  EXPECT_STREQ(store.Individual(5)->birthYear, "1780");
  EXPECT_EQ(store.FindKey(kIndi, "SMITH Peter                1780") >= 0 ||
                store.Kind(kIndi).keys.size() == 5u,
            true);
}

TEST(ParseDate, PartsAndExactness) {
  DateParts d = ParseDate("12 MAR 1850");
  EXPECT_EQ(d.day, 12);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.year, "1850");
  EXPECT_TRUE(d.exact);
  EXPECT_EQ(FormatDate(d), "12 MAR 1850");
  d = ParseDate("BET 1 JAN 1800 AND DEC 1801");
  EXPECT_EQ(FormatDate(d), "BET 1 JAN 1800 AND DEC 1801");
  EXPECT_FALSE(ParseDate("MAR 1750/51").exact);
  EXPECT_FALSE(ParseDate("@#DJULIAN@ 1700").exact);
}

}  // namespace
}  // namespace dv::viewedit
