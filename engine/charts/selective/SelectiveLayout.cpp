#include "charts/selective/SelectiveLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "charts/selective/BirthBriefTables.h"
#include "common/StringTable.h"
#include "data/Names.h"

namespace dv {

namespace {

constexpr int kChildrenLaidOut = 24;
constexpr int kUndecoratedWidth = 39;

int Len(const std::string& s) { return static_cast<int>(s.size()); }

void DropLastWord(std::string& name) {
  const std::size_t end = name.find_last_not_of(' ');
  if (end == std::string::npos) return;
  const std::size_t space = name.find_last_of(' ', end);
  if (space == std::string::npos) return;  // a single word stays
  name.resize(space);
  while (!name.empty() && name.back() == ' ') name.pop_back();
}

void UpperLastWord(std::string& name) {
  const std::size_t end = name.find_last_not_of(' ');
  if (end == std::string::npos) return;
  const std::size_t space = name.find_last_of(' ', end);
  const std::size_t from = space == std::string::npos ? 0 : space + 1;
  std::string word = name.substr(from, end + 1 - from);
  UpperCase1252(word);
  name.replace(from, end + 1 - from, word);
}

// The layout of one generation's rows and its groups.
class Layout {
 public:
  Layout(SelectiveTables& t, const SelectiveOptions& o, const SelectiveExtent& e,
         const SelectivePrompter& p, SelectiveLayoutResult& r)
      : t_(t),
        o_(o),
        p_(p),
        r_(r),
        usable_(e.usableColumns),
        usableLines_(e.usableLines),
        bd_(o.birthMarriage ? 1 : 0) {}

  int Run(const std::vector<ManualShift>& shifts);

 private:
  // The group in slot holding key's family (directly or as the first of a
  // cousin pair), 0 when none.
  int ParentGroup(int slot, std::int64_t key) const;
  void PrepareNames(int gi, int slot, int otherSide, int mainGi);
  void FindTargets(int slot);
  void LayoutGroup(int gi, bool folding, int otherSide);
  std::vector<int> ShownChildren(const FamilyGroup& g) const;
  int LayoutSlot(int slot);
  int UnitWidth(int gi) const;
  int UnitLeft(int gi) const;
  void PlaceOthers(int slot);
  bool CanMove(int slot, std::size_t index, int move) const;
  // A manual shift read from a chart file may be any 32-bit number. The
  // column it gives is held within a range far past any page (the chart
  // overruns the page all the same) so that the columns worked out from it
  // cannot overflow.
  void Move(int gi, int move) {
    constexpr std::int64_t kFar = std::int64_t{1} << 24;
    int& left = t_.groups[gi].left;
    left = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{left} + move, -kFar, kFar));
  }
  int ArrivalColumn(int gi, int side) const;
  int ChildLinkColumn(const FamilyGroup& g, const ChildRecord& c) const;
  int Straighten();
  int ApplyShifts(const std::vector<ManualShift>& shifts);
  int NumberLinks();
  int SpaceVertically();
  int TopOf(int slot) const;
  void Spread();

  SelectiveTables& t_;
  const SelectiveOptions& o_;
  const SelectivePrompter& p_;
  SelectiveLayoutResult& r_;
  int usable_;
  int usableLines_;
  int bd_;
};

int Layout::ParentGroup(int slot, std::int64_t key) const {
  if (slot + 1 >= kLineSlots || key <= 0 || key > 0x7FFFFFFF) return 0;
  for (int t = 0; t < kTracks; ++t) {
    const GridCell& c = t_.Cell(t, slot + 1);
    if (c.key == key && c.group > 0) return c.group;
  }
  for (const CousinPair& pair : t_.cousins)
    if (pair.second == key) {
      for (int t = 0; t < kTracks; ++t) {
        const GridCell& c = t_.Cell(t, slot + 1);
        if (c.key == pair.first && c.group > 0) return c.group;
      }
    }
  return 0;
}

void Layout::PrepareNames(int gi, int slot, int otherSide, int mainGi) {
  FamilyGroup& g = t_.groups[gi];
  std::string husband(FieldText(g.husband)), wife(FieldText(g.wife));
  bool husbandParents = false;
  if (otherSide == 0) {
    husbandParents = ParentGroup(slot, 2 * std::int64_t(g.key)) != 0;
    const bool wifeParents = ParentGroup(slot, 2 * std::int64_t(g.key) + 1) != 0;
    if (husbandParents && !o_.allSurnames) DropLastWord(husband);
    if (wifeParents && !o_.allSurnames) DropLastWord(wife);
  }
  if (o_.topSurnameCapitals && !husbandParents) UpperLastWord(husband);
  std::replace(husband.begin(), husband.end(), '_', ' ');
  std::replace(wife.begin(), wife.end(), '_', ' ');
  std::string marriage(FieldText(g.marriage));
  if (g.husbandMarriage != 0 || g.wifeMarriage != 0) {
    const std::string year =
        YearOf(marriage.size() > 1 ? marriage.substr(0, marriage.size() - 1) : std::string());
    marriage = "(" + year + ")";
  }
  std::string first = g.spouseOrder == 0 ? husband : wife;
  std::string second = g.spouseOrder == 0 ? wife : husband;
  if (otherSide == 0) {
    if (g.wifeMarriage != 0 && Len(first) < kUndecoratedWidth)
      first += " " + std::to_string(g.wifeMarriage);
    if (g.husbandMarriage != 0 && Len(second) < kUndecoratedWidth)
      second = std::to_string(g.husbandMarriage) + " " + second;
  } else if (Len(first) < kUndecoratedWidth) {
    const FamilyGroup& main = t_.groups[mainGi];
    const bool husbandsOther = main.husbandOther == gi;
    const int number = (husbandsOther ? main.husbandMarriage : main.wifeMarriage) < 2 ? 2 : 1;
    if (husbandsOther)
      first = std::to_string(number) + " " + first;
    else
      first += " " + std::to_string(number);
  }
  if (o_.allCapitals) {
    UpperCase1252(first);
    UpperCase1252(second);
    UpperCase1252(marriage);
  }
  g.first = first;
  g.second = otherSide == 0 ? second : std::string();
  g.marriageShown = otherSide == 0 ? marriage : std::string();
  g.nameWidth = {Len(g.first), Len(g.second)};
}

