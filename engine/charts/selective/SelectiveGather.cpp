#include "charts/selective/SelectiveGather.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "charts/selective/BirthBriefTables.h"
#include "data/Names.h"
#include "data/RecordStore.h"

namespace dv {

namespace {

std::string Number(std::int64_t n) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(n));
  return text;
}

// Puts the shared column width to 29 for the gathering and back at the end,
// whichever way the gathering ends.
class ColumnWidthScope {
 public:
  explicit ColumnWidthScope(int* width) : width_(width) {
    if (width_ != nullptr) {
      kept_ = *width_;
      *width_ = kGatherWidth;
    }
  }
  ~ColumnWidthScope() {
    if (width_ != nullptr) *width_ = kept_;
  }
  ColumnWidthScope(const ColumnWidthScope&) = delete;
  ColumnWidthScope& operator=(const ColumnWidthScope&) = delete;

 private:
  int* width_;
  int kept_ = 0;
};

const IndividualSummary* FindIndividual(const RecordStore& store, std::int32_t id) {
  if (id <= 0) return nullptr;
  const IndividualSummary* p = store.Individual(id);
  return p != nullptr && p->id != 0 ? p : nullptr;
}

// The walk's reading of the record store.
class StoreSource final : public WalkSource {
 public:
  explicit StoreSource(const RecordStore& store) : store_(store) {}
  bool Person(std::int32_t id, WalkPerson& out) override {
    const IndividualSummary* p = FindIndividual(store_, id);
    if (p == nullptr) return false;
    out.name = std::string(p->displayName.view());
    out.parentFamily = p->parentFamily;
    out.birthYear = YearOf(p->birthDate.view());
    return true;
  }
  bool Family(std::int32_t id, WalkFamily& out) override {
    if (id <= 0) return false;
    const FamilySummary* f = store_.Family(id);
    if (f == nullptr || f->id == 0) return false;
    out.husband = f->husband > 0 ? f->husband : 0;
    out.wife = f->wife > 0 ? f->wife : 0;
    out.children.clear();
    for (int c = 0; c < kMaxChildren && f->children[c] > 0; ++c) out.children.push_back(f->children[c]);
    out.marriagePlace = std::string(f->marriagePlace.view());
    out.marriageYear = YearOf(f->marriageDate.view());
    return true;
  }
  void SpouseFamilies(std::int32_t person, std::int32_t present,
                      std::vector<std::int32_t>& out) override {
    const IndividualSummary* p = FindIndividual(store_, person);
    // One marriage, read from the summary without a search.
    if (p != nullptr && p->moreMarriages == 0 && p->spouseFamily == present) {
      out.assign(1, present);
      return;
    }
    out = store_.FamiliesOf(person, true);
  }

 private:
  const RecordStore& store_;
};

// Whether key descends from (or is) ancestor: halving key reaches it.
bool DescendsFrom(std::int32_t key, std::int32_t ancestor) {
  if (key <= 0 || ancestor <= 0) return false;
  while (key > ancestor) key >>= 1;
  return key == ancestor;
}

// The generation walk over the record store.
class Walk {
 public:
  Walk(const SelectiveGatherInput& in, WalkSource& source, SelectiveTables& t,
       const SelectivePrompter& p)
      : in_(in), source_(source), t_(t), p_(p) {}

  int Run();

 private:
  int Fail(int id, std::int64_t number) {
    p_.Show(id, Number(number));
    return -1;
  }
  int Stop(int id) {
    p_.Show(id);
    return id;
  }
  int Family(int track, int slot);
  int Remarriage(std::int32_t person, std::int32_t family, std::int32_t key, bool husband,
                 std::uint16_t& marriageNumber);
  int FindCousins(int slot);

  const SelectiveGatherInput& in_;
  WalkSource& source_;
  SelectiveTables& t_;
  const SelectivePrompter& p_;
  std::array<std::array<std::int32_t, kGridSlots>, kTracks> husbands_{};
  std::array<std::array<std::int32_t, kGridSlots>, kTracks> wives_{};
  int nextGroup_ = 1;
  int nextChild_ = 1;
  int remarriages_ = 0;
  bool first_ = true;
};

