#include "charts/full/BoxGroups.h"

#include <algorithm>
#include <cstring>

#include "data/Names.h"
#include "data/RecordStore.h"

namespace dv {

namespace {

constexpr std::size_t kMaxLine = 63;  // a box text slot holds 63 characters

std::string Cut(std::string text) {
  if (text.size() > kMaxLine) text.resize(kMaxLine);
  return text;
}

// The year that ends a date, when it is a number of 4 digits.
std::string FourDigitYear(const std::string& date) {
  const std::size_t n = date.size();
  if (n < 4) return {};
  for (std::size_t i = n - 4; i < n; ++i)
    if (date[i] < '0' || date[i] > '9') return {};
  if (n > 4 && date[n - 5] >= '0' && date[n - 5] <= '9') return {};
  return date.substr(n - 4);
}

// The event letters of a date text ("b", "c", "d", "bd") and a space.
std::string EventPrefix(const std::string& date, const char* fallback) {
  const std::size_t space = date.find(' ');
  std::string letters = space == std::string::npos ? std::string(fallback) : date.substr(0, space);
  return letters + " ";
}

bool InChart(const FullChartStorage& s, std::int32_t family) {
  return family > 0 && std::size_t(family) < s.families.size() &&
         s.families[std::size_t(family)].placed;
}

bool HeadsBoxBelow(const FullChartStorage& s, std::int32_t child) {
  return child > 0 && std::size_t(child) < s.individuals.size() &&
         s.individuals[std::size_t(child)].mark > 0;
}

// The data lines of a person: birth date and place, death date and place,
// as the four checks choose.
void DataLines(const IndividualSummary* p, const bool (&checks)[4], bool blank,
               std::vector<std::string>& out) {
  auto add = [&](std::string line) {
    if (line.size() >= 4 || blank) out.push_back(Cut(std::move(line)));
  };
  if (p == nullptr) {
    // A missing partner: empty lines for the birth lines when they are kept.
    if (blank) {
      if (checks[0]) out.emplace_back();
      if (checks[1]) out.emplace_back();
    }
    return;
  }
  const std::string birth = std::string(p->birthDate.view()),
                    birthPlace = std::string(p->birthPlace.view());
  const std::string death = std::string(p->deathDate.view()),
                    deathPlace = std::string(p->deathPlace.view());
  bool birthWritten = false;
  if (checks[0]) {
    const std::string line = birth.empty() ? std::string("b") : birth;
    birthWritten = line.size() >= 4 || blank;
    add(line);
  }
  if (checks[1])
    add(birthPlace.empty() ? birthPlace
                           : (birthWritten ? "" : EventPrefix(birth, "b")) + birthPlace);
  if (death.empty() && !blank) return;  // no death date: no death place either
  bool deathWritten = false;
  if (checks[2] && !death.empty()) {
    deathWritten = death.size() >= 4 || blank;
    add(death);
  }
  if (checks[3] && !death.empty())
    add(deathPlace.empty() ? deathPlace
                           : (deathWritten ? "" : EventPrefix(death, "d")) + deathPlace);
}

bool WifeFirst(const RecordStore& store, const FullChartStorage& s, const BoxOptions& o,
               const FamilySummary& f) {
  if (o.maleFirst) return false;
  const IndividualSummary* h = f.husband ? store.Individual(f.husband) : nullptr;
  const IndividualSummary* w = f.wife ? store.Individual(f.wife) : nullptr;
  return !(h && InChart(s, h->parentFamily)) && w && InChart(s, w->parentFamily);
}

}  // namespace

std::string ShortChildLine(const RecordStore& store, std::int32_t child) {
  std::string line = FirstNames(store, child);
  const IndividualSummary* p = store.Individual(child);
  if (p == nullptr) return line;
  const std::string birth = std::string(p->birthDate.view()),
                    death = std::string(p->deathDate.view());
  const std::string b = FourDigitYear(birth), d = FourDigitYear(death);
  if (!b.empty()) line += " " + birth.substr(0, 1) + b;
  if (!d.empty()) line += (b.empty() ? " d" : ", d") + d;
  return Cut(line);
}

std::vector<std::string> BoxLines(const RecordStore& store, const FullChartStorage& s,
                                  const FullChartOptions& options, std::int32_t family,
                                  int* secondSpouse) {
  std::vector<std::string> lines;
  const FamilySummary* f = store.Family(family);
  if (f == nullptr) return lines;
  const BoxOptions& o = options.box;
  const bool wifeFirst = WifeFirst(store, s, o, *f);
  const bool spouseChecks[4] = {o.spouse[0], o.spouse[1], o.spouse[2], o.spouse[3]};
  auto spouse = [&](std::int32_t person) {
    const IndividualSummary* p = person > 0 ? store.Individual(person) : nullptr;
    lines.push_back(ShownName(store, person));
    if (o.occupation) {
      const std::string occupation = p ? std::string(p->occupation.view()) : std::string();
      if (!occupation.empty() || o.blankLines) lines.push_back(Cut(occupation));
    }
    DataLines(p, spouseChecks, o.blankLines, lines);
  };
  spouse(wifeFirst ? f->wife : f->husband);

  // The marriage.
  const bool wantDate = o.spouse[4], wantPlace = o.spouse[5];
  const std::string date = std::string(f->marriageDate.view()),
                    place = std::string(f->marriagePlace.view());
  const std::string dateText = date.empty() ? std::string("m") : date;
  if (!wantDate && !wantPlace) {
    lines.emplace_back("m");
  } else if (wantDate && wantPlace &&
             ((dateText.size() >= 3 && place.size() >= 3) || o.blankLines)) {
    lines.push_back(Cut(dateText));
    lines.push_back(Cut(place));
  } else if (wantPlace && (!wantDate || dateText.size() < 3) && !o.blankLines) {
    lines.push_back(place.size() >= 4 && place.size() <= 57 ? "m " + place : std::string("m"));
  } else {
    lines.push_back(Cut(wantDate ? dateText : place));
  }

  if (secondSpouse) *secondSpouse = int(lines.size());
  spouse(wifeFirst ? f->husband : f->wife);

  const bool childChecks[4] = {o.child[0], o.child[1], o.child[2], o.child[3]};
  for (int i = 0; i < kMaxChildren && f->children[i] != 0; ++i) {
    const std::int32_t c = f->children[i];
    const bool heads = HeadsBoxBelow(s, c);
    if (o.excludeMarried && heads) continue;
    if (o.fullChildNames) {
      lines.push_back(ShownName(store, c));
    } else if (o.shortChildLines()) {
      lines.push_back(ShortChildLine(store, c));
    } else {
      lines.push_back(FirstNames(store, c));
    }
    const bool inChart =
        std::size_t(c) < s.individuals.size() && s.individuals[std::size_t(c)].mark != 0;
    if (!o.shortChildLines() && !(o.noDuplicate && inChart))
      DataLines(store.Individual(c), childChecks, o.blankLines, lines);
  }
  return lines;
}

int BoxStyle::Format(std::int32_t family) {
  const FamilySummary* f = store_.Family(family);
  if (f == nullptr) return kMsgFcData;
  FamilyWork& w = s_.families[std::size_t(family)];
  const std::vector<std::string> lines = BoxLines(store_, s_, options_, family);
  int widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, int(line.size()));
  int slots = 0;
  for (int i = 0; i < kMaxChildren && f->children[i] != 0; ++i)
    slots += HeadsBoxBelow(s_, f->children[i]);
  w.wifeFirst = WifeFirst(store_, s_, options_.box, *f);
  w.width = std::max(widest + 2, slots + 1);
  w.boxHeight = int(lines.size());
  w.childrenState = slots > 0 ? 1 : -1;
  int k = 0;
  for (int i = 0; i < kMaxChildren && f->children[i] != 0; ++i) {
    w.childOffset[i] = 0;
    w.childWidth[i] = 0;
    if (HeadsBoxBelow(s_, f->children[i])) w.childOffset[i] = ++k * (w.width / (slots + 1));
  }
  const int first = w.width / 3, second = w.width - first;
  w.connection[0] = w.wifeFirst ? second : first;
  w.connection[1] = w.wifeFirst ? first : second;
  w.coupleOffset = 0;
  w.childrenOffset = 0;
  return 0;
}