void Layout::FindTargets(int slot) {
  // Clear the marks of every group of the slot and its other marriages.
  for (int gi : t_.GroupsOf(slot)) {
    for (int member : {gi, int(t_.groups[gi].husbandOther), int(t_.groups[gi].wifeOther)}) {
      if (member <= 0) continue;
      for (std::uint16_t c : t_.groups[member].children) {
        if (c == 0) break;
        t_.children[c].mark = 0;
        t_.children[c].target = 0;
      }
    }
  }
  // A child continues a line when it is the husband or wife of a group of
  // the slot below whose parents' family is this group.
  auto mark = [&](int parent, std::int32_t person, int target) {
    for (std::uint16_t c : t_.groups[parent].children) {
      if (c == 0) break;
      if (t_.children[c].individual == person && t_.children[c].target == 0) {
        t_.children[c].target = target;
        return;
      }
    }
  };
  if (slot == t_.startSlot) {
    for (int gi : t_.GroupsOf(slot)) mark(gi, t_.baseId, -1);
    return;
  }
  for (int lower : t_.GroupsOf(slot - 1)) {
    const FamilyGroup& g = t_.groups[lower];
    if (int up = ParentGroup(slot - 1, 2 * std::int64_t(g.key))) mark(up, g.husbandId, lower);
    if (int up = ParentGroup(slot - 1, 2 * std::int64_t(g.key) + 1)) mark(up, g.wifeId, lower);
  }
}

std::vector<int> Layout::ShownChildren(const FamilyGroup& g) const {
  std::vector<int> out;
  if (o_.noSiblings) return out;
  for (std::uint16_t c : g.children) {
    if (c == 0 || int(out.size()) >= kChildrenLaidOut) break;
    out.push_back(c);
  }
  return out;
}