int Walk::Run() {
  const int start = t_.startSlot;
  t_.Cell(0, start).ref = in_.baseIndex;
  husbands_[0][start] = in_.baseIndex;
  int last = start;
  bool inRemarriages = false;
  for (int g = start; g < kGridSlots;) {
    bool any = false;
    for (int l = 0; l < kTracks; ++l) {
      if (t_.Cell(l, g).ref == 0) continue;
      any = true;
      if (int rc = Family(l, g)) return rc;
    }
    last = g;
    if (g <= 30)
      if (int rc = FindCousins(g + 1)) return rc;
    if (!any) {
      if (inRemarriages || remarriages_ == 0 || g >= kRemarriageSlot) break;
      inRemarriages = true;
      g = kRemarriageSlot;
      continue;
    }
    ++g;
    if (g == kRemarriageSlot) inRemarriages = true;
  }
  // Keys of cells the walk could not reach (an unknown family as child)
  // are dropped from the top of the walk upwards.
  for (int s = std::max(0, last - 1); s <= 34; ++s)
    for (int l = 0; l < kTracks; ++l)
      if (t_.Cell(l, s).ref == 0) t_.Cell(l, s).key = 0;
  t_.groupCount = nextGroup_ - 1;
  t_.childCount = nextChild_ - 1;
  return 0;
}

int Walk::Family(int l, int g) {
  GridCell& cell = t_.Cell(l, g);
  const std::int32_t K = cell.key;
  if (first_) {
    first_ = false;
    WalkPerson base;
    if (!source_.Person(cell.ref, base)) return Fail(kMsgReferenceNotFound, cell.ref);
    t_.baseId = cell.ref;
    t_.baseName = base.name.substr(0, 63);
    cell.ref = base.parentFamily;
    // Without parents there is no family to start from.
    if (cell.ref <= 0) return Stop(kMsgDataError);
  }
  WalkFamily fam;
  if (!source_.Family(cell.ref, fam)) return Fail(kMsgReferenceNotFound, cell.ref);
  if (nextGroup_ >= kGroupCapacity) return Stop(kMsgTooManyFamilies);

  FamilyGroup& group = t_.groups[nextGroup_];
  group = FamilyGroup{};
  group.key = K;
  group.slot = g;
  group.family = cell.ref;
  group.husbandId = fam.husband > 0 ? fam.husband : 0;
  group.wifeId = fam.wife > 0 ? fam.wife : 0;
  if (in_.options.birthMarriage) {
    std::string line = EventLine('m', fam.marriagePlace, fam.marriageYear, kGatherWidth);
    if (line.size() > 29) line.resize(29);
    // A marriage with neither place nor year leaves no empty brackets.
    if (!line.empty()) SetField(group.marriage, "(" + line + ")");
  }
  if (g < 31) {
    husbands_[l][g + 1] = group.husbandId;
    wives_[l][g + 1] = group.wifeId;
  }

  const int childCount = int(fam.children.size());
  if (childCount >= kGroupChildren) return Stop(kMsgTooManyChildrenInFamily);

  // The couple.
  std::int32_t parentFamilies[2] = {0, 0};
  const std::int32_t spouses[2] = {group.husbandId, group.wifeId};
  for (int side = 0; side < 2; ++side) {
    const std::int32_t id = spouses[side];
    if (id <= 0) continue;
    WalkPerson person;
    if (!source_.Person(id, person)) return Fail(kMsgReferenceNotFound, id);
    SetField(side == 0 ? group.husband : group.wife, std::string_view(person.name).substr(0, 40));
    parentFamilies[side] = person.parentFamily;
    if (g < kLineSlots && !in_.options.suppressRemarriages) {
      std::uint16_t& number = side == 0 ? group.husbandMarriage : group.wifeMarriage;
      if (int rc = Remarriage(id, cell.ref, K, side == 0, number)) return rc;
    }
  }

  // The children.
  for (int c = 0; c < childCount; ++c) {
    const std::int32_t id = fam.children[c];
    WalkPerson child;
    if (!source_.Person(id, child)) return Fail(kMsgReferenceNotFound, id);
    if (nextChild_ >= kChildCapacity) return Stop(kMsgTooManyChildren);
    ChildRecord& rec = t_.children[nextChild_];
    rec = ChildRecord{};
    rec.individual = id;
    SetField(rec.given, ChildGivenNames(child.name, in_.options.allFirstNames));
    for (int t = 0; t < kTracks; ++t)
      if (id == husbands_[t][g] || id == wives_[t][g]) {
        rec.mark = t + 1;
        break;
      }
    if (in_.options.birthMarriage) SetField(rec.year, std::string_view(child.birthYear).substr(0, 4));
    group.children[c] = static_cast<std::uint16_t>(nextChild_++);
  }

  // The parents' families of the couple go to the cells of their keys.
  if (g <= 30 && K > 0) {
    for (int t = 0; t < kTracks; ++t) {
      GridCell& up = t_.Cell(t, g + 1);
      if (up.key == 2 * std::int64_t(K)) up.ref = parentFamilies[0];
      if (up.key == 2 * std::int64_t(K) + 1) up.ref = parentFamilies[1];
    }
  }

  SetField(group.keyText, Number(K));
  if (g < kLineSlots || in_.options.suppressRemarriages) {
    cell.group = static_cast<std::int16_t>(nextGroup_);
  } else if (cell.group > 0 && cell.group < nextGroup_) {
    // An other marriage: linked from the group of the remarried person.
    FamilyGroup& main = t_.groups[cell.group];
    if (K > 0) {
      main.husbandOther = static_cast<std::uint16_t>(nextGroup_);
      group.spouseOrder = 1;
    } else {
      main.wifeOther = static_cast<std::uint16_t>(nextGroup_);
    }
  }
  ++nextGroup_;
  return 0;
}

