#include "charts/full/FullChartSelect.h"

#include <algorithm>
#include <climits>
#include <tuple>

#include "data/RecordStore.h"

namespace dv {

int WorkListCapacity(std::int32_t n) {
  if (n < 100) return 200;
  if (n < 1000) return 2 * n;
  if (n < 2000) return 2000;
  return n;
}

int NextColour(int c) { return c >= 16 ? 1 : c + 1; }

namespace {

// What orders a group within its row: the group above it that its first
// incoming line of descent comes from, the child's place there, and the
// order in which groups were found (pedigree order for the ancestral list).
struct GroupInfo {
  std::int32_t up = 0;  // family index or placeholder number; 0 none
  bool hasUp = false;
  int childIndex = 0;
  int seq = 0;
  int rank = 0;
  bool descendantList = false;
  int incoming = 0;            // descent links that end here
  std::int32_t firstLink = 0;  // the link that leads here (descendant links negative)
};

class Selector {
 public:
  Selector(const RecordStore& store, const FullChartOptions& o, FullChartStorage& s)
      : store_(store), o_(o), s_(s) {
    const std::size_t families = s.families.size();
    genOf_.assign(families, 0);
    famInfo_.assign(families, {});
    ancestralChild_.assign(s.individuals.size(), false);
    phInfo_.emplace_back();
  }

  ChartStatus Run(std::int32_t baseIndex);

 private:
  GroupInfo& Info(std::int32_t id) {
    return id > 0 ? famInfo_[std::size_t(id)] : phInfo_[std::size_t(-std::int64_t(id))];
  }
  bool ValidFamily(std::int32_t f) const {
    return f > 0 && std::size_t(f) < genOf_.size() && store_.Family(f) != nullptr;
  }
  ChartStatus Place(std::int32_t family, int generation, bool descendantList);
  ChartStatus NewPlaceholder(int generation, bool descendantList, std::int32_t& number);
  ChartStatus AddLink(bool descendantTable, const DescentLink& link);
  // Joins the child (childIndex) of upper, in generation upperGeneration, to
  // lower in lowerGeneration, through a placeholder in every generation between.
  ChartStatus LinkChain(bool descendantTable, std::int32_t upper, int childIndex,
                        int upperGeneration, std::int32_t lower, int side, int lowerGeneration,
                        int firstKind, int chainKind);
  ChartStatus Ancestral(std::int32_t baseIndex);
  ChartStatus Descendants();
  void OrderRow(int generation);
  void Fold();
  ChartStatus Finish();

