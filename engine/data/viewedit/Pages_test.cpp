#include "data/viewedit/Pages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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
  EXPECT_NE(text.find("1 NAME Jonathan /Smith/ Jr.\r\n2 GIVN John\r\n2 SURN Smith\r\n1 NAME Johnny "
                      "/Smith/\r\n"),
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
  EXPECT_NE(text.find("Blacksmith, farrier and keeper of the village inn at the crossroads"),
            std::string::npos);
}

TEST(StorePage, EmptySexRemovesTheLine) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 3, page), 0);
  ASSERT_EQ(SetField(page, "sex", "M"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_NE(GedcomText(store).find("1 NAME Tom /Smith/\r\n1 SEX M\r\n1 FAMC @F1@"),
            std::string::npos);
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
      "She kept the parish records for forty years and wrote them out in a fair hand every "
      "winter.\r\n"
      "Second paragraph.\r\n" +
      std::string(300, 'x');
  ASSERT_EQ(SetField(page, "note", note), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 NOTE She kept the parish records for forty years and wrote them out i\r\n"
                      "2 CONC n a fair hand every winter.\r\n2 CONT Second paragraph.\r\n"
                      "2 CONT " +
                      std::string(200, 'x') + "\r\n2 CONC " + std::string(100, 'x') + "\r\n"),
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
  EXPECT_NE(text.find("1 SEX F\r\n0 @I5@ INDI\r\n1 NAME Peter /Smith/\r\n1 SEX M\r\n1 BIRT\r\n2 "
                      "DATE 1780\r\n0 @F1@ FAM"),
            std::string::npos)
      << text;
  EXPECT_STREQ(store.Individual(5)->displayName, "Peter Smith");
  EXPECT_STREQ(store.Individual(5)->birthYear, "1780");
  EXPECT_EQ(store.FindKey(kIndi, "SMITH Peter                1780") >= 0 ||
                store.Kind(kIndi).keys.size() == 5u,
            true);
}

TEST(StorePage, ALineBreakTypedIntoAYearDoesNotBreakTheSavedFile) {
  RecordStore store;
  Load(store, kTorture);
  RecordPage page = NewPage(PageKind::kIndividual);
  ASSERT_EQ(SetField(page, "given", "Peter"), 0);
  ASSERT_EQ(SetField(page, "birth.year", "\n5x"), 0);
  ASSERT_EQ(SetField(page, "death.year", "17\r\n"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  const std::string text = GedcomText(store);
  EXPECT_NE(text.find("2 DATE 5x\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("2 DATE 17\r\n"), std::string::npos) << text;
  // What was saved loads again, with the new individual.
  RecordStore again;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(again, text, {}, summary), 0);
  EXPECT_EQ(again.IndividualCount(), store.IndividualCount());
}

}  // namespace
}  // namespace dv::viewedit

namespace dv::viewedit {
namespace {

std::string SampleText() {
  std::ifstream in(std::string(DORVANE_TESTDATA) + "/../sample/sample.ged", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The records of a GEDCOM text, each with its lines.
std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t next = text.find("\r\n0 ", start);
    std::size_t end = next == std::string::npos ? text.size() : next + 2;
    out.push_back(text.substr(start, end - start));
    start = end;
  }
  return out;
}

class SampleRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string summary;
    ASSERT_EQ(LoadDataSourceBytes(store, SampleText(), {}, summary), 0);
    ASSERT_GT(store.IndividualCount(), 200);
  }
  RecordStore store;
};

TEST_F(SampleRoundTrip, EveryPageStoredUnchangedChangesNothing) {
  std::string before = GedcomText(store);
  auto each = [&](PageKind kind, std::int32_t count) {
    for (std::int32_t i = kind == PageKind::kHeader || kind == PageKind::kSubmitter ? 0 : 1;
         i <= count; ++i) {
      RecordPage page;
      ASSERT_EQ(ReadPage(store, kind, i, page), 0) << i;
      // Setting every field to the text it shows is no change either.
      for (const auto& def : RecordSchema(kind)) SetField(page, def.name, GetField(page, def.name));
      ASSERT_EQ(StorePage(store, page), 0);
    }
  };
  each(PageKind::kIndividual, store.IndividualCount());
  each(PageKind::kFamily, store.FamilyCount());
  each(PageKind::kSource, store.Kind(kSour).count);
  each(PageKind::kRepository, store.Kind(kRepo).count);
  each(PageKind::kHeader, 0);
  each(PageKind::kSubmitter, 0);
  EXPECT_EQ(GedcomText(store), before);
}

TEST_F(SampleRoundTrip, OneEditedFieldChangesOnlyItsRecord) {
  for (std::int32_t i = 1; i <= store.IndividualCount(); i += 7) {
    std::vector<std::string> before = Records(GedcomText(store));
    RecordPage page;
    ASSERT_EQ(ReadPage(store, PageKind::kIndividual, i, page), 0);
    ASSERT_EQ(SetField(page, "death.place", "Edited " + std::to_string(i)), 0);
    ASSERT_EQ(StorePage(store, page), 0);
    std::vector<std::string> after = Records(GedcomText(store));
    ASSERT_EQ(before.size(), after.size());
    int changed = 0;
    for (std::size_t r = 0; r < before.size(); ++r) {
      if (before[r] == after[r]) continue;
      ++changed;
      EXPECT_EQ(after[r].rfind("0 " + store.XrefOf(kIndi, i) + " INDI", 0), 0u) << after[r];
      EXPECT_NE(after[r].find("PLAC Edited " + std::to_string(i) + "\r\n"), std::string::npos);
    }
    EXPECT_EQ(changed, 1);
    // Reloaded, the file gives the same record again.
    RecordStore again;
    std::string summary;
    ASSERT_EQ(LoadDataSourceBytes(again, GedcomText(store), {}, summary), 0);
    EXPECT_EQ(GedcomText(again), GedcomText(store));
    EXPECT_STREQ(again.Individual(i)->displayName, store.Individual(i)->displayName);
  }
}

TEST_F(SampleRoundTrip, FamilyWithThirtyChildrenAndAdoptionSurvivesAnEdit) {
  std::string text = "0 HEAD\n0 @I1@ INDI\n1 NAME Dad /Big/\n1 SEX M\n1 FAMS @F1@\n";
  for (int c = 2; c <= 31; ++c)
    text += "0 @I" + std::to_string(c) + "@ INDI\n1 NAME Kid" + std::to_string(c) +
            " /Big/\n1 FAMC @F1@\n";
  text += "0 @I32@ INDI\n1 NAME Adopted /Big/\n1 ADOP\n2 FAMC @F1@\n1 FAMC @F1@\n2 PEDI Adopted\n";
  text += "0 @F1@ FAM\n1 HUSB @I1@\n";
  for (int c = 2; c <= 32; ++c) text += "1 CHIL @I" + std::to_string(c) + "@\n";
  text += "1 MARR\n2 DATE ABT 1700\n0 TRLR\n";
  RecordStore big;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(big, text, {}, summary), 0);
  std::string before = GedcomText(big);
  RecordPage page;
  ASSERT_EQ(ReadPage(big, PageKind::kFamily, 1, page), 0);
  EXPECT_EQ(page.children.size(), 31u);
  ASSERT_EQ(SetField(page, "marriage.place", "Kirk"), 0);
  ASSERT_EQ(StorePage(big, page), 0);
  std::string expected = before;
  expected.replace(expected.find("2 DATE ABT 1700\r\n") + 17, 0, "2 PLAC Kirk\r\n");
  EXPECT_EQ(GedcomText(big), expected);
}

}  // namespace
}  // namespace dv::viewedit