int Walk::Remarriage(std::int32_t person, std::int32_t family, std::int32_t key, bool husband,
                     std::uint16_t& marriageNumber) {
  std::vector<std::int32_t> families;
  source_.SpouseFamilies(person, family, families);
  const auto at = std::find(families.begin(), families.end(), family);
  if (at == families.end()) return Fail(kMsgReferenceNotFound, family);
  if (families.size() < 2) return 0;
  if (remarriages_ >= kRemarriagePlaces) return Stop(kMsgTooManyRemarriages);
  const std::size_t pos = std::size_t(at - families.begin());
  GridCell& place = t_.Cell(remarriages_ % kTracks, kRemarriageSlot + remarriages_ / kTracks);
  ++remarriages_;
  place.ref = pos == 0 ? families[1] : families[0];
  place.key = husband ? key : -key;
  place.group = static_cast<std::int16_t>(nextGroup_);
  marriageNumber = static_cast<std::uint16_t>(pos + 1);
  return 0;
}

int Walk::FindCousins(int slot) {
  for (int t = 0; t < kTracks - 1; ++t) {
    const std::int32_t f = t_.Cell(t, slot).ref;
    if (f == 0) continue;
    for (int u = t + 1; u < kTracks; ++u) {
      if (t_.Cell(u, slot).ref != f) continue;
      if (int(t_.cousins.size()) >= kCousinPairCapacity) return Stop(kMsgTooManyCousins);
      const CousinPair pair{t_.Cell(t, slot).key, t_.Cell(u, slot).key};
      t_.cousins.push_back(pair);
      if (ExcludeFamily(t_, pair.second, 1) != 0) return Stop(kMsgExclude);
    }
  }
  return 0;
}

// Reorders the grid for one cousin pair and lists the lines that cannot be
// kept between the two lines.
class Reorder {
 public:
  Reorder(SelectiveTables& t, std::vector<std::int32_t>& listed, std::vector<std::int32_t>& swapped)
      : t_(t), listed_(listed), swapped_(swapped) {}

  bool Run(const CousinPair& pair);

 private:
  bool Swap(std::int32_t key) {
    if (std::find(swapped_.begin(), swapped_.end(), key) != swapped_.end()) return true;
    if (!SwapSides(t_, key)) return false;
    swapped_.push_back(key);
    return true;
  }
  int TrackOf(std::int32_t key, int slot) const {
    for (int t = 0; t < kTracks; ++t)
      if (t_.Cell(t, slot).key == key) return t;
    return -1;
  }
  void List(std::int32_t key) {
    if (std::find(listed_.begin(), listed_.end(), key) == listed_.end()) listed_.push_back(key);
  }

  SelectiveTables& t_;
  std::vector<std::int32_t>& listed_;
  std::vector<std::int32_t>& swapped_;
};