void Layout::LayoutGroup(int gi, bool folding, int otherSide) {
  FamilyGroup& g = t_.groups[gi];
  const int w1 = Len(g.first), w2 = Len(g.second);
  int coupleW = otherSide == 0 ? w1 + w2 + 3 : w1 + 3;
  const int join = otherSide == 2 ? 0 : w1 + 1;
  if (otherSide == 0 && w2 == 0) coupleW = w1 + 2;
  const std::vector<int> shown = ShownChildren(g);

  // The children from column 0 of their row; a folded group's second row
  // starts again at 0.
  int firstCont = -1;
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (t_.children[shown[i]].target != 0 && firstCont < 0) firstCont = int(i);
  const int n = int(shown.size());
  std::size_t rowBreak = shown.size();
  auto place = [&](std::size_t from, std::size_t to, int& extent, int& firstMid, int& lastMid) {
    int pos = 0;
    bool prevCont = false;
    extent = 0;
    for (std::size_t i = from; i < to; ++i) {
      ChildRecord& c = t_.children[shown[i]];
      const bool cont = c.target != 0;
      int mid = 0;
      c.width =
          static_cast<std::int16_t>(std::max(Len(std::string(FieldText(c.given))), bd_ ? 4 : 0));
      c.row = static_cast<std::int16_t>(i >= rowBreak ? 1 : 0);
      if (cont) {
        if (i != from) pos += 1;
        if (prevCont) pos += 1;
        c.column = static_cast<std::int16_t>(pos);
        mid = pos;
        extent = std::max(extent, pos + 1);
        pos += 2;
      } else {
        c.column = static_cast<std::int16_t>(pos);
        mid = pos + c.width / 2;
        extent = std::max(extent, pos + std::max<int>(c.width, 1));
        pos += c.width + 1;
      }
      if (i == from) firstMid = mid;
      lastMid = mid;
      prevCont = cont;
    }
  };

  int rowExtent = 0, firstMid = 0, lastMid = 0;
  place(0, shown.size(), rowExtent, firstMid, lastMid);
  g.fold = static_cast<std::int16_t>(n == 0 ? -1 : (n > 1 ? 1 : 0));
  const bool mustFold =
      otherSide == 0 ? (n > 4 && (firstCont < 0 || firstCont >= 2) && rowExtent > coupleW) : n > 3;
  if (mustFold) g.fold = 2;
  int row2Extent = 0, row2First = 0, row2Last = 0;
  if (mustFold && folding) {
    std::size_t cut = std::size_t((n + 1) / 2);
    if (firstCont >= 0) cut = std::min(cut, std::size_t(firstCont));
    rowBreak = std::max<std::size_t>(cut, 1);
    place(0, rowBreak, rowExtent, firstMid, lastMid);
    place(rowBreak, shown.size(), row2Extent, row2First, row2Last);
    g.fold = 3;
    for (std::size_t i = rowBreak; i < shown.size(); ++i)
      if (t_.children[shown[i]].target == 0) t_.children[shown[i]].mark = 3;
  }
  // Line marks: 1 the first line-continuing child, 2 a later one.
  bool seen = false;
  for (int c : shown) {
    if (t_.children[c].target == 0) continue;
    t_.children[c].mark = seen ? 2 : 1;
    seen = true;
  }

  int coupleCol = 0, rowStart = 0;
  if (n > 0) {
    const int span = lastMid - firstMid;
    if (span < coupleW) {
      rowStart = join - (firstMid + span / 2);
      if (rowStart + lastMid > coupleW + 1) rowStart = coupleW + 1 - lastMid;
      if (rowStart < 0) {
        coupleCol = -rowStart;
        rowStart = 0;
      }
    } else {
      coupleCol = firstMid + (span - coupleW) / 2;
    }
  }
  int width = std::max(coupleCol + coupleW, rowStart + std::max(rowExtent, row2Extent));
  // The folded rows are joined right of the first row.
  if (g.fold == 3) width = std::max(width, rowStart + rowExtent + 2);
  int marriageCol = 0;
  const int mw = Len(g.marriageShown);
  if (mw > 0) {
    if (mw > coupleW) {
      const int excess = (mw - coupleW + 1) / 2;
      coupleCol += excess;
      rowStart += excess;
      marriageCol = 0;
      width = std::max(width + excess, mw);
    } else {
      marriageCol = std::clamp(coupleCol + join - mw / 2, coupleCol, coupleCol + coupleW - mw);
    }
  }
  // A boxed group keeps one column clear inside its box on each side.
  if (otherSide == 0 && (o_.boxes || o_.boxesAndNumbers)) {
    coupleCol += 1;
    rowStart += 1;
    marriageCol += 1;
    width += 2;
  }
  // An other marriage keeps one column clear of its main group.
  if (otherSide == 1) width += 1;
  if (otherSide == 2) {
    coupleCol += 1;
    rowStart += 1;
    marriageCol += 1;
    width += 1;
  }
  g.coupleColumn = static_cast<std::int16_t>(coupleCol);
  g.childrenColumn = static_cast<std::int16_t>(rowStart);
  g.marriageColumn = static_cast<std::int16_t>(marriageCol);
  g.width = static_cast<std::int16_t>(width);
  const int joinCol = coupleCol + join;
  int connection = joinCol;
  if (n > 1 && firstCont >= 0) connection = rowStart + t_.children[shown[firstCont]].column;
  g.links.fill(0);
  g.links[kLinkConnection] = static_cast<std::int16_t>(connection);
  g.links[kLinkFirstName] =
      static_cast<std::int16_t>(coupleCol + (otherSide == 2 ? 3 : 0) + w1 / 2);
  g.links[kLinkSecondName] = static_cast<std::int16_t>(coupleCol + w1 + 3 + w2 / 2);
  if (firstCont >= 0) g.links[kLinkFirstChild] = static_cast<std::int16_t>(connection);
}

int Layout::UnitWidth(int gi) const {
  const FamilyGroup& g = t_.groups[gi];
  int w = g.width;
  if (g.husbandOther > 0) w += t_.groups[g.husbandOther].width;
  if (g.wifeOther > 0) w += t_.groups[g.wifeOther].width;
  return w;
}

// The side on which each other marriage stands: next to the remarried
// spouse (the husband's on the left while he is the first name).
int LeftOther(const FamilyGroup& g) { return g.spouseOrder == 0 ? g.husbandOther : g.wifeOther; }
int RightOther(const FamilyGroup& g) { return g.spouseOrder == 0 ? g.wifeOther : g.husbandOther; }

int Layout::UnitLeft(int gi) const {
  const FamilyGroup& g = t_.groups[gi];
  const int left = LeftOther(g);
  return left > 0 ? g.left - t_.groups[left].width : g.left;
}