namespace dv::viewedit {
namespace {

TEST(StorePage, PointersMustNameARecordAndTextsNeverBecomePointers) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(
      LoadDataSourceBytes(
          store, "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 @S1@ SOUR\n1 TITL T\n0 TRLR\n", {}, summary),
      0);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  ASSERT_EQ(SetField(page, "source", "@S9@"), 0);
  EXPECT_EQ(StorePage(store, page), kMsgNotFound);
  EXPECT_EQ(page.missing, "@S9@");
  ASSERT_EQ(SetField(page, "source", ""), 0);
  ASSERT_EQ(SetField(page, "source.page", "12"), 0);
  EXPECT_EQ(StorePage(store, page), kMsgSelectSource);
  ASSERT_EQ(SetField(page, "source", "@S1@"), 0);
  ASSERT_EQ(SetField(page, "birth.place", "@home@"), 0);
  ASSERT_EQ(SetField(page, "note", "@N1@ is not a pointer"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n1 BIRT\r\n2 PLAC @@home@\r\n1 NOTE @@N1@ is "
            "not a pointer\r\n"
            "1 SOUR @S1@\r\n2 PAGE 12\r\n0 @S1@ SOUR\r\n1 TITL T\r\n0 TRLR\r\n");
  EXPECT_EQ(GetField(page, "birth.place"), "@home@");
  EXPECT_EQ(GetField(page, "note"), "@N1@ is not a pointer");
}

TEST(StorePage, ARecordLimitChangesNothing) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n", {}, summary),
            0);
  store.Kind(kIndi).capacity = store.Kind(kIndi).count;
  std::string before = GedcomText(store);
  RecordPage page = NewPage(PageKind::kIndividual);
  ASSERT_EQ(SetField(page, "given", "New"), 0);
  EXPECT_EQ(StorePage(store, page), kErrTooMuchData);
  EXPECT_EQ(GedcomText(store), before);
  EXPECT_EQ(store.IndividualCount(), 1);
  EXPECT_EQ(store.dataChanged, 0);
}