bool Reorder::Run(const CousinPair& pair) {
  int t1 = 0, s1 = 0, t2 = 0, s2 = 0;
  if (!t_.Find(pair.first, t_.startSlot, t1, s1) || !t_.Find(pair.second, t_.startSlot, t2, s2))
    return false;
  if (s1 != s2) return false;
  std::int32_t u1 = pair.first, u2 = pair.second;
  int levels = 0;
  while (u1 != u2) {
    u1 >>= 1;
    u2 >>= 1;
    ++levels;
  }
  const std::int32_t u = u1;
  const int uSlot = s1 - levels;

  // The family's two line-continuing children in the wrong order: the
  // sides of the meeting family change places.
  const int g = t_.Cell(t1, s1).group;
  if (g > 0) {
    std::vector<std::int32_t> marks;
    for (std::uint16_t c : t_.groups[g].children) {
      if (c == 0) break;
      if (t_.children[c].mark != 0) marks.push_back(t_.children[c].mark);
    }
    if (marks.size() == 2 && marks[0] > marks[1] && !Swap(u)) return false;
  }

  // Between the two lines, slot by slot down to the meeting family: a line
  // that branches off one of them is moved out by swapping the family where
  // it branches (one swap per slot); the rest are listed.
  for (int s = s1; s > uSlot; --s) {
    const std::int32_t a1 = pair.first >> (s1 - s), a2 = pair.second >> (s1 - s);
    bool swappedHere = false;
    for (;;) {
      const int ta = TrackOf(a1, s), tb = TrackOf(a2, s);
      if (ta < 0 || tb < 0) break;
      const int lo = std::min(ta, tb), hi = std::max(ta, tb);
      std::int32_t between = 0;
      for (int t = lo + 1; t < hi && between == 0; ++t)
        if (t_.Cell(t, s).key > 0) between = t_.Cell(t, s).key;
      if (between == 0) break;
      std::int32_t branch = 0;
      if (!swappedHere && DescendsFrom(between, u)) {
        for (std::int32_t line : {a1, a2}) {
          std::int32_t x = between, y = line;
          while (x != y) {
            x >>= 1;
            y >>= 1;
          }
          if (x != u && std::find(swapped_.begin(), swapped_.end(), x) == swapped_.end())
            branch = x;
        }
      }
      if (branch != 0) {
        if (!Swap(branch)) return false;
        swappedHere = true;
        continue;
      }
      // Everything still between the lines at this slot is listed.
      for (int t = lo + 1; t < hi; ++t)
        if (t_.Cell(t, s).key > 0) List(t_.Cell(t, s).key);
      break;
    }
  }
  return true;
}

}  // namespace

std::string ChildGivenNames(std::string_view name, bool allFirstNames, bool hasSurname) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < name.size() && words.size() < 7) {
    while (i < name.size() && name[i] == ' ') ++i;
    const std::size_t from = i;
    while (i < name.size() && name[i] != ' ') ++i;
    if (i > from) words.push_back(name.substr(from, std::min<std::size_t>(i - from, 31)));
  }
  // The last word is the surname (when there is more than one word).
  if (hasSurname && words.size() > 1 && i >= name.size()) words.pop_back();
  if (words.size() > 6) words.resize(6);
  std::string out;
  bool firstKept = false;
  for (std::string_view w : words) {
    if (!allFirstNames) {
      const char c = w.front();
      if (c == '"' || c == '(' || c == '\'' || c == '[') continue;
    }
    if (!out.empty()) out += ' ';
    if (!allFirstNames && firstKept) {
      out += w.front();
      out += '.';
    } else {
      out += w;
    }
    firstKept = true;
  }
  if (out.size() > 30) out.resize(30);
  return out;
}

int BuildDescentGrid(SelectiveTables& t, const SelectivePrompter& p) {
  for (auto& track : t.grid) track.fill(GridCell{});
  t.cousins.clear();
  std::size_t stoppedAt = t.selection.size();
  for (std::size_t n = 0; n < t.selection.size() && stoppedAt == t.selection.size(); ++n) {
    const std::int32_t number = t.selection[n];
    const int K = BitLength(number);
    for (int i = 1; i < K; ++i) {
      const std::int32_t entry = number >> (K - i);
      bool shared = false;
      int free = -1;
      for (int l = 0; l < kTracks; ++l) {
        if (t.Cell(l, i).key == entry) shared = true;
        if (free < 0 && t.Cell(l, i).key == 0) free = l;
      }
      if (shared) continue;
      if (free < 0) {
        stoppedAt = n;
        break;
      }
      t.Cell(free, i).key = entry;
    }
  }
  if (stoppedAt < t.selection.size()) {
    std::string list;
    for (std::size_t n = stoppedAt; n < t.selection.size(); ++n) {
      const std::string item = Number(t.selection[n]) + ", ";
      if (list.size() + item.size() >= 140) break;
      list += item;
    }
    if (!p.Ask(kMsgTooManyLines, list)) return -1;
  }
  // Keys ascend across the tracks of each slot; empty cells come last.
  for (int s = 0; s < kLineSlots; ++s) {
    for (bool swapped = true; swapped;) {
      swapped = false;
      for (int l = 0; l + 1 < kTracks; ++l) {
        GridCell& a = t.Cell(l, s);
        GridCell& b = t.Cell(l + 1, s);
        if (b.key != 0 && (a.key == 0 || a.key > b.key)) {
          std::swap(a, b);
          swapped = true;
        }
      }
    }
  }
  return 0;
}