int Layout::LayoutSlot(int slot) {
  const std::vector<int> mains = t_.GroupsOf(slot);
  SlotLayout& s = r_.slots[slot];
  s.groups = int(mains.size());
  for (int gi : mains) {
    FamilyGroup& g = t_.groups[gi];
    PrepareNames(gi, slot, 0, gi);
    if (LeftOther(g) > 0) PrepareNames(LeftOther(g), slot, 1, gi);
    if (RightOther(g) > 0) PrepareNames(RightOther(g), slot, 2, gi);
  }
  bool folding = o_.forceFolding;
  for (;;) {
    int slotWidth = 1;
    s.folded = false;
    s.multi = false;
    for (int gi : mains) {
      const FamilyGroup& g = t_.groups[gi];
      LayoutGroup(gi, folding, 0);
      if (LeftOther(g) > 0) LayoutGroup(LeftOther(g), folding, 1);
      if (RightOther(g) > 0) LayoutGroup(RightOther(g), folding, 2);
      for (int member : {gi, LeftOther(g), RightOther(g)}) {
        if (member <= 0) continue;
        const FamilyGroup& m = t_.groups[member];
        if (m.fold == 3) s.folded = true;
        for (int c : ShownChildren(m))
          if (m.fold >= 1 || t_.children[c].target == 0) s.multi = true;
      }
      slotWidth += UnitWidth(gi);
    }
    s.gap = (usable_ - slotWidth) / (s.groups + 1);
    if (s.gap >= 1) break;
    if (o_.noSiblings || folding) {
      p_.Show(kMsgRowTooWide);
      return kMsgRowTooWide;
    }
    folding = true;
  }
  int pos = 1;
  for (int gi : mains) {
    FamilyGroup& g = t_.groups[gi];
    pos += s.gap;
    if (LeftOther(g) > 0) pos += t_.groups[LeftOther(g)].width;
    g.left = pos;
    pos += g.width;
    if (RightOther(g) > 0) pos += t_.groups[RightOther(g)].width;
  }
  return 0;
}

void Layout::PlaceOthers(int slot) {
  for (int gi : t_.GroupsOf(slot)) {
    const FamilyGroup& g = t_.groups[gi];
    if (LeftOther(g) > 0) {
      FamilyGroup& o = t_.groups[LeftOther(g)];
      o.left = g.left - o.width;
    }
    if (RightOther(g) > 0) {
      FamilyGroup& o = t_.groups[RightOther(g)];
      o.left = g.left + g.width;
    }
  }
}

// Whether the group at index of its slot can move by move columns and keep
// one column clear of its neighbours and of the page's edges.
bool Layout::CanMove(int slot, std::size_t index, int move) const {
  const std::vector<int> mains = t_.GroupsOf(slot);
  const int gi = mains[index];
  const int left = UnitLeft(gi) + move;
  const int right = left + UnitWidth(gi);
  if (left < 1 || right > usable_ - 1) return false;
  if (index > 0) {
    const int prev = mains[index - 1];
    if (left < UnitLeft(prev) + UnitWidth(prev) + 1) return false;
  }
  if (index + 1 < mains.size()) {
    if (right + 1 > UnitLeft(mains[index + 1])) return false;
  }
  return true;
}

int Layout::ArrivalColumn(int gi, int side) const {
  const FamilyGroup& g = t_.groups[gi];
  const bool first = (side == 0) == (g.spouseOrder == 0);
  return g.left + g.links[first ? kLinkFirstName : kLinkSecondName];
}

int Layout::ChildLinkColumn(const FamilyGroup& g, const ChildRecord& c) const {
  const std::vector<int> shown = ShownChildren(g);
  if (shown.size() <= 1) return g.left + g.coupleColumn + Len(g.first) + 1;
  return g.left + g.childrenColumn + c.column;
}

int Layout::Straighten() {
  const int start = t_.startSlot;
  // The run of single groups from the start slot, from its top downwards.
  int top = start;
  while (top + 1 <= r_.endSlot && r_.slots[top + 1].groups == 1) ++top;
  if (r_.slots[start].groups == 1) {
    for (int s = top; s > start; --s) {
      const int upper = t_.GroupsOf(s).front();
      const int lower = t_.GroupsOf(s - 1).front();
      const FamilyGroup& u = t_.groups[upper];
      int target = 0;
      for (std::uint16_t c : u.children) {
        if (c == 0) break;
        if (t_.children[c].target == lower) {
          target = ChildLinkColumn(u, t_.children[c]);
          break;
        }
      }
      if (target == 0) break;
      const FamilyGroup& l = t_.groups[lower];
      const bool husbandLine = ParentGroup(s - 1, 2 * std::int64_t(l.key)) == upper;
      const int move = target - ArrivalColumn(lower, husbandLine ? 0 : 1);
      if (std::abs(move) > r_.slots[s - 1].gap) break;
      if (move != 0 && CanMove(s - 1, 0, move)) Move(lower, move);
    }
  }
  // Along each selected ancestor's line, from its top family down.
  for (std::int32_t number : t_.selection) {
    for (std::int32_t key = number >> 1; key > 1; key >>= 1) {
      int tu = 0, su = 0, tl = 0, sl = 0;
      if (!t_.Find(key, start, tu, su) || !t_.Find(key >> 1, start, tl, sl)) break;
      const int upper = t_.Cell(tu, su).group, lower = t_.Cell(tl, sl).group;
      if (upper <= 0 || lower <= 0 || sl != su - 1) break;
      const FamilyGroup& u = t_.groups[upper];
      int target = -1;
      for (std::uint16_t c : u.children) {
        if (c == 0) break;
        if (t_.children[c].target == lower) {
          target = ChildLinkColumn(u, t_.children[c]);
          break;
        }
      }
      if (target < 0) {
        p_.Show(kMsgReformat);
        return kMsgReformat;
      }
      const int move = target - ArrivalColumn(lower, (key & 1) == 0 ? 0 : 1);
      const std::vector<int> mains = t_.GroupsOf(sl);
      const std::size_t index =
          std::size_t(std::find(mains.begin(), mains.end(), lower) - mains.begin());
      const int gap = r_.slots[sl].gap;
      const bool outward = (index == 0 && move < 0) || (index + 1 == mains.size() && move > 0);
      const bool small = 2 * std::abs(move) < gap || (outward && std::abs(move) < gap);
      if (move != 0 && small && CanMove(sl, index, move)) Move(lower, move);
    }
  }
  // Centring on the page when the chart is more than 5 columns off.
  int leftmost = usable_, rightmost = 0;
  for (int s = start; s <= r_.endSlot; ++s)
    for (int gi : t_.GroupsOf(s)) {
      leftmost = std::min(leftmost, UnitLeft(gi));
      rightmost = std::max(rightmost, UnitLeft(gi) + UnitWidth(gi));
    }
  const int shift = ((leftmost - 1) + (usable_ - rightmost)) / 2 - (leftmost - 1);
  if (std::abs(shift) > 5)
    for (int s = start; s <= r_.endSlot; ++s)
      for (int gi : t_.GroupsOf(s)) Move(gi, shift);
  return 0;
}