  const RecordStore& store_;
  const FullChartOptions& o_;
  FullChartStorage& s_;
  std::vector<std::int16_t> genOf_;
  std::vector<GroupInfo> famInfo_;
  std::vector<GroupInfo> phInfo_;
  std::vector<bool> ancestralChild_;
  int seq_ = 0;
  int ancestralCount_ = 0, descendantCount_ = 0;
};

ChartStatus Selector::Place(std::int32_t family, int generation, bool descendantList) {
  int& count = descendantList ? descendantCount_ : ancestralCount_;
  if (count >= kPlacementCapacity) return Fail(kMsgFcTooMuchData);
  if (generation < 1 || generation >= kGenerationRows) return Fail(kMsgFcCorrelation);
  ++count;
  genOf_[std::size_t(family)] = std::int16_t(generation);
  GroupInfo& info = famInfo_[std::size_t(family)];
  info.seq = ++seq_;
  info.descendantList = descendantList;
  FamilyWork& w = s_.families[std::size_t(family)];
  w.generation = std::int16_t(generation);
  w.placed = true;
  s_.rowGroups[std::size_t(generation)].push_back(family);
  return {};
}

ChartStatus Selector::NewPlaceholder(int generation, bool descendantList, std::int32_t& number) {
  int& count = descendantList ? descendantCount_ : ancestralCount_;
  if (count >= kPlacementCapacity) return Fail(kMsgFcTooMuchData);
  if (generation < 1 || generation >= kGenerationRows) return Fail(kMsgFcCorrelation);
  ++count;
  number = -std::int32_t(s_.placeholders.size());
  Placeholder p;
  p.number = number;
  p.generation = std::int16_t(generation);
  s_.placeholders.push_back(p);
  GroupInfo info;
  info.seq = ++seq_;
  info.descendantList = descendantList;
  phInfo_.push_back(info);
  s_.rowGroups[std::size_t(generation)].push_back(number);
  return {};
}

ChartStatus Selector::AddLink(bool descendantTable, const DescentLink& link) {
  auto& table = descendantTable ? s_.descendantLinks : s_.ancestralLinks;
  if (int(table.size()) > kLinkLimit) return Fail(kMsgFcTooMuchData);
  table.push_back(link);
  table.back().order = std::int32_t(table.size()) - 1;
  GroupInfo& lower = Info(link.lower);
  ++lower.incoming;
  if (!lower.hasUp) {
    lower.hasUp = true;
    lower.up = link.upper;
    lower.childIndex = link.upper > 0 ? link.childIndex : 0;
    const std::int32_t n = std::int32_t(table.size()) - 1;
    lower.firstLink = descendantTable ? -n : n;
  }
  return {};
}

ChartStatus Selector::LinkChain(bool descendantTable, std::int32_t upper, int childIndex,
                                int upperGeneration, std::int32_t lower, int side,
                                int lowerGeneration, int firstKind, int chainKind) {
  std::int32_t below = lower;
  int belowSide = side;
  int kind = firstKind;
  const bool spans = upperGeneration - lowerGeneration > 1;
  for (int g = lowerGeneration + 1; g < upperGeneration; ++g) {
    std::int32_t ph = 0;
    if (auto st = NewPlaceholder(g, descendantTable, ph); !st.ok()) return st;
    DescentLink l;
    l.upper = ph;
    l.lower = below;
    l.side = std::int16_t(belowSide);
    l.kind = std::int16_t(kind);
    l.flag = 1;
    l.upperGeneration = g;
    if (auto st = AddLink(descendantTable, l); !st.ok()) return st;
    below = ph;
    belowSide = 0;
    kind = chainKind;
  }
  DescentLink l;
  l.upper = upper;
  l.lower = below;
  l.childIndex = std::int16_t(childIndex);
  l.side = std::int16_t(belowSide);
  l.kind = std::int16_t(kind);
  l.flag = spans ? 1 : 0;
  l.upperGeneration = upperGeneration;
  return AddLink(descendantTable, l);
}

int ChildIndexIn(const FamilySummary& f, std::int32_t child) {
  for (int i = 0; i < kMaxChildren; ++i) {
    if (f.children[i] == 0) break;
    if (f.children[i] == child) return i;
  }
  return -1;
}

ChartStatus Selector::Ancestral(std::int32_t baseIndex) {
  const IndividualSummary* base = store_.Individual(baseIndex);
  if (base == nullptr) return RetrievalError();
  s_.baseIndex = baseIndex;
  s_.baseName = base->displayName;

  if (o_.people == People::kDescendants) {
    const std::vector<std::int32_t> own = store_.FamiliesOf(baseIndex);
    int colour = 1;
    for (std::int32_t f : own) {
      if (!ValidFamily(f) || genOf_[std::size_t(f)] != 0) continue;
      if (auto st = Place(f, kStartGeneration, false); !st.ok()) return st;
      s_.families[std::size_t(f)].colour = std::int16_t(colour);
    }
    if (ancestralCount_ == 0) return Fail(kMsgFcNoDescendants);
    return {};
  }

  const std::int32_t start = base->parentFamily;
  if (!ValidFamily(start)) return Fail(kMsgFcNoAncestors);

  // Every generation at which each family is reached, keeping the highest:
  // a couple who are ancestors along two lines stands in the older
  // generation. Each round handles a family once however many lines reach
  // it, so pedigree collapse costs no more than one pass per generation.
  const int limit = kStartGeneration + std::clamp(o_.maxAncestors, 1, kAllGenerations) - 1;
  const int capacity = WorkListCapacity(store_.IndividualCount());
  std::vector<std::int16_t> level(genOf_.size(), 0);
  std::vector<std::int16_t> stamp(genOf_.size(), 0);
  std::vector<std::int32_t> current{start}, next;
  level[std::size_t(start)] = kStartGeneration;
  for (int g = kStartGeneration; !current.empty() && g < limit; ++g) {
    next.clear();
    for (std::int32_t f : current) {
      const FamilySummary* fs = store_.Family(f);
      for (std::int32_t p : {fs->husband, fs->wife}) {
        const IndividualSummary* person = p > 0 ? store_.Individual(p) : nullptr;
        if (person == nullptr || !ValidFamily(person->parentFamily)) continue;
        const std::size_t pf = std::size_t(person->parentFamily);
        // The start family reached again (a person recorded as their own
        // ancestor) is not walked again.
        if (person->parentFamily == start || stamp[pf] == g + 1) continue;
        stamp[pf] = std::int16_t(g + 1);
        if (int(next.size()) >= capacity) return Fail(kMsgFcTooMuchData);
        next.push_back(person->parentFamily);
        level[pf] = std::int16_t(g + 1);
      }
    }
    std::swap(current, next);
  }

  // Place each family once, at its highest generation, in pedigree order
  // (a family's husband's side before its wife's); a line that skips
  // generations runs through placeholders.
  std::vector<std::int32_t> queue{start};
  if (auto st = Place(start, kStartGeneration, false); !st.ok()) return st;
  s_.families[std::size_t(start)].colour = 1;
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const std::int32_t f = queue[q];
    const FamilySummary* fs = store_.Family(f);
    const int gf = genOf_[std::size_t(f)];
    for (int side = 0; side < 2; ++side) {
      const std::int32_t p = side == 0 ? fs->husband : fs->wife;
      const IndividualSummary* person = p > 0 ? store_.Individual(p) : nullptr;
      if (person == nullptr || !ValidFamily(person->parentFamily)) continue;
      const std::int32_t pf = person->parentFamily;
      const int placed = genOf_[std::size_t(pf)];
      const int gp = placed != 0 ? placed : level[std::size_t(pf)];
      if (gp <= gf) continue;  // beyond the maximum, or not older than this family
      const FamilySummary* parents = store_.Family(pf);
      const int child = ChildIndexIn(*parents, p);
      if (child < 0) return Fail(kMsgFcCorrelation);
      if (genOf_[std::size_t(pf)] == 0) {
        if (auto st = Place(pf, gp, false); !st.ok()) return st;
        const int colour = s_.families[std::size_t(f)].colour;
        s_.families[std::size_t(pf)].colour = std::int16_t(side == 0 ? colour : NextColour(colour));
        queue.push_back(pf);
      }
      const int kind = side == 0 ? kLinkHusbandUp : kLinkWifeUp;
      if (auto st = LinkChain(false, pf, child, gp, f, side, gf, kind, kLinkRepeated); !st.ok())
        return st;
      ancestralChild_[std::size_t(p)] = true;
      s_.individuals[std::size_t(p)].mark = f;
    }
  }
  return {};
}

void Selector::OrderRow(int g) {
  auto& row = s_.rowGroups[std::size_t(g)];
  using Key = std::tuple<int, int, int>;
  std::vector<std::pair<Key, std::int32_t>> keyed;
  keyed.reserve(row.size());
  std::vector<std::pair<int, int>> anchors;  // (seq, up rank) of ancestral groups with an up
  for (std::int32_t id : row) {
    const GroupInfo& info = Info(id);
    if (!info.hasUp) continue;
    const int upRank = Info(info.up).rank;
    keyed.push_back({{upRank, info.childIndex, info.seq}, id});
    if (!info.descendantList) anchors.push_back({info.seq, upRank});
  }
  std::sort(anchors.begin(), anchors.end());
  for (std::int32_t id : row) {
    const GroupInfo& info = Info(id);
    if (info.hasUp) continue;
    // A group with nothing above it keeps its pedigree place: right after
    // the groups that hang from the same place as its predecessor.
    auto it =
        std::lower_bound(anchors.begin(), anchors.end(), std::pair<int, int>{info.seq, INT_MIN});
    if (it == anchors.begin()) {
      keyed.push_back({{-1, 0, info.seq}, id});
    } else {
      keyed.push_back({{std::prev(it)->second, INT_MAX, info.seq}, id});
    }
  }
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    row[i] = keyed[i].second;
    Info(row[i]).rank = int(i);
  }
}

