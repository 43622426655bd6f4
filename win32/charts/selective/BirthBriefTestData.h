#pragma once
// A small family for the Birth Brief's Windows tests: a base individual
// (@I1@, index 1), both parents and one grandfather.

namespace dv::win::test {

inline constexpr char kBirthBriefFamily[] = R"(0 HEAD
1 CHAR ASCII
0 @I1@ INDI
1 NAME Morwenna /Trevail/
1 SEX F
1 BIRT
2 DATE 3 MAR 1950
2 PLAC Penlowen
1 FAMC @F1@
0 @I2@ INDI
1 NAME Jory /Trevail/
1 SEX M
1 OCCU Tin miner
1 FAMS @F1@
1 FAMC @F2@
0 @I3@ INDI
1 NAME Elowen /Pascoe/
1 SEX F
1 FAMS @F1@
0 @I4@ INDI
1 NAME Petroc /Trevail/
1 SEX M
1 DEAT
2 DATE 1931
2 PLAC Carnbrea
1 FAMS @F2@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 CHIL @I1@
0 @F2@ FAM
1 HUSB @I4@
1 CHIL @I2@
0 TRLR
)";

}  // namespace dv::win::test
