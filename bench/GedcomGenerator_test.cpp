#include "GedcomGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dv::bench {
namespace {

struct Line {
  int level = 0;
  std::string xref;
  std::string tag;
  std::string value;
};

// Splits the text at CR LF; fails the test on a bare CR or LF.
std::vector<std::string_view> SplitCrLf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string_view::npos) << "last line without CR LF";
    if (end == std::string_view::npos) break;
    const std::string_view line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << "bare line end in: " << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

Line Parse(std::string_view s) {
  Line l;
  const std::size_t sp = s.find(' ');
  l.level = std::atoi(std::string(s.substr(0, sp)).c_str());
  s.remove_prefix(sp == std::string_view::npos ? s.size() : sp + 1);
  if (!s.empty() && s[0] == '@') {
    const std::size_t e = s.find("@ ", 1);
    l.xref = std::string(s.substr(0, e + 1));
    s.remove_prefix(e + 2);
  }
  const std::size_t t = s.find(' ');
  l.tag = std::string(s.substr(0, t));
  if (t != std::string_view::npos) l.value = std::string(s.substr(t + 1));
  return l;
}

struct Record {
  std::string xref;
  std::string tag;
  std::vector<Line> lines;  // level 1 and deeper
};

std::vector<Record> Records(const std::string& text) {
  std::vector<Record> records;
  int previousLevel = -1;
  for (std::string_view s : SplitCrLf(text)) {
    EXPECT_LE(s.size(), 255u) << s;
    const Line l = Parse(s);
    EXPECT_LE(l.level, previousLevel + 1) << "level jump at: " << s;
    previousLevel = l.level;
    if (l.level == 0)
      records.push_back({l.xref, l.tag, {}});
    else if (!records.empty())
      records.back().lines.push_back(l);
  }
  return records;
}

TEST(GedcomGeneratorOutput, IsTheSameForTheSameSeedAndDiffersForAnother) {
  const std::string a = GenerateGedcom(500, 7);
  EXPECT_EQ(a, GenerateGedcom(500, 7));
  EXPECT_NE(a, GenerateGedcom(500, 8));
}

TEST(GedcomGeneratorOutput, HasTheHeaderAndTrailerAndCountsThatMatchTheText) {
  GeneratedCounts counts;
  const std::string text = GenerateGedcom(1'000, 3, &counts);
  EXPECT_EQ(text.rfind("0 HEAD\r\n1 SOUR DORVANE\r\n", 0), 0u);
  ASSERT_GE(text.size(), 8u);
  EXPECT_EQ(text.substr(text.size() - 8), "0 TRLR\r\n");

  std::map<std::string, int> kinds;
  for (const Record& r : Records(text)) ++kinds[r.tag];
  EXPECT_EQ(kinds["HEAD"], 1);
  EXPECT_EQ(kinds["SUBM"], 1);
  EXPECT_EQ(kinds["INDI"], 1'000);
  EXPECT_EQ(counts.individuals, 1'000);
  EXPECT_EQ(kinds["FAM"], counts.families);
  EXPECT_EQ(kinds["NOTE"], counts.notes);
  EXPECT_EQ(kinds["SOUR"], counts.sources);
  EXPECT_EQ(kinds["REPO"], counts.repositories);
  EXPECT_EQ(counts.bytes, text.size());
  EXPECT_EQ(counts.lines, SplitCrLf(text).size());
  EXPECT_GT(counts.notes, 0);
}

TEST(GedcomGeneratorOutput, NumbersRecordsConsecutivelyInFileOrder) {
  std::map<char, int> next = {{'I', 1}, {'F', 1}, {'N', 1}, {'S', 1}, {'R', 1}};
  for (const Record& r : Records(GenerateGedcom(800, 11))) {
    if (r.tag != "INDI" && r.tag != "FAM" && r.tag != "NOTE" && r.tag != "SOUR" && r.tag != "REPO")
      continue;
    const char kind = r.xref.size() > 2 ? r.xref[1] : '?';
    ASSERT_EQ(r.xref, "@" + std::string(1, kind) + std::to_string(next[kind]) + "@") << r.tag;
    ++next[kind];
  }
}

// Every pointer names an existing record, and every FAMS and FAMC line is
// answered by a HUSB or WIFE and a CHIL line of its family (and the other
// way round), so the loader's link check finds nothing to repair.
TEST(GedcomGeneratorOutput, LinksAreConsistentBothWays) {
  const std::vector<Record> records = Records(GenerateGedcom(3'000, 5));
  std::map<std::string, const Record*> byXref;
  for (const Record& r : records)
    if (!r.xref.empty()) byXref[r.xref] = &r;

  std::set<std::pair<std::string, std::string>> famsOf, famcOf, spouseIn, childIn;
  std::map<std::string, std::string> sexOf;
  int families = 0, withChildren = 0;
  std::size_t mostChildren = 0;
  for (const Record& r : records) {
    std::size_t children = 0;
    for (const Line& l : r.lines) {
      if (!l.value.empty() && l.value[0] == '@') {
        EXPECT_TRUE(byXref.count(l.value)) << r.xref << " " << l.value;
      }
      if (l.level != 1) continue;
      if (l.tag == "SEX") sexOf[r.xref] = l.value;
      if (l.tag == "FAMS") famsOf.insert({r.xref, l.value});
      if (l.tag == "FAMC") famcOf.insert({r.xref, l.value});
      if (l.tag == "HUSB" || l.tag == "WIFE") spouseIn.insert({l.value, r.xref});
      if (l.tag == "CHIL") {
        childIn.insert({l.value, r.xref});
        ++children;
      }
    }
    if (r.tag == "FAM") {
      ++families;
      if (children > 0) ++withChildren;
      mostChildren = std::max(mostChildren, children);
    }
    for (const Line& l : r.lines) {
      if (r.tag != "FAM") break;
      if (l.tag == "HUSB") {
        EXPECT_EQ(sexOf[l.value], "M") << r.xref;
      } else if (l.tag == "WIFE") {
        EXPECT_EQ(sexOf[l.value], "F") << r.xref;
      }
    }
  }
  EXPECT_EQ(famsOf, spouseIn);
  EXPECT_EQ(famcOf, childIn);
  EXPECT_GT(withChildren, families / 2);
  EXPECT_LE(mostChildren, 8u);
  EXPECT_GE(mostChildren, 6u);
}

TEST(GedcomGeneratorOutput, NoIndividualHasTwoParentFamilies) {
  for (const Record& r : Records(GenerateGedcom(2'000, 9))) {
    int famc = 0;
    for (const Line& l : r.lines) famc += l.level == 1 && l.tag == "FAMC";
    EXPECT_LE(famc, 1) << r.xref;
  }
}

// The benchmark's file must stay loadable: under the chunked reader's 199
// chunks of 64,512 bytes and the family summaries' 118 blocks of 117.
TEST(GedcomGeneratorSize, ThirtyThousandIndividualsMakeAboutTwelveMegabytes) {
  GeneratedCounts counts;
  const std::string text = GenerateGedcom(30'000, 1, &counts);
  EXPECT_GT(text.size(), 11'000'000u);
  EXPECT_LT(text.size(), 12'500'000u);
  EXPECT_LT(counts.families, 118 * 117);
}

}  // namespace
}  // namespace dv::bench
