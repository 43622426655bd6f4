#include "charts/full/TreeGroups.h"

#include <algorithm>
#include <cstring>

#include "common/StringTable.h"
#include "data/Names.h"
#include "data/RecordStore.h"

namespace dv {

namespace {

constexpr std::size_t kMaxText = 63;  // longest text a group writes
constexpr int kMinNameColumns = 4;

std::string Cut(std::string text) {
  if (text.size() > kMaxText) text.resize(kMaxText);
  return text;
}

std::string Spaces(std::string text) {
  std::replace(text.begin(), text.end(), '_', ' ');
  return text;
}

int Columns(const std::string& text) { return std::max(int(text.size()), kMinNameColumns); }

// Whether child i of the family stands as a slot (a line of descent drops
// from it to the family it heads below).
bool IsSlot(const FullChartStorage& s, std::int32_t child) {
  return child > 0 && std::size_t(child) < s.individuals.size() &&
         s.individuals[std::size_t(child)].mark > 0;
}

const char* Connector(bool equals) { return equals ? "= " : "m "; }

}  // namespace

std::string ShownName(const RecordStore& store, std::int32_t individual) {
  const IndividualSummary* p = individual > 0 ? store.Individual(individual) : nullptr;
  if (p == nullptr) return std::string(StringText(kLblUnknown));
  return Cut(Spaces(std::string(p->displayName.view())));
}

std::string FirstNames(const RecordStore& store, std::int32_t individual) {
  const IndividualSummary* p = individual > 0 ? store.Individual(individual) : nullptr;
  if (p == nullptr) return std::string(StringText(kLblUnknown));
  std::string name(p->displayName.view());
  const std::size_t space = name.rfind(' ');
  if (space != std::string::npos && space > 0) name.resize(space);
  return Cut(Spaces(name));
}

namespace {

// The last number of the marriage date, when it has at most 4 characters.
std::string MarriageYear(const FamilySummary& f) {
  const std::string date(f.marriageDate.view());
  std::string year;
  const std::size_t end = date.find_last_of("0123456789");
  if (end != std::string::npos) {
    std::size_t begin = end;
    while (begin > 0 && date[begin - 1] >= '0' && date[begin - 1] <= '9') --begin;
    if (end - begin + 1 <= 4) year = date.substr(begin, end - begin + 1);
  }
  return year;
}

constexpr std::size_t kNumberedNameLimit = 39;  // longer names carry no number

}  // namespace

std::string MarriageText(const FamilySummary& f) {
  const std::string place(f.marriagePlace.view());
  const std::string year = MarriageYear(f);
  if (place.empty() && year.empty()) return {};
  std::string text = "(" + place;
  if (!place.empty() && !year.empty()) text += ", ";
  text += year;
  // The closing parenthesis survives a cut.
  if (text.size() > kMaxText - 1) text.resize(kMaxText - 1);
  return text + ")";
}

std::string ChildText(const RecordStore& store, const FullChartStorage& s, std::int32_t child,
                      bool equals) {
  std::string text = FirstNames(store, child);
  const std::int32_t mark =
      std::size_t(child) < s.individuals.size() ? s.individuals[std::size_t(child)].mark : 0;
  if (mark < 0) {
    if (const FamilySummary* f = store.Family(-mark)) {
      const std::int32_t spouse = f->husband == child ? f->wife : f->husband;
      text += std::string(" ") + Connector(equals) + ShownName(store, spouse);
    }
  }
  return Cut(text);
}

std::int32_t SharedSpouse(const FamilySummary& a, const FamilySummary& b) {
  if (a.husband != 0 && (a.husband == b.husband || a.husband == b.wife)) return a.husband;
  if (a.wife != 0 && (a.wife == b.wife || a.wife == b.husband)) return a.wife;
  return 0;
}

CoupleNames TreeCoupleNames(const RecordStore& store, const FullChartStorage& s,
                            std::int32_t family) {
  CoupleNames names;
  const FamilySummary* f = store.Family(family);
  if (f == nullptr) return names;
  const FamilyWork& w = s.families[std::size_t(family)];
  const std::int32_t first = w.wifeFirst ? f->wife : f->husband;
  const std::int32_t second = w.wifeFirst ? f->husband : f->wife;
  names.first = ShownName(store, first);
  names.second = ShownName(store, second);
  if (w.chainNumber <= 0) return names;
  const std::string number = std::to_string(w.chainNumber);
  // The shared spouse stands first after an earlier marriage, else second.
  if (w.chainPrev > 0) {
    if (names.first.size() < kNumberedNameLimit) names.first = Cut(names.first + " " + number);
  } else if (names.second.size() < kNumberedNameLimit) {
    names.second = Cut(number + " " + names.second);
  }
  return names;
}

int TreeGroupHeight(const FamilyWork& w) {
  if (w.childrenState < 0) return 2;
  return w.childrenState == 3 ? 7 + kTreeFoldStep : 7;
}

int FormatTreeGroup(const RecordStore& store, const FullChartOptions& o, FullChartStorage& s,
                    std::int32_t family) {
  const FamilySummary* f = store.Family(family);
  if (f == nullptr) return kMsgFcData;
  FamilyWork& w = s.families[std::size_t(family)];
  // In a chain of marriages the shared spouse stands next to the
  // neighbouring marriage: second in the chain's first group, first after.
  w.wifeFirst = false;
  const FamilySummary* prev = w.chainPrev > 0 ? store.Family(w.chainPrev) : nullptr;
  const FamilySummary* next = w.chainNext > 0 ? store.Family(w.chainNext) : nullptr;
  if (prev != nullptr) {
    w.wifeFirst = f->wife != 0 && SharedSpouse(*f, *prev) == f->wife;
  } else if (next != nullptr) {
    w.wifeFirst = f->husband != 0 && SharedSpouse(*f, *next) == f->husband;
  }
  const CoupleNames names = TreeCoupleNames(store, s, family);
  w.nameWidth[0] = Columns(names.first);
  w.nameWidth[1] = Columns(names.second);
  const int coupleWidth = w.nameWidth[0] + 3 + w.nameWidth[1];
  w.dropColumn = w.nameWidth[0] + 2;
  const int c1 = w.nameWidth[0] / 2, c2 = w.nameWidth[0] + 3 + w.nameWidth[1] / 2;
  w.connection[0] = w.wifeFirst ? c2 : c1;  // husband's
  w.connection[1] = w.wifeFirst ? c1 : c2;  // wife's

  int n = 0;
  while (n < kMaxGroupChildren && f->children[n] != 0) ++n;
  int firstSlot = -1;
  for (int i = 0; i < n; ++i) {
    w.childWidth[i] =
        IsSlot(s, f->children[i]) ? 2 : Columns(ChildText(store, s, f->children[i], o.equals));
    if (firstSlot < 0 && IsSlot(s, f->children[i])) firstSlot = i;
  }
  // Lays children from..to-1 out on one line from offset 0; returns its width.
  auto lay = [&](int from, int to) {
    int x = 0;
    for (int i = from; i < to; ++i) {
      const bool slot = IsSlot(s, f->children[i]);
      if (i > from) {
        x += 1;
        if (slot) x += 1 + (IsSlot(s, f->children[i - 1]) ? 1 : 0);
      }
      w.childOffset[i] = x;
      x += w.childWidth[i];
    }
    return x;
  };

  w.childrenOffset = 0;
  w.coupleOffset = 0;
  w.firstLineCount = std::int16_t(n);
  w.joinOffset = 0;
  // In a chain the marriage shows its year alone.
  std::string marriage;
  if (!o.birthNotMarriage) {
    if (w.chainNumber <= 0) {
      marriage = MarriageText(*f);
    } else if (const std::string year = MarriageYear(*f); !year.empty()) {
      marriage = "(" + year + ")";
    }
  }
  std::snprintf(w.marriageText, sizeof w.marriageText, "%s", marriage.c_str());
  if (n == 0) {
    w.childrenState = -1;
    w.width = coupleWidth;
  } else {
    w.childrenState = std::int16_t(n == 1 ? 0 : (n > 4 ? 2 : 1));
    int lineWidth = lay(0, n);
    int spanFirst = w.childOffset[0] + w.childWidth[0] / 2;
    int spanLast = w.childOffset[n - 1] + w.childWidth[n - 1] / 2;
    const bool foldable = n > 4 && (firstSlot < 0 || (firstSlot >= 2 && lineWidth > coupleWidth));
    if (o.fold && foldable) {
      int keep = (n + 1) / 2;
      if (firstSlot >= 0) keep = std::min(keep, firstSlot);
      const int width1 = lay(0, keep);
      w.joinOffset = width1 + 1;
      const int width2 = lay(keep, n);
      w.childrenState = 3;
      w.firstLineCount = std::int16_t(keep);
      lineWidth = std::max(width1 + 2, width2);
      spanFirst = w.childOffset[0] + w.childWidth[0] / 2;
      spanLast = w.joinOffset;
    }
    const int span = spanLast - spanFirst;
    if (span < coupleWidth) {
      int shift = w.dropColumn - (spanFirst + span / 2);
      shift = std::min(shift, coupleWidth - spanLast);
      if (shift < 0) {
        w.coupleOffset = -shift;
        w.childrenOffset = 0;
      } else {
        w.childrenOffset = shift;
      }
      w.width = std::max(w.coupleOffset + coupleWidth, w.childrenOffset + lineWidth);
    } else {
      w.coupleOffset = (span - coupleWidth) / 2 + spanFirst;
      w.width = std::max(lineWidth, w.coupleOffset + coupleWidth);
    }
  }
  // The marriage text centred on the drop column, inside the group.
  const int textWidth = int(std::strlen(w.marriageText));
  if (textWidth > w.width) {
    const int excess = textWidth - w.width;
    w.coupleOffset += excess / 2;
    w.childrenOffset += excess / 2;
    w.width = textWidth;
  }
  w.marriageOffset = std::clamp(w.coupleOffset + w.dropColumn - textWidth / 2, 0,
                                std::max(0, w.width - textWidth));
  return 0;
}

ChildPlace TreeChildPlace(const FamilyWork& w, int child) {
  ChildPlace p;
  p.column = w.column + w.childrenOffset + w.childOffset[child] + w.childWidth[child] / 2;
  if (w.childrenState == 3 && child >= w.firstLineCount) p.lineOffset += kTreeFoldStep;
  return p;
}

std::int32_t StoreText(FullChartStorage& s, std::string text, int room) {
  s.texts.push_back(std::move(text));
  s.textRoom.resize(s.texts.size(), 0);
  s.textRoom.back() = room;
  return std::int32_t(s.texts.size()) - 1;
}

namespace {

void AddText(FullChartStorage& s, int column, int line, std::string text, int room = 0) {
  if (text.empty()) return;
  DisplayItem it;
  it.column = column;
  it.line = line;
  it.kind = kFcText;
  it.text = StoreText(s, std::move(text), room);
  s.items.push_back(it);
}

void AddRule(FullChartStorage& s, int kind, int column, int line, int length, int style = 0) {
  if (length <= 0) return;
  DisplayItem it;
  it.column = column;
  it.line = line;
  it.kind = std::int16_t(kind);
  it.length = std::int16_t(std::min(length, 32767));
  it.style = std::int16_t(style);
  s.items.push_back(it);
}

std::string YearText(const RecordStore& store, std::int32_t individual) {
  const IndividualSummary* p = individual > 0 ? store.Individual(individual) : nullptr;
  return p == nullptr ? std::string() : std::string(p->birthYear.view());
}

}  // namespace

int ComposeTreeGroup(const RecordStore& store, const FullChartOptions& o, FullChartStorage& s,
                     std::int32_t family, int C) {
  const FamilySummary* f = store.Family(family);
  if (f == nullptr) return kMsgFcData;
  const FamilyWork& w = s.families[std::size_t(family)];
  const std::int32_t first = w.wifeFirst ? f->wife : f->husband;
  const std::int32_t second = w.wifeFirst ? f->husband : f->wife;
  const int couple = w.column + w.coupleOffset;
  const CoupleNames names = TreeCoupleNames(store, s, family);
  AddText(s, couple, C, names.first, w.nameWidth[0]);
  AddText(s, couple + w.nameWidth[0] + 1, C, Connector(o.equals));
  AddText(s, couple + w.nameWidth[0] + 3, C, names.second, w.nameWidth[1]);
  // After an earlier marriage of the chain: the shared spouse's two names,
  // 6 columns apart, must fit from the start of the earlier group's second
  // name to the end of this group's first.
  if (w.chainPrev > 0 && std::size_t(w.chainPrev) < s.families.size()) {
    const FamilyWork& p = s.families[std::size_t(w.chainPrev)];
    FullChartStorage::ChainRoom room;
    room.left = TreeCoupleNames(store, s, w.chainPrev).second;
    room.right = names.first;
    room.span = couple + w.nameWidth[0] - (p.column + p.coupleOffset + p.nameWidth[0] + 3);
    s.chainRooms.push_back(std::move(room));
  }
  if (o.birthNotMarriage) {
    const int starts[2] = {couple, couple + w.nameWidth[0] + 3};
    const std::int32_t people[2] = {first, second};
    for (int k = 0; k < 2; ++k) {
      const std::string year = YearText(store, people[k]);
      if (w.nameWidth[k] > 3 && !year.empty())
        AddText(s, starts[k] + (w.nameWidth[k] - int(year.size())) / 2, C + 1, year);
    }
  } else {
    AddText(s, w.column + w.marriageOffset, C + 1, w.marriageText);
  }
  if (w.childrenState < 0) return 0;

  int n = 0;
  while (n < kMaxGroupChildren && f->children[n] != 0) ++n;
  const int K = C + kTreeChildrenLine;
  const int drop = couple + w.dropColumn;
  const int dropStart = o.birthNotMarriage ? C + 2 : C + 3;
  AddRule(s, kFcVertical, drop, dropStart, K - (n == 1 ? 0 : 1) - dropStart);

  const int line1 = w.childrenState == 3 ? w.firstLineCount : n;
  // A bar over children from..to-1 that also reaches the columns a and b
  // (the drop line, the line joining a folded group's two bars).
  auto bar = [&](int from, int to, int barLine, int a, int b) {
    int lo = std::min(a, b), hi = std::max(a, b);
    for (int i = from; i < to; ++i) {
      const int c = TreeChildPlace(w, i).column;
      lo = std::min(lo, c);
      hi = std::max(hi, c);
      AddRule(s, kFcVertical, c, barLine, 1);
    }
    AddRule(s, kFcHorizontal, lo, barLine, hi - lo);
  };
  if (n > 1) {
    const int join = w.column + w.childrenOffset + w.joinOffset;
    bar(0, line1, K - 1, drop, w.childrenState == 3 ? join : drop);
    if (w.childrenState == 3) {
      bar(line1, n, K - 1 + kTreeFoldStep, join, join);
      AddRule(s, kFcVertical, join, K - 1, kTreeFoldStep);
    }
  }
  for (int i = 0; i < n; ++i) {
    const std::int32_t c = f->children[i];
    if (IsSlot(s, c)) continue;
    const ChildPlace p = TreeChildPlace(w, i);
    const int left = w.column + w.childrenOffset + w.childOffset[i];
    AddText(s, left, C + p.lineOffset, ChildText(store, s, c, o.equals));
    const std::string year = YearText(store, c);
    if (!year.empty()) AddText(s, p.column - int(year.size()) / 2, C + p.lineOffset + 1, year);
  }
  return 0;
}

}  // namespace dv