// A box's edges stand half a line above its first text line and half a
// line below its last: it takes one line more than its texts.
int BoxStyle::Height(std::int32_t family) const {
  return s_.families[std::size_t(family)].boxHeight + 1;
}

bool BoxStyle::HasChildrenLine(std::int32_t family) const {
  return s_.families[std::size_t(family)].childrenState >= 0;
}

ChildPlace BoxStyle::Child(std::int32_t family, int child) const {
  const FamilyWork& w = s_.families[std::size_t(family)];
  ChildPlace p;
  p.column = w.column + w.childOffset[child];
  p.lineOffset = w.boxHeight + 1;  // from the bottom edge
  return p;
}

int BoxStyle::Connection(std::int32_t family, int side) const {
  const FamilyWork& w = s_.families[std::size_t(family)];
  return w.column + w.connection[side != 0 ? 1 : 0];
}

bool BoxStyle::Chained(std::int32_t left, std::int32_t right) const {
  return MarriagesOfOnePerson(store_, left, right);
}

int BoxStyle::Compose(std::int32_t family, int line) {
  const FamilyWork& w = s_.families[std::size_t(family)];
  int secondSpouse = 0;
  const std::vector<std::string> lines = BoxLines(store_, s_, options_, family, &secondSpouse);
  if (int(lines.size()) > w.boxHeight) return kMsgFcData;
  const int colour = std::clamp(int(w.colour), 1, 16) - 1;
  DisplayItem it;
  it.column = w.column;
  it.line = line;
  // Filled with the family's colour, or framed by its four edges.
  it.kind = kFcBox;
  it.style = std::int16_t(options_.box.colourBoxes ? colour : kFcFramedBox);
  it.text = std::int32_t(w.width & 0xFFFF) | std::int32_t(((w.boxHeight + 1) & 0x7FFF) << 16);
  s_.items.push_back(it);
  // A chain of marriages: a short line from the shared spouse's name to
  // the next box, through the middle of the name's line.
  if (w.chainNext > 0) {
    const FamilySummary* f = store_.Family(family);
    const FamilySummary* next = store_.Family(w.chainNext);
    const std::int32_t first = w.wifeFirst ? f->wife : f->husband;
    const bool firstShared =
        first != 0 && next != nullptr && (first == next->husband || first == next->wife);
    const int nextColumn = s_.families[std::size_t(w.chainNext)].column;
    DisplayItem link;
    link.kind = kFcHorizontal;
    link.column = w.column + w.width;
    link.line = line + (firstShared ? 0 : secondSpouse) + 1;
    link.length = std::int16_t(std::clamp(nextColumn - link.column, 0, 32767));
    if (link.length > 0) s_.items.push_back(link);
  }
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (lines[k].empty()) continue;
    DisplayItem t;
    t.column = w.column + 1;
    t.line = line + int(k);
    t.kind = kFcText;
    t.style = std::int16_t(colour);
    t.text = StoreText(s_, lines[k], std::max(1, w.width - 1));
    s_.items.push_back(t);
  }
  return 0;
}

}  // namespace dv