TEST(StorePage, NotesInNoteRecordsAreUpdatedAndNewOnesBecomeRecords) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(
      LoadDataSourceBytes(
          store,
          "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n1 NOTE @N1@\n0 @I2@ INDI\n1 NAME C /D/\n"
          "1 NOTE @N1@\n0 @I3@ INDI\n1 NAME E /F/\n0 @N1@ NOTE Old text\n1 CONT more\n0 TRLR\n",
          {}, summary),
      0);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  EXPECT_EQ(GetField(page, "note"), "Old text\r\nmore");
  ASSERT_EQ(SetField(page, "note", "New text"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  // The shared note changed for both people.
  EXPECT_STREQ(store.TextAt(store.Individual(2)->noteOffset), "New text");
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 3, page), 0);
  ASSERT_EQ(SetField(page, "note", "Third"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n1 NOTE @N1@\r\n0 @I2@ INDI\r\n1 NAME C "
            "/D/\r\n1 NOTE @N1@\r\n"
            "0 @I3@ INDI\r\n1 NAME E /F/\r\n1 NOTE @N2@\r\n0 @N1@ NOTE New text\r\n0 @N2@ NOTE "
            "Third\r\n0 TRLR\r\n");
  EXPECT_EQ(store.Kind(kNote).count, 2);
}

}  // namespace
}  // namespace dv::viewedit

namespace dv::viewedit {
namespace {

TEST(StorePage, HeaderSubmitterSourceAndRepositoryFieldsGoInTheirFixedOrder) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(
                store,
                "0 HEAD\n1 SOUR X\n1 GEDC\n2 VERS 5.5\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME A /B/\n"
                "0 @S1@ SOUR\n1 TITL Register\n1 _KEEP this\n0 @R1@ REPO\n1 NAME Office\n0 TRLR\n",
                {}, summary),
            0);
  RecordPage head;
  ASSERT_EQ(ReadPage(store, PageKind::kHeader, 0, head), 0);
  ASSERT_EQ(SetField(head, "company", "Acme"), 0);
  ASSERT_EQ(SetField(head, "address", "1 High St, Town"), 0);
  ASSERT_EQ(SetField(head, "gedcom.form", ""), 0);
  ASSERT_EQ(SetField(head, "destination", "ANY"), 0);
  ASSERT_EQ(StorePage(store, head), 0);
  EXPECT_EQ(GetField(head, "address"), "1 High St, Town");
  EXPECT_EQ(GetField(head, "gedcom.form"), "LINEAGE-LINKED");
  RecordPage subm = NewPage(PageKind::kSubmitter);
  ASSERT_EQ(SetField(subm, "name", "Me"), 0);
  ASSERT_EQ(SetField(subm, "address", "Line 1\r\nLine 2"), 0);
  ASSERT_EQ(StorePage(store, subm), 0);
  RecordPage sour;
  ASSERT_EQ(ReadPage(store, PageKind::kSource, 1, sour), 0);
  ASSERT_EQ(SetField(sour, "medium", "Book"), 0);
  ASSERT_EQ(SetField(sour, "repository", "@R1@"), 0);
  ASSERT_EQ(SetField(sour, "author", "Clerk"), 0);
  ASSERT_EQ(SetField(sour, "abbr", "REG"), 0);
  ASSERT_EQ(StorePage(store, sour), 0);
  EXPECT_EQ(store.Kind(kSour).keys[0].key, std::string("REG"));
  RecordPage repo;
  ASSERT_EQ(ReadPage(store, PageKind::kRepository, 1, repo), 0);
  ASSERT_EQ(SetField(repo, "phone", "555"), 0);
  ASSERT_EQ(SetField(repo, "name", "County Office"), 0);
  ASSERT_EQ(StorePage(store, repo), 0);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n1 SOUR X\r\n2 CORP Acme\r\n3 ADDR 1 High St\r\n4 CONT Town\r\n1 DEST "
            "ANY\r\n1 SUBM @SUB1@\r\n"
            "1 GEDC\r\n2 VERS 5.5\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR ANSI\r\n"
            "0 @SUB1@ SUBM\r\n1 NAME Me\r\n1 ADDR Line 1\r\n2 CONT Line 2\r\n"
            "0 @I1@ INDI\r\n1 NAME A /B/\r\n"
            "0 @S1@ SOUR\r\n1 AUTH Clerk\r\n1 TITL Register\r\n1 ABBR REG\r\n1 REPO @R1@\r\n2 "
            "CALN\r\n3 MEDI Book\r\n"
            "1 _KEEP this\r\n0 @R1@ REPO\r\n1 NAME County Office\r\n1 PHON 555\r\n0 TRLR\r\n");
}