ChartStatus Selector::Descendants() {
  const int maxD = std::clamp(o_.maxDescendants, 1, kAllGenerations);
  for (int g = kGenerationRows - 1; g >= 2; --g) {
    if (s_.rowGroups[std::size_t(g)].empty()) continue;
    OrderRow(g);
    if (o_.people == People::kAncestors || kStartGeneration - g >= maxD) continue;
    const std::vector<std::int32_t> row = s_.rowGroups[std::size_t(g)];
    for (std::int32_t f : row) {
      if (f <= 0) continue;
      const FamilySummary* fs = store_.Family(f);
      if (fs == nullptr) return RetrievalError();
      for (int i = 0; i < kMaxChildren && fs->children[i] != 0; ++i) {
        const std::int32_t c = fs->children[i];
        const IndividualSummary* child = store_.Individual(c);
        if (child == nullptr) return RetrievalError();
        for (std::int32_t h : store_.FamiliesOf(c)) {
          if (!ValidFamily(h)) continue;
          const FamilySummary* hs = store_.Family(h);
          const int side = hs->wife == c && hs->husband != c ? 1 : 0;
          const int gh = genOf_[std::size_t(h)];
          IndividualWork& mark = s_.individuals[std::size_t(c)];
          if (gh != 0) {
            // Already placed: the ancestral line itself, or a family reached
            // from a second parent (a marriage between relatives).
            if (ancestralChild_[std::size_t(c)] && !famInfo_[std::size_t(h)].descendantList)
              continue;
            if (gh >= g) continue;  // not below this row: the child is shown by name
            if (auto st = LinkChain(true, f, i, g, h, side, gh, kLinkPlacedElsewhere,
                                    kLinkPlacedElsewhere);
                !st.ok())
              return st;
            if (mark.mark == 0) mark.mark = h;
            continue;
          }
          if (auto st = Place(h, g - 1, true); !st.ok()) return st;
          const int colour = s_.families[std::size_t(f)].colour;
          s_.families[std::size_t(h)].colour =
              std::int16_t(child->sex == 1 ? colour : NextColour(colour));
          const int kind = child->sex == 1 ? kLinkSon : kLinkDaughter;
          if (auto st = LinkChain(true, f, i, g, h, side, g - 1, kind, kind); !st.ok()) return st;
          if (mark.mark == 0) mark.mark = h;
        }
      }
    }
  }
  return {};
}

