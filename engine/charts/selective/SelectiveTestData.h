#pragma once
// Families for the Selective Tree's tests, loaded into a record store.
//
// Ann Carter (I1) and her brother and sister; her parents Tom Carter (I2)
// and Jane Lowe (I3), Tom married again (Susan Bell, F20); Tom's parents
// Henry Carter and Rose Hill (Ahnentafel 4, 5) with Henry's parents George
// Carter and Edith Day (8, 9); Jane's parents Peter Lowe and Alice Moss
// (6, 7) with Peter's parents Samuel Lowe and Mary Reed (12, 13).
//
// Paul Grey (I30), whose parents Luke Grey (I31) and Nora Vane (I32) are
// first cousins: Luke's father Hugh Grey (I33) and Nora's mother Ivy Grey
// (I35) are children of Adam Grey and Eve Moor (I37, I38), Ahnentafel 8 and
// 9 through Luke, 14 and 15 through Nora.

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace dv::test {

inline constexpr const char* kSelectiveFamilies = R"(0 HEAD
1 CHAR ANSI
0 @I1@ INDI
1 NAME Ann Louise /Carter/
1 SEX F
1 BIRT
2 DATE 2 MAY 1990
2 PLAC Bath, Somerset
1 FAMC @F1@
0 @I2@ INDI
1 NAME Tom /Carter/
1 SEX M
1 FAMS @F1@
1 FAMS @F20@
1 FAMC @F2@
0 @I3@ INDI
1 NAME Jane /Lowe/
1 SEX F
1 FAMS @F1@
1 FAMC @F3@
0 @I4@ INDI
1 NAME Henry /Carter/
1 SEX M
1 FAMS @F2@
1 FAMC @F4@
0 @I5@ INDI
1 NAME Rose /Hill/
1 SEX F
1 FAMS @F2@
0 @I6@ INDI
1 NAME Peter /Lowe/
1 SEX M
1 FAMS @F3@
1 FAMC @F5@
0 @I7@ INDI
1 NAME Alice /Moss/
1 SEX F
1 FAMS @F3@
0 @I8@ INDI
1 NAME George /Carter/
1 SEX M
1 FAMS @F4@
0 @I9@ INDI
1 NAME Edith /Day/
1 SEX F
1 FAMS @F4@
0 @I12@ INDI
1 NAME Samuel /Lowe/
1 SEX M
1 FAMS @F5@
0 @I13@ INDI
1 NAME Mary /Reed/
1 SEX F
1 FAMS @F5@
0 @I20@ INDI
1 NAME Ben Arthur /Carter/
1 SEX M
1 BIRT
2 DATE 1987
1 FAMC @F1@
0 @I21@ INDI
1 NAME Cara /Carter/
1 SEX F
1 BIRT
2 DATE 1993
1 FAMC @F1@
0 @I22@ INDI
1 NAME Mark /Carter/
1 SEX M
1 FAMC @F2@
0 @I23@ INDI
1 NAME Kate "Kitty" /Lowe/
1 SEX F
1 FAMC @F3@
0 @I24@ INDI
1 NAME Walter /Lowe/
1 SEX M
1 FAMC @F5@
0 @I30@ INDI
1 NAME Paul /Grey/
1 SEX M
1 FAMC @F10@
0 @I31@ INDI
1 NAME Luke /Grey/
1 SEX M
1 FAMS @F10@
1 FAMC @F11@
0 @I32@ INDI
1 NAME Nora /Vane/
1 SEX F
1 FAMS @F10@
1 FAMC @F12@
0 @I33@ INDI
1 NAME Hugh /Grey/
1 SEX M
1 FAMS @F11@
1 FAMC @F13@
0 @I34@ INDI
1 NAME Beth /Cole/
1 SEX F
1 FAMS @F11@
0 @I35@ INDI
1 NAME Ivy /Grey/
1 SEX F
1 FAMS @F12@
1 FAMC @F13@
0 @I36@ INDI
1 NAME Otto /Vane/
1 SEX M
1 FAMS @F12@
0 @I37@ INDI
1 NAME Adam /Grey/
1 SEX M
1 FAMS @F13@
0 @I38@ INDI
1 NAME Eve /Moor/
1 SEX F
1 FAMS @F13@
0 @I40@ INDI
1 NAME Susan /Bell/
1 SEX F
1 FAMS @F20@
0 @I41@ INDI
1 NAME Lily /Carter/
1 SEX F
1 FAMC @F20@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 MARR
2 DATE 1985
2 PLAC Wells, Somerset
1 CHIL @I20@
1 CHIL @I1@
1 CHIL @I21@
0 @F2@ FAM
1 HUSB @I4@
1 WIFE @I5@
1 MARR
2 DATE 1950
1 CHIL @I2@
1 CHIL @I22@
0 @F3@ FAM
1 HUSB @I6@
1 WIFE @I7@
1 CHIL @I23@
1 CHIL @I3@
0 @F4@ FAM
1 HUSB @I8@
1 WIFE @I9@
1 CHIL @I4@
0 @F5@ FAM
1 HUSB @I12@
1 WIFE @I13@
1 CHIL @I6@
1 CHIL @I24@
0 @F10@ FAM
1 HUSB @I31@
1 WIFE @I32@
1 CHIL @I30@
0 @F11@ FAM
1 HUSB @I33@
1 WIFE @I34@
1 CHIL @I31@
0 @F12@ FAM
1 HUSB @I36@
1 WIFE @I35@
1 CHIL @I32@
0 @F13@ FAM
1 HUSB @I37@
1 WIFE @I38@
1 CHIL @I33@
1 CHIL @I35@
0 @F20@ FAM
1 HUSB @I2@
1 WIFE @I40@
1 MARR
2 DATE 1995
1 CHIL @I41@
0 TRLR
)";

// Loads text into store; 0 on success.
inline int LoadGedcomText(RecordStore& store, std::string text) {
  std::string summary;
  return LoadDataSourceBytes(store, std::move(text), LoadOptions{}, summary);
}

// A path in the temporary folder that no other test process uses (the
// worktrees run their tests at the same time).
inline std::string TestTempPath(std::string_view name) {
  static const unsigned long long tag =
      std::random_device{}() ^
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  return (std::filesystem::temp_directory_path() /
          ("dv-" + std::to_string(tag % 1000000007ull) + "-" + std::string(name)))
      .string();
}

}  // namespace dv::test