int FindStartSlot(SelectiveTables& t, const SelectivePrompter& p) {
  std::int32_t B = t.baseNumber > 0 ? t.baseNumber : 1;
  std::int32_t C = 1;
  int stopSlot = 0;
  if (B > 1) {
    for (int s = 0; s < kLineSlots; ++s) {
      int count = 0;
      std::int32_t seen = 0;
      for (int l = 0; l < kTracks; ++l)
        if (t.Cell(l, s).key != 0) {
          ++count;
          seen = t.Cell(l, s).key;
        }
      stopSlot = s;
      if (count >= 2) break;
      if (count == 1) C = seen;
    }
  }
  bool replaced = false;
  if (C >= B) {
    for (int s = 0; s <= 30; ++s)
      if (t.Cell(0, s).key == B) {
        t.startSlot = s;
        return 0;
      }
    bool found = false;
    for (int s = stopSlot; s >= 0 && !found; --s) {
      const std::int32_t k = t.Cell(0, s).key;
      if (k <= 0) continue;
      while (B > k) B >>= 1;
      if (B == k) {
        C = B;
        found = true;
      }
    }
    if (!found) {
      p.Show(kMsgDataError);
      return kMsgDataError;
    }
    replaced = true;
  } else {
    replaced = true;
  }
  int slot = -1;
  for (int s = 0; s < kGridSlots && slot < 0; ++s)
    if (t.Cell(0, s).key == C) slot = s;
  if (slot < 0) {
    p.Show(kMsgDataError);
    return kMsgDataError;
  }
  if (replaced && !p.Ask(kMsgDataError)) return -1;
  t.startSlot = slot;
  t.baseNumber = C;
  return 0;
}

int ExcludeFamily(SelectiveTables& t, std::int32_t key, int mode) {
  int track = 0, slot = 0;
  if (!t.Find(key, t.startSlot, track, slot) || slot >= kLineSlots) return kMsgExclude;
  if (mode == 0) t.Cell(track, slot) = GridCell{};
  std::vector<std::int32_t> cleared{key};
  for (int s = slot + 1; s < kLineSlots && !cleared.empty(); ++s) {
    std::vector<std::int32_t> next;
    for (int l = 0; l < kTracks; ++l) {
      GridCell& c = t.Cell(l, s);
      if (c.key <= 0) continue;
      if (std::find(cleared.begin(), cleared.end(), c.key >> 1) == cleared.end()) continue;
      next.push_back(c.key);
      c = GridCell{};
    }
    if (next.size() > std::size_t(kTracks)) return kMsgExclude;
    cleared = std::move(next);
  }
  return 0;
}

bool SwapSides(SelectiveTables& t, std::int32_t key) {
  int track = 0, slot = 0;
  if (!t.Find(key, t.startSlot, track, slot) || slot >= kLineSlots) return false;
  const std::int64_t husband = 2 * std::int64_t(key), wife = husband + 1;
  for (int s = slot + 1; s < kLineSlots; ++s) {
    std::vector<int> places;
    std::vector<GridCell> hs, ws;
    for (int l = 0; l < kTracks; ++l) {
      const std::int32_t k = t.Cell(l, s).key;
      if (DescendsFrom(k, std::int32_t(husband))) {
        places.push_back(l);
        hs.push_back(t.Cell(l, s));
      } else if (wife <= 0x7FFFFFFF && DescendsFrom(k, std::int32_t(wife))) {
        places.push_back(l);
        ws.push_back(t.Cell(l, s));
      }
    }
    if (hs.empty() || ws.empty()) continue;
    const bool husbandFirst = DescendsFrom(t.Cell(places.front(), s).key, std::int32_t(husband));
    std::vector<GridCell> order = husbandFirst ? ws : hs;
    const std::vector<GridCell>& rest = husbandFirst ? hs : ws;
    order.insert(order.end(), rest.begin(), rest.end());
    for (std::size_t i = 0; i < places.size(); ++i) t.Cell(places[i], s) = order[i];
  }
  const int g = t.Cell(track, slot).group;
  if (g > 0 && g <= t.groupCount) {
    FamilyGroup& group = t.groups[g];
    group.spouseOrder = group.spouseOrder != 0 ? 0 : 1;
    std::swap(group.husbandMarriage, group.wifeMarriage);
    std::swap(group.husbandOther, group.wifeOther);
  }
  return true;
}