void Selector::Fold() {
  for (int g = 1; g < kGenerationRows; ++g) {
    auto& row = s_.rowGroups[std::size_t(g)];
    std::vector<std::int32_t> kept;
    kept.reserve(row.size());
    for (std::int32_t h : row) {
      const GroupInfo* info = h > 0 ? &famInfo_[std::size_t(h)] : nullptr;
      const FamilySummary* hs = h > 0 ? store_.Family(h) : nullptr;
      bool fold = info != nullptr && hs != nullptr && info->descendantList && info->incoming == 1 &&
                  info->firstLink < 0 && hs->children[0] == 0;
      DescentLink* link = fold ? &s_.descendantLinks[std::size_t(-info->firstLink)] : nullptr;
      std::int32_t c = 0;
      if (link != nullptr && link->upper > 0 && link->lower == h) {
        const FamilySummary* parents = store_.Family(link->upper);
        c = parents != nullptr ? parents->children[link->childIndex] : 0;
      }
      fold = fold && c > 0 && store_.FamiliesOf(c).size() == 1 &&
             (link->kind == kLinkSon || link->kind == kLinkDaughter);
      if (!fold) {
        kept.push_back(h);
        continue;
      }
      // Shown inside the parents' group; its line of descent is withdrawn.
      s_.individuals[std::size_t(c)].mark = -h;
      link->flag = kLinkWithdrawn;
      s_.families[std::size_t(h)].placed = false;
      --descendantCount_;
      ++s_.foldedFamilies;
    }
    row.swap(kept);
  }
}