int Layout::ApplyShifts(const std::vector<ManualShift>& shifts) {
  std::size_t next = 0;
  for (int s = t_.startSlot; s <= r_.endSlot && next < shifts.size(); ++s)
    for (int gi : t_.GroupsOf(s)) {
      if (next >= shifts.size()) break;
      if (shifts[next].key != t_.groups[gi].key) {
        p_.Show(21);
        return 21;
      }
      Move(gi, shifts[next++].shift);
    }
  return 0;
}

int Layout::NumberLinks() {
  for (int s = t_.startSlot + 1; s <= r_.endSlot; ++s) {
    struct Link {
      int child, from, to;
    };
    std::vector<Link> links;
    for (int gi : t_.GroupsOf(s)) {
      const FamilyGroup& g = t_.groups[gi];
      for (std::uint16_t c : g.children) {
        if (c == 0) break;
        ChildRecord& rec = t_.children[c];
        rec.linkNumber = 0;
        if (rec.target <= 0) continue;
        const FamilyGroup& lower = t_.groups[rec.target];
        const int side = rec.individual == lower.husbandId && lower.husbandId != 0 ? 0 : 1;
        rec.arrival = ArrivalColumn(rec.target, side);
        links.push_back({c, ChildLinkColumn(g, rec), rec.arrival});
      }
    }
    int arrivals = 0;
    for (int gi : t_.GroupsOf(s - 1)) {
      const FamilyGroup& g = t_.groups[gi];
      if (ParentGroup(s - 1, 2 * std::int64_t(g.key)) != 0) ++arrivals;
      if (ParentGroup(s - 1, 2 * std::int64_t(g.key) + 1) != 0) ++arrivals;
    }
    if (arrivals != int(links.size())) {
      p_.Show(kMsgLinksMismatch);
      return kMsgLinksMismatch;
    }
    int numbers = 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
      bool crosses = false;
      for (std::size_t j = 0; j < links.size() && !crosses; ++j) {
        if (i == j) continue;
        const Link& a = links[i];
        const Link& b = links[j];
        crosses = (a.from < b.from && a.to > b.to) || (a.from > b.from && a.to < b.to) ||
                  (a.from != b.from && a.to == b.to);
      }
      if (crosses) t_.children[links[i].child].linkNumber = ++numbers;
    }
    r_.slots[s].linkNumbers = numbers;
  }
  return 0;
}

// The topmost line a slot's band uses: its couple line.
int Layout::TopOf(int s) const {
  const SlotLayout& sl = r_.slots[s];
  const int fold = sl.folded ? 4 + bd_ : 0;
  return sl.line - 5 - 2 * bd_ - r_.upperSpacing - (sl.linkNumbers > 0 ? 1 : 0) - fold;
}

int Layout::SpaceVertically() {
  const int start = t_.startSlot;
  r_.slots[start].line = (usableLines_ - 4) + 2;
  for (int s = start + 1; s <= r_.endSlot; ++s) {
    const SlotLayout& below = r_.slots[s - 1];
    const SlotLayout& here = r_.slots[s];
    const bool multi = here.multi && !o_.noSiblings;
    int step = multi ? 8 : 4;
    if (bd_) step += multi ? 2 : 1;
    if (below.folded) step += 4 + bd_;
    step += (below.linkNumbers > 0 ? 1 : 0) + (here.linkNumbers > 0 ? 1 : 0);
    r_.slots[s].line = below.line - step;
  }
  int excluded = 0;
  for (int s = r_.endSlot; s >= start && TopOf(s) < 0; --s) ++excluded;
  if (excluded > 0) {
    if (excluded > r_.endSlot - start) {
      p_.Show(kMsgNoGenerationLeft);
      return kMsgNoGenerationLeft;
    }
    const std::string suffix =
        " " + std::to_string(excluded) + " " + std::string(StringText(kMsgGenerationsExcluded));
    if (!p_.Ask(kMsgTooManyGenerations, suffix)) return -1;
    r_.endSlot -= excluded;
  }
  Spread();
  return 0;
}

