#include "soundex/Soundex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace {

using dv::kSoundexAmerican;
using dv::kSoundexSimplified;
using dv::SoundexCode;

struct Coded {
  const char* name;
  const char* simplified;
  const char* american;
};

// Names whose codes differ between the variants only where H or W stands
// between two letters of one digit.
TEST(SoundexCode, BothVariants) {
  const Coded cases[] = {
      {"ASHCRAFT", "A226", "A261"},  // H separates S and C only in the Simplified variant
      {"ASHCROFT", "A226", "A261"},  {"PFISTER", "P236", "P236"},  // F shares the initial P's digit
      {"TYMCZAK", "T522", "T522"},  // Z follows C directly; A separates Z and K
      {"LEE", "L000", "L000"},       {"O'HARA", "O600", "O600"},  // the apostrophe is skipped
      {"ROBERT", "R163", "R163"},    {"RUPERT", "R163", "R163"},   {"RUBIN", "R150", "R150"},
      {"TUTTLE", "T340", "T340"},    {"JACKSON", "J250", "J250"},  {"WASHINGTON", "W252", "W252"},
      {"BURROUGHS", "B622", "B620"},  // G, H, S: H separates G and S in the Simplified variant
      {"SCHMIDT", "S530", "S530"},   {"VAN DYKE", "V532", "V532"},  // the space is skipped
      {"", "0000", "0000"},
  };
  for (const Coded& c : cases) {
    EXPECT_EQ(SoundexCode(c.name, kSoundexSimplified), c.simplified) << c.name;
    EXPECT_EQ(SoundexCode(c.name, kSoundexAmerican), c.american) << c.name;
  }
}

TEST(SoundexCode, LowerCaseLettersAreLookedUpInCapitals) {
  EXPECT_EQ(SoundexCode("ROBERt", kSoundexSimplified), "R163");
  // The first character is written as it stands; the calculator passes capitals.
  EXPECT_EQ(SoundexCode(dv::SoundexCapitals("o'hara"), kSoundexAmerican), "O600");
}

TEST(SoundexCode, ALeadingCharacterInNoGroupBecomesTheInitial) {
  EXPECT_EQ(SoundexCode(" SMITH", kSoundexSimplified), " 530");
  EXPECT_EQ(SoundexCode("123", kSoundexSimplified), "0000");
}

TEST(SoundexCode, StopsAfterFourCharacters) {
  EXPECT_EQ(SoundexCode("BLACKBURNFIELD", kSoundexSimplified), "B421");
  EXPECT_EQ(SoundexCode("BLACKBURNFIELD", kSoundexAmerican), "B421");
}

TEST(SoundexCode, AmericanHAndWAtTheStartAreTheInitial) {
  EXPECT_EQ(SoundexCode("HWANG", kSoundexAmerican), "H520");
  EXPECT_EQ(SoundexCode("HWANG", kSoundexSimplified), "H520");
}

TEST(SoundexCode, TwoCodesStaySideBySide) {
  const std::string a = SoundexCode("ASHCRAFT", kSoundexSimplified);
  const std::string b = SoundexCode("ASHCRAFT", kSoundexAmerican);
  EXPECT_EQ(a, "A226");
  EXPECT_EQ(b, "A261");
}

TEST(SoundexSurname, TakesTheWholeSurnameFromItsFirstLetter) {
  EXPECT_EQ(dv::SoundexSurname("Patrick O'Hara"), "O'HARA");
  EXPECT_EQ(dv::SoundexSurname("Jan van_Dyke"), "VAN DYKE");
  EXPECT_EQ(dv::SoundexSurname("Ann 'T_Hooft"), "T HOOFT");
  EXPECT_EQ(dv::SoundexSurname("Mary ____"), "");
  EXPECT_EQ(dv::SoundexSurname("____ ____"), "");
  EXPECT_EQ(dv::SoundexSurname("Smith-Jones"), "SMITH-JONES");
}

constexpr const char* kSurnames = R"(0 HEAD
0 @I1@ INDI
1 NAME William /Smith/
0 @I2@ INDI
1 NAME Patrick /O'Hara/
0 @I3@ INDI
1 NAME Jan /van Dyke/
0 @I4@ INDI
1 NAME Ann /Smith/
0 @I5@ INDI
1 NAME Nobody
0 @I6@ INDI
1 NAME Alice /Ashcraft/
0 @I7@ INDI
1 NAME Bob /Smithson/
0 TRLR
)";

std::string Rows(const std::vector<dv::SoundexRow>& rows) {
  std::string text;
  for (const auto& r : rows) text += r.surname + "\t" + r.simplified + "\t" + r.american + "\n";
  return text;
}

TEST(SoundexList, OneRowPerSurnameWithBothCodes) {
  dv::RecordStore store;
  std::string summary;
  ASSERT_EQ(dv::LoadDataSourceBytes(store, kSurnames, dv::LoadOptions{}, summary), 0);
  std::vector<dv::SoundexRow> rows = dv::SoundexList(store);
  EXPECT_EQ(Rows(rows),
            "ASHCRAFT\tA226\tA261\n"
            "O'HARA\tO600\tO600\n"
            "SMITH\tS530\tS530\n"
            "SMITHSON\tS532\tS532\n"
            "VAN DYKE\tV532\tV532\n");
  // The list gives the same code as the calculator for the same name.
  for (const auto& r : rows) {
    EXPECT_EQ(r.simplified, SoundexCode(dv::SoundexCapitals(r.surname), kSoundexSimplified));
    EXPECT_EQ(r.american, SoundexCode(dv::SoundexCapitals(r.surname), kSoundexAmerican));
  }
}

TEST(SoundexList, SortsByEachColumn) {
  std::vector<dv::SoundexRow> rows = {
      {"SMITH", "S530", "S530"}, {"ASHCRAFT", "A226", "A261"}, {"BURROUGHS", "B622", "B620"}};
  dv::SortSoundexRows(rows, dv::kSoundexAmericanColumn);
  EXPECT_EQ(Rows(rows), "ASHCRAFT\tA226\tA261\nBURROUGHS\tB622\tB620\nSMITH\tS530\tS530\n");
  dv::SortSoundexRows(rows, dv::kSoundexSimplifiedColumn);
  EXPECT_EQ(Rows(rows), "ASHCRAFT\tA226\tA261\nBURROUGHS\tB622\tB620\nSMITH\tS530\tS530\n");
  rows.push_back({"\xC9MILE",
                  "\xC9"
                  "540",
                  "\xC9"
                  "540"});
  dv::SortSoundexRows(rows, dv::kSoundexSurnameColumn);
  // Bytes above 127 sort after the ASCII letters.
  EXPECT_EQ(rows.back().surname, "\xC9MILE");
  EXPECT_EQ(rows.front().surname, "ASHCRAFT");
}

TEST(SoundexList, ColumnLabelsComeFromTheStringTable) {
  EXPECT_EQ(dv::StringText(dv::kSoundexColumnLabels[0]), "Surname");
  EXPECT_EQ(dv::StringText(dv::kSoundexColumnLabels[1]), "Simplified Soundex");
  EXPECT_EQ(dv::StringText(dv::kSoundexColumnLabels[2]), "American Soundex");
}

}  // namespace