int CousinStep(SelectiveTables& t, const SelectivePrompter& p, bool findPairs) {
  if (findPairs) {
    for (int s = t.startSlot; s < kLineSlots; ++s)
      for (int a = 0; a < kTracks - 1; ++a) {
        if (t.Cell(a, s).ref == 0) continue;
        for (int b = a + 1; b < kTracks; ++b) {
          if (t.Cell(b, s).ref != t.Cell(a, s).ref) continue;
          if (int(t.cousins.size()) >= kCousinPairCapacity) {
            p.Show(kMsgTooManyCousins);
            return kMsgTooManyCousins;
          }
          t.cousins.push_back({t.Cell(a, s).key, t.Cell(b, s).key});
        }
      }
  }
  std::vector<std::int32_t> listed, swapped;
  for (const CousinPair& pair : t.cousins) {
    Reorder reorder(t, listed, swapped);
    if (!reorder.Run(pair)) {
      p.Show(kMsgReorder);
      return kMsgReorder;
    }
  }
  if (!listed.empty()) {
    std::string text;
    for (std::int32_t k : listed) text += Number(k) + ", ";
    if (!p.Ask(kMsgCorrelation, text)) return -1;
    for (std::int32_t k : listed) {
      int track = 0, slot = 0;
      if (!t.Find(k, t.startSlot, track, slot)) continue;  // gone with an earlier line
      if (ExcludeFamily(t, k, 0) != 0) {
        p.Show(kMsgExclude);
        return kMsgExclude;
      }
    }
  }
  for (const CousinPair& pair : t.cousins) {
    if (ExcludeFamily(t, pair.second, 0) != 0) {
      p.Show(kMsgExclude);
      return kMsgExclude;
    }
  }
  std::erase_if(t.selection, [&](std::int32_t n) {
    return std::any_of(t.cousins.begin(), t.cousins.end(),
                       [n](const CousinPair& c) { return (n >> 1) == c.second; });
  });
  return 0;
}

void CompactGrid(SelectiveTables& t) {
  for (int s = t.startSlot; s < kGridSlots; ++s) {
    std::array<GridCell, kTracks> kept{};
    int n = 0;
    for (int l = 0; l < kTracks; ++l)
      if (t.Cell(l, s).key != 0) kept[n++] = t.Cell(l, s);
    for (int l = 0; l < kTracks; ++l) t.Cell(l, s) = kept[l];
  }
}

void TrimSelection(SelectiveTables& t) {
  std::erase_if(t.selection, [&](std::int32_t n) {
    int track = 0, slot = 0;
    return !t.Find(n >> 1, t.startSlot, track, slot) || slot >= kLineSlots ||
           t.Cell(track, slot).group <= 0;
  });
}

int GatherSelectiveTree(const SelectiveGatherInput& in, SelectiveTables& t,
                        const SelectivePrompter& p) {
  ColumnWidthScope width(in.columnWidth);
  t = SelectiveTables{};
  t.baseNumber = 1;
  for (std::int32_t n : in.selection) {
    if (int(t.selection.size()) >= kSelectionCapacity) break;
    if (ValidAncestorNumber(n)) t.selection.push_back(n);
  }
  std::unique_ptr<StoreSource> storeSource;
  WalkSource* source = in.source;
  if (source == nullptr && in.store != nullptr) {
    storeSource = std::make_unique<StoreSource>(*in.store);
    source = storeSource.get();
  }
  WalkPerson base;
  if (source == nullptr || in.baseIndex <= 0 || !source->Person(in.baseIndex, base) ||
      t.selection.empty()) {
    p.Show(kMsgDataError);
    return kMsgDataError;
  }
  if (int rc = BuildDescentGrid(t, p)) return rc;
  if (int rc = FindStartSlot(t, p)) return rc;
  Walk walk(in, *source, t, p);
  if (int rc = walk.Run()) return rc;
  if (in.extract) return 0;
  if (int rc = CousinStep(t, p, false)) return rc;
  CompactGrid(t);
  TrimSelection(t);
  return 0;
}

}  // namespace dv