// Spreads the spare lines above the oldest row between the rows.
void Layout::Spread() {
  const int start = t_.startSlot;
  const int n = r_.endSlot - start;
  const int spare = TopOf(r_.endSlot) - 1;
  if (n <= 0 || spare <= 0) return;  // one row, or no room: nothing to spread
  int q = spare / n, r = spare % n;
  const int q2 = (r < 10 && q > 2) ? q - 1 : q;
  int h = q2 / 2;
  int upper = 0, lower = 0;
  if (h < 1) {
    if (q2 > 0) {
      lower = 1;
      q -= 1;
    }
  } else {
    if (o_.compressVertical) h = 1;
    upper = lower = h;
    q -= 2 * h;
  }
  if (q > 0) r += q * n;
  int first = r > 0 ? 2 * r / 3 + lower : lower;
  // Every row, the oldest included, must stay on the page: the last shift
  // and the upper spacing together may not use more than the spare lines.
  for (;;) {
    const int last = first + n * (upper + lower) + upper;
    if (last <= spare) break;
    if (first > lower) {
      first = lower;
    } else if (upper > 0 || lower > 0) {
      if (upper >= lower && upper > 0)
        --upper;
      else
        --lower;
      first = lower;
    } else {
      first = 0;
      break;
    }
  }
  r_.upperSpacing = upper;
  r_.lowerSpacing = lower;
  int shift = first;
  for (int s = start; s <= r_.endSlot; ++s) {
    r_.slots[s].line -= shift;
    shift += upper + lower;
  }
}

int Layout::Run(const std::vector<ManualShift>& shifts) {
  r_ = SelectiveLayoutResult{};
  r_.usableColumns = usable_;
  r_.baseWidth = Len(t_.baseName);
  const int start = t_.startSlot;
  int end = start;
  for (int s = start; s < 31 && !t_.GroupsOf(s).empty(); ++s) {
    FindTargets(s);
    end = s;
  }
  if (t_.GroupsOf(start).empty()) {
    p_.Show(kMsgDataError);
    return kMsgDataError;
  }
  for (int s = start; s <= end; ++s)
    if (int rc = LayoutSlot(s)) return rc;
  r_.endSlot = end;
  if (!o_.noStraightening)
    if (int rc = Straighten()) return rc;
  if (!shifts.empty())
    if (int rc = ApplyShifts(shifts)) return rc;
  for (int s = start; s <= end; ++s) PlaceOthers(s);
  if (int rc = NumberLinks()) return rc;
  return SpaceVertically();
}

// ---- Formatting ----

class Formatter {
 public:
  Formatter(const SelectiveTables& t, const SelectiveOptions& o, const SelectiveLayoutResult& r,
            std::vector<SelectiveItem>& items)
      : t_(t), o_(o), r_(r), items_(items), bd_(o.birthMarriage ? 1 : 0) {}

  int Run();

 private:
  struct Rows {
    int couple = 0, children = 0, second = 0, line = 0;
  };
  Rows RowsOf(int slot) const;
  void Text(int column, int line, const std::string& text, int flag = 0) {
    if (text.empty()) return;
    Add({column, static_cast<std::int16_t>(line), kTextItem, static_cast<std::int16_t>(flag),
         text});
  }
  void HRule(int from, int to, int line) {
    if (to < from) std::swap(from, to);
    if (to == from) return;
    Add({from,
         static_cast<std::int16_t>(line),
         kHorizontalItem,
         static_cast<std::int16_t>(to - from),
         {}});
  }
  void VRule(int column, int from, int to) {
    if (to <= from) return;
    Add({column,
         static_cast<std::int16_t>(from),
         kVerticalItem,
         static_cast<std::int16_t>(to - from),
         {}});
  }
  void Add(SelectiveItem item) {
    if (int(items_.size()) >= kItemCapacity) {
      overflow_ = true;
      return;
    }
    items_.push_back(std::move(item));
  }
  void Group(int gi, const Rows& rows, int otherSide);
  void Links(int slot);
  std::string ChildText(const ChildRecord& c) const {
    std::string text(FieldText(c.given));
    if (o_.allCapitals) UpperCase1252(text);
    return text;
  }
  int LinkStart(int gi, const ChildRecord& c, const Rows& rows, int& column) const;

  const SelectiveTables& t_;
  const SelectiveOptions& o_;
  const SelectiveLayoutResult& r_;
  std::vector<SelectiveItem>& items_;
  int bd_;
  bool overflow_ = false;
};

Formatter::Rows Formatter::RowsOf(int slot) const {
  const SlotLayout& s = r_.slots[slot];
  Rows rows;
  rows.line = s.line;
  const int fold = s.folded ? 4 + bd_ : 0;
  rows.second = s.line - 2 - bd_ - r_.upperSpacing - (s.linkNumbers > 0 ? 1 : 0);
  rows.children = rows.second - fold;
  rows.couple = rows.children - 3 - bd_;
  return rows;
}