ChartStatus Selector::Finish() {
  s_.highest = 0;
  s_.lowest = 0;
  for (int g = kGenerationRows - 1; g >= 1; --g) {
    if (s_.rowGroups[std::size_t(g)].empty()) continue;
    if (s_.highest == 0) s_.highest = g;
    s_.lowest = g;
  }
  if (s_.highest == 0) {
    return Fail(o_.people == People::kDescendants ? kMsgFcNoDescendants : kMsgFcNoAncestors);
  }
  for (int g = s_.highest; g >= s_.lowest; --g) {
    GenerationRow& row = s_.rows[std::size_t(g)];
    row = {};
    row.generation = std::int16_t(g);
    const auto& groups = s_.rowGroups[std::size_t(g)];
    row.families = std::int32_t(groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
      const std::int32_t id = groups[i];
      const GroupInfo& info = Info(id);
      FamilyPlacement p;
      p.family = id;
      p.generation = std::int16_t(g);
      p.position = std::int16_t(std::min<std::size_t>(i + 1, 32767));
      p.link = info.firstLink;
      if (id > 0) {
        const FamilySummary* fs = store_.Family(id);
        if (info.incoming > 1) p.flag = 1;
        if (fs != nullptr && fs->children[0] == 0) p.flag = -1;
      } else if (Placeholder* ph = s_.PlaceholderOf(id)) {
        ph->position = p.position;
      }
      (info.descendantList ? s_.descendant : s_.ancestral).push_back(p);
    }
  }
  if (s_.RowOf(s_.highest) == 0) return Fail(kMsgFcCorrelation);
  return {};
}

ChartStatus Selector::Run(std::int32_t baseIndex) {
  if (auto st = Ancestral(baseIndex); !st.ok()) return st;
  if (auto st = Descendants(); !st.ok()) return st;
  if (!o_.boxChart) Fold();
  return Finish();
}

}  // namespace

ChartStatus SelectFamilies(const RecordStore& store, std::int32_t baseIndex,
                           const FullChartOptions& options, FullChartStorage& storage) {
  Selector selector(store, options, storage);
  ChartStatus st = selector.Run(baseIndex);
  if (!st.ok()) {
    ChartStatus first = Fail(kMsgFcAbortedIn, kLblLayout);
    st.messages.insert(st.messages.begin(), first.messages.front());
  }
  return st;
}

std::string FamiliesListing(const RecordStore& store, const FullChartStorage& s) {
  std::string out;
  if (s.highest == 0) return out;
  for (int g = s.highest; g >= s.lowest; --g) {
    const auto& row = s.rowGroups[std::size_t(g)];
    for (std::size_t i = 0; i < row.size(); ++i) {
      const std::int32_t f = row[i];
      if (f <= 0) continue;
      const FamilySummary* fs = store.Family(f);
      if (fs == nullptr) continue;
      out += std::to_string(g) + '\t' + std::to_string(i + 1) + '\t' + store.XrefOf(kFam, f) +
             '\t' + (fs->husband ? store.XrefOf(kIndi, fs->husband) : std::string()) + '\t' +
             (fs->wife ? store.XrefOf(kIndi, fs->wife) : std::string()) + '\n';
    }
  }
  return out;
}

}  // namespace dv
