#pragma once
// Test data of the full chart tests: invented families written as GEDCOM
// text, loaded into a record store. Header-only and included by tests alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace dv::testing {

// Builds a GEDCOM file from people and families; each person's FAMS and
// FAMC lines follow from the families.
class GedcomBuilder {
 public:
  // A person: sex 1 male, 0 female; returns the number (@I<n>@).
  int Person(const std::string& name, int sex, const std::string& birth = "") {
    people_.push_back({name, sex, birth, {}, {}});
    return int(people_.size());
  }
  // A family of husband and wife (0: none) and children in order; returns
  // its number (@F<n>@).
  int Family(int husband, int wife, const std::vector<int>& children = {},
             const std::string& date = "", const std::string& place = "") {
    families_.push_back({husband, wife, children, date, place});
    const int f = int(families_.size());
    if (husband) people_[std::size_t(husband - 1)].fams.push_back(f);
    if (wife) people_[std::size_t(wife - 1)].fams.push_back(f);
    for (int c : children) people_[std::size_t(c - 1)].famc.push_back(f);
    return f;
  }
  // A couple with a family: "Given /Surname/" names from the surname.
  int Couple(const std::string& surname, const std::string& husbandGiven,
             const std::string& wifeGiven, const std::vector<int>& children = {}) {
    const int h = Person(husbandGiven + " /" + surname + "/", 1);
    const int w = Person(wifeGiven + " /Wife/", 0);
    return Family(h, w, children);
  }
  int HusbandOf(int family) const { return families_[std::size_t(family - 1)].husband; }
  int WifeOf(int family) const { return families_[std::size_t(family - 1)].wife; }

  std::string Text() const {
    std::string t = "0 HEAD\n1 CHAR ANSI\n";
    for (std::size_t i = 0; i < people_.size(); ++i) {
      const P& p = people_[i];
      t += "0 @I" + std::to_string(i + 1) + "@ INDI\n1 NAME " + p.name + "\n1 SEX " +
           (p.sex == 1 ? "M" : "F") + "\n";
      if (!p.birth.empty()) t += "1 BIRT\n2 DATE " + p.birth + "\n";
      for (int f : p.fams) t += "1 FAMS @F" + std::to_string(f) + "@\n";
      for (int f : p.famc) t += "1 FAMC @F" + std::to_string(f) + "@\n";
    }
    for (std::size_t i = 0; i < families_.size(); ++i) {
      const F& f = families_[i];
      t += "0 @F" + std::to_string(i + 1) + "@ FAM\n";
      if (f.husband) t += "1 HUSB @I" + std::to_string(f.husband) + "@\n";
      if (f.wife) t += "1 WIFE @I" + std::to_string(f.wife) + "@\n";
      if (!f.date.empty() || !f.place.empty()) {
        t += "1 MARR\n";
        if (!f.date.empty()) t += "2 DATE " + f.date + "\n";
        if (!f.place.empty()) t += "2 PLAC " + f.place + "\n";
      }
      for (int c : f.children) t += "1 CHIL @I" + std::to_string(c) + "@\n";
    }
    return t + "0 TRLR\n";
  }

  // Loads the text into store (a fresh load each time).
  void LoadInto(RecordStore& store) const {
    std::string summary;
    ASSERT_EQ(LoadDataSourceBytes(store, Text(), LoadOptions{}, summary), 0);
  }

 private:
  struct P {
    std::string name;
    int sex;
    std::string birth;
    std::vector<int> fams, famc;
  };
  struct F {
    int husband, wife;
    std::vector<int> children;
    std::string date, place;
  };
  std::vector<P> people_;
  std::vector<F> families_;
};

// A full pedigree of the given depth above one base person: returns the
// base's number. Family numbers follow the Ahnentafel order of the
// couples (the base's parents are family 1).
inline int Pedigree(GedcomBuilder& b, int generations) {
  const int base = b.Person("Base /Person/", 0, "1990");
  std::vector<int> children{base};
  for (int g = 0; g < generations; ++g) {
    std::vector<int> next;
    for (int c : children) {
      const int h =
          b.Person("Father" + std::to_string(c) + " /Line/", 1, std::to_string(1960 - 30 * g));
      const int w = b.Person("Mother" + std::to_string(c) + " /Line/", 0);
      b.Family(h, w, {c});
      next.push_back(h);
      next.push_back(w);
    }
    children = next;
  }
  return base;
}

}  // namespace dv::testing

#include "charts/full/FullChart.h"

namespace dv::testing {

// Checks what a reader of the printed pages checks: on every page no two
// texts overlap, no rule crosses a text, every item lies in the page's
// usable area; and every line of descent reaches both of its ends. Returns
// the faults found, one a line (empty: none).
inline std::string ChartFaults(const FullChart& chart) {
  std::string faults;
  const FullChartStorage* s = chart.Storage();
  if (s == nullptr) return "no chart\n";
  const FullChartExtent& e = chart.Extent();
  const int U = e.usableColumns, V = e.usableLines;
  struct Span {
    int line, from, to;  // text cells [from, to) on line
  };
  std::map<int, std::vector<Span>> texts;  // by page
  for (const DisplayItem& it : s->items) {
    if (it.kind != kFcText) continue;
    const int n = int(s->texts[std::size_t(it.text)].size());
    texts[it.page].push_back({it.line, it.column, it.column + n});
    if (it.column / U != (it.column + n - 1) / U) faults += "text across a page edge\n";
  }
  for (auto& [page, spans] : texts) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
      return std::tie(a.line, a.from) < std::tie(b.line, b.from);
    });
    for (std::size_t i = 1; i < spans.size(); ++i)
      if (spans[i].line == spans[i - 1].line && spans[i].from < spans[i - 1].to)
        faults += "texts overlap on page " + std::to_string(page) + " line " +
                  std::to_string(spans[i].line) + "\n";
  }
  for (const DisplayItem& it : s->items) {
    if (it.page != PageOfCell(e, it.column, it.line)) faults += "item on the wrong page\n";
    if (it.kind == kFcText) continue;
    const auto& spans = texts[it.page];
    if (it.kind == kFcHorizontal) {
      // A rule on line L runs between lines L - 1 and L: it crosses no text.
      if ((it.column % U) + it.length > U) faults += "horizontal line across a page edge\n";
      continue;
    }
    // A box: its left and right edges are its vertical lines.
    const bool box = it.kind == kFcBox;
    const int width = box ? it.text & 0xFFFF : 0;
    const int length = box ? (it.text >> 16) & 0x7FFF : it.length;
    if (box && (it.column % U) + width > U) faults += "box across a page edge\n";
    if ((it.line % V) + length > V) faults += "vertical line across a page edge\n";
    for (int edge = 0; edge < (box ? 2 : 1); ++edge)
      for (const Span& t : spans)
        if (const int column = it.column + edge * width;
            t.line >= it.line && t.line < it.line + length && column > t.from && column < t.to)
          faults += "vertical line through text at line " + std::to_string(t.line) + "\n";
  }
  return faults;
}

}  // namespace dv::testing