void Formatter::Group(int gi, const Rows& rows, int otherSide) {
  const FamilyGroup& g = t_.groups[gi];
  const int w1 = int(g.first.size());
  const int cc = g.left + g.coupleColumn;
  const std::string join = o_.marriageByEquals ? "= " : "m ";
  int joinCol = cc + w1 + 1;
  if (otherSide == 2) {
    joinCol = cc;
    Text(cc, rows.couple, join, 1);
    Text(cc + 3, rows.couple, g.first);
  } else {
    Text(cc, rows.couple, g.first);
    Text(joinCol, rows.couple, join, 1);
    if (otherSide == 0) Text(cc + w1 + 3, rows.couple, g.second);
  }
  if (otherSide == 0 && bd_) Text(g.left + g.marriageColumn, rows.couple + 1, g.marriageShown, 1);

  std::vector<int> shown;
  if (!o_.noSiblings)
    for (std::uint16_t c : g.children) {
      if (c == 0 || shown.size() >= 24) break;
      shown.push_back(c);
    }
  const int below = rows.couple + 1 + bd_;  // first line under the couple's texts
  int last = rows.couple + bd_;
  if (shown.size() == 1) {
    const ChildRecord& c = t_.children[shown.front()];
    if (c.target == 0) {
      VRule(joinCol, below, rows.children);
      Text(g.left + g.childrenColumn + c.column, rows.children, ChildText(c));
      const int mid = g.left + g.childrenColumn + c.column + c.width / 2;
      if (bd_) Text(mid - 2, rows.children + 1, std::string(FieldText(c.year)), 1);
      if (o_.numberChildren) Text(mid + 1, rows.children - 1, "1", 1);
      last = rows.children + bd_;
    }
  } else if (shown.size() > 1) {
    VRule(joinCol, below, rows.children - 1);
    int rowFirst[2] = {-1, -1}, rowLast[2] = {-1, -1};
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const ChildRecord& c = t_.children[shown[i]];
      const int row = c.row;
      const int line = row == 0 ? rows.children : rows.second;
      const int col = g.left + g.childrenColumn + c.column;
      const int mid = c.target != 0 ? col : col + c.width / 2;
      if (rowFirst[row] < 0) rowFirst[row] = mid;
      rowLast[row] = mid;
      if (o_.numberChildren) Text(mid + 1, line - 1, std::to_string(i + 1), 1);
      if (c.target != 0) continue;  // its link is drawn with the slot's links
      VRule(mid, line - 1, line);
      Text(col, line, ChildText(c));
      if (bd_) Text(mid - 2, line + 1, std::string(FieldText(c.year)), 1);
      last = std::max(last, line + bd_);
    }
    if (g.fold == 3 && rowFirst[1] >= 0) {
      // The second row hangs from the right end of the first.
      int connector = std::max(rowLast[0] + 1, g.left + g.childrenColumn);
      for (int c : shown) {
        const ChildRecord& rec = t_.children[c];
        if (rec.row == 0)
          connector = std::max(connector, g.left + g.childrenColumn + rec.column + rec.width + 1);
      }
      HRule(rowFirst[0], connector, rows.children - 1);
      VRule(connector, rows.children - 1, rows.second - 1);
      HRule(std::min(rowFirst[1], connector), std::max(rowLast[1], connector), rows.second - 1);
    } else {
      HRule(rowFirst[0], rowLast[0], rows.children - 1);
    }
    last = std::max(last, rows.children);
  }
  if (otherSide == 0 && (o_.boxes || o_.boxesAndNumbers)) {
    // A rule on line n runs through the middle of line n - 1: the box's top
    // runs above the couple, its bottom below the last line of text.
    if (o_.boxesAndNumbers) last = std::max(last, rows.couple + 1 + bd_);  // the key's line
    const int top = rows.couple, bottom = last + 2;
    const int right = g.left + g.width;
    HRule(g.left, right, top);
    HRule(g.left, right, bottom);
    VRule(g.left, top, bottom);
    VRule(right, top, bottom);
    if (o_.boxesAndNumbers) {
      const std::string key(FieldText(g.keyText));
      Text(std::max(g.left + 1, right - std::max(6, int(key.size()) + 1)), rows.couple + 1 + bd_,
           key, 0);
    }
  }
}

// Where the link of a line-continuing child leaves its group: the line and
// (in column) the column.
int Formatter::LinkStart(int gi, const ChildRecord& c, const Rows& rows, int& column) const {
  const FamilyGroup& g = t_.groups[gi];
  int shown = 0;
  if (!o_.noSiblings)
    for (std::uint16_t k : g.children) {
      if (k == 0 || shown >= 24) break;
      ++shown;
    }
  if (shown <= 1) {
    column = g.left + g.coupleColumn + int(g.first.size()) + 1;
    return rows.couple + 1 + bd_;
  }
  column = g.left + g.childrenColumn + c.column;
  return (c.row == 0 ? rows.children : rows.second) - 1;
}