TEST(ReadPage, ThePreferredNameIsTheLastWhenThatPreferenceIsOn) {
  RecordStore store;
  std::string summary;
  LoadOptions options;
  options.namesLast = true;
  ASSERT_EQ(LoadDataSourceBytes(
                store, "0 HEAD\n0 @I1@ INDI\n1 NAME Old /Name/\n1 NAME New /Name/\n0 TRLR\n",
                options, summary),
            0);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  EXPECT_EQ(GetField(page, "given"), "New");
  ASSERT_EQ(SetField(page, "surname", "Changed"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Old /Name/\r\n1 NAME New /Changed/\r\n0 TRLR\r\n");
  EXPECT_STREQ(store.Individual(1)->displayName, "New Changed");
}

TEST(StorePage, EventsAttributesAndAssociatesAsItems) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(
                store,
                "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n1 RESI\n2 PLAC Here\n1 GRAD\n2 DATE 1900\n"
                "0 @I2@ INDI\n1 NAME C /D/\n0 TRLR\n",
                {}, summary),
            0);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kIndividual, 1, page), 0);
  ASSERT_EQ(page.events.size(), 1u);
  ASSERT_EQ(page.attributes.size(), 1u);
  EXPECT_EQ(GetField(page, "event.1.tag"), "GRAD");
  ASSERT_EQ(SetField(page, "event.1.delete", "1"), 0);
  ASSERT_EQ(SetField(page, "event.2.tag", "EMIG"), 0);
  ASSERT_EQ(SetField(page, "event.2.type", "To Canada"), 0);
  ASSERT_EQ(SetField(page, "attribute.1.value", "Farm"), 0);
  ASSERT_EQ(SetField(page, "associate.1.value", "@I2@"), 0);
  ASSERT_EQ(SetField(page, "associate.1.relation", "Godparent"), 0);
  ASSERT_EQ(SetField(page, "death.cause", "Fever"), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store),
            "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n1 DEAT Y\r\n2 CAUS Fever\r\n1 EMIG Y\r\n2 "
            "TYPE To Canada\r\n"
            "1 RESI Farm\r\n2 PLAC Here\r\n1 ASSO @I2@\r\n2 RELA Godparent\r\n"
            "0 @I2@ INDI\r\n1 NAME C /D/\r\n0 TRLR\r\n");
  EXPECT_EQ(SetField(page, "adopted", "N"), 0);
  ASSERT_EQ(SetField(page, "adopted", "Y"), 0);
  EXPECT_EQ(SetField(page, "adopted", "N"), kMsgDeleteAdoption);
}

}  // namespace
}  // namespace dv::viewedit