void Formatter::Links(int slot) {
  const Rows rows = RowsOf(slot);
  if (slot == t_.startSlot) {
    for (int gi : t_.GroupsOf(slot))
      for (std::uint16_t c : t_.groups[gi].children) {
        if (c == 0) break;
        const ChildRecord& rec = t_.children[c];
        if (rec.target != -1) continue;
        int col = 0;
        const int from = LinkStart(gi, rec, rows, col);
        VRule(col, from, rows.line);
        const int width = int(t_.baseName.size());
        const int left = std::max(0, std::min(col - width / 2, r_.usableColumns - width));
        std::string name = t_.baseName;
        std::replace(name.begin(), name.end(), '_', ' ');
        if (o_.allCapitals) UpperCase1252(name);
        Text(left, rows.line, name);
      }
    return;
  }
  const Rows lower = RowsOf(slot - 1);
  // Links run across on the line above the couples they lead to; a link
  // whose run would share that line with an earlier one takes the line
  // above, so that two links never merge into one rule.
  std::vector<std::pair<int, int>> runs[2];
  auto jogLine = [&](int from, int to, int top) {
    if (to < from) std::swap(from, to);
    for (int k = 0; k < 2 && lower.couple - 1 - k > top; ++k) {
      bool clear = true;
      for (const auto& [a, b] : runs[k]) clear = clear && (to < a || from > b);
      if (clear) {
        runs[k].push_back({from, to});
        return lower.couple - 1 - k;
      }
    }
    return lower.couple - 1;
  };
  for (int gi : t_.GroupsOf(slot))
    for (std::uint16_t c : t_.groups[gi].children) {
      if (c == 0) break;
      const ChildRecord& rec = t_.children[c];
      if (rec.target <= 0) continue;
      int col = 0;
      const int from = LinkStart(gi, rec, rows, col);
      if (rec.linkNumber > 0) {
        const std::string number = std::to_string(rec.linkNumber);
        VRule(col, from, from + 1);
        Text(col, from + 1, number);
        Text(rec.arrival - int(number.size()) / 2, lower.couple - 1, number);
        continue;
      }
      const int jog = col == rec.arrival ? lower.couple - 1 : jogLine(col, rec.arrival, from);
      VRule(col, from, jog);
      HRule(col, rec.arrival, jog);
      VRule(rec.arrival, jog, lower.couple);
    }
}

int Formatter::Run() {
  items_.clear();
  for (int s = t_.startSlot; s <= r_.endSlot; ++s) {
    const Rows rows = RowsOf(s);
    int end = 0;
    bool firstUnit = true;
    for (int gi : t_.GroupsOf(s)) {
      const FamilyGroup& g = t_.groups[gi];
      const int leftOther = g.spouseOrder == 0 ? g.husbandOther : g.wifeOther;
      const int rightOther = g.spouseOrder == 0 ? g.wifeOther : g.husbandOther;
      const int unitLeft = leftOther > 0 ? t_.groups[leftOther].left : g.left;
      if (!firstUnit && unitLeft < end) return kMsgGroupsOverlap;
      firstUnit = false;
      if (leftOther > 0) Group(leftOther, rows, 1);
      Group(gi, rows, 0);
      if (rightOther > 0) Group(rightOther, rows, 2);
      end = rightOther > 0 ? t_.groups[rightOther].left + t_.groups[rightOther].width
                           : g.left + g.width;
    }
    Links(s);
    if (overflow_) return kMsgTooManyItems;
  }
  return 0;
}

}  // namespace

int SelectiveExtentFor(const SelectivePage& page, SelectiveExtent& e) {
  e = {};
  if (page.pageColumns == 0 || page.pageLines == 0) return kMsgNoPaper;
  e.chartColumns = page.pageColumns + 1;
  e.chartLines = page.pageLines + 1;
  e.usableColumns = page.pageColumns - page.marginLeft - page.marginRight;
  e.usableLines = page.pageLines - page.marginTop - page.marginBottom;
  if (e.usableLines == 0) {
    e.usableLines = 129;
    e.chartLines = 130;
  }
  if (e.usableColumns == 0) {
    e.usableColumns = 159;
    e.chartColumns = 160;
  }
  return 0;
}

int LayoutSelectiveTree(SelectiveTables& tables, const SelectiveOptions& options,
                        const SelectiveExtent& extent, const std::vector<ManualShift>& shifts,
                        const SelectivePrompter& prompter, SelectiveLayoutResult& result) {
  Layout layout(tables, options, extent, prompter, result);
  return layout.Run(shifts);
}

int FormatSelectiveTree(const SelectiveTables& tables, const SelectiveOptions& options,
                        const SelectiveLayoutResult& layout, const SelectivePrompter& prompter,
                        std::vector<SelectiveItem>& items) {
  Formatter f(tables, options, layout, items);
  const int rc = f.Run();
  if (rc != 0) {
    prompter.Show(rc);
    items.clear();
  }
  return rc;
}

std::string FormatSelectiveList(const std::vector<SelectiveItem>& items) {
  std::string out;
  for (const SelectiveItem& it : items) {
    const char* kind = it.kind == kTextItem         ? "text"
                       : it.kind == kHorizontalItem ? "hline"
                                                    : "vline";
    out += std::to_string(it.column) + "\t" + std::to_string(it.line) + "\t" + kind + "\t" +
           std::to_string(it.length) + "\t" + CEscape(it.text) + "\n";
  }
  return out;
}

}  // namespace dv
