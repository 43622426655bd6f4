#include "charts/full/FullChartStraighten.h"

#include <algorithm>
#include <array>
#include <climits>

namespace dv {

namespace {

// A run of k reversed links (k - 1 reversed neighbour pairs) costs 1 + ... + k.
long long RunCost(long long reversedPairs) {
  const long long k = reversedPairs + 1;
  return k * (k + 1) / 2;
}

}  // namespace

long long CrossingPenalty(const std::vector<int>& lowerEnds) {
  long long total = 0, run = 0;
  for (std::size_t i = 0; i + 1 < lowerEnds.size(); ++i) {
    if (lowerEnds[i + 1] < lowerEnds[i]) {
      ++run;
    } else if (run > 0) {
      total += RunCost(run);
      run = 0;
    }
  }
  if (run > 0) total += RunCost(run);
  return total;
}

PairPenalty::PairPenalty(std::vector<int> lowerEnds)
    : lower_(std::move(lowerEnds)),
      reversed_(lower_.size() > 1 ? lower_.size() - 1 : 0, 0),
      total_(CrossingPenalty(lower_)) {
  for (std::size_t i = 0; i < reversed_.size(); ++i)
    reversed_[i] = lower_[i + 1] < lower_[i] ? 1 : 0;
}

void PairPenalty::Set(std::size_t i, int lowerEnd) {
  if (i >= lower_.size()) return;
  pending_.push_back(i);
  pendingValue_.push_back(lowerEnd);
}

long long PairPenalty::RunsIn(std::size_t from, std::size_t to) const {
  long long total = 0, run = 0;
  for (std::size_t i = from; i <= to; ++i) {
    if (reversed_[i]) {
      ++run;
    } else if (run > 0) {
      total += RunCost(run);
      run = 0;
    }
  }
  if (run > 0) total += RunCost(run);
  return total;
}

long long PairPenalty::Commit() {
  if (pending_.empty()) return 0;
  std::size_t first = pending_.front(), last = pending_.front();
  for (std::size_t k = 0; k < pending_.size(); ++k) {
    lower_[pending_[k]] = pendingValue_[k];
    first = std::min(first, pending_[k]);
    last = std::max(last, pending_[k]);
  }
  pending_.clear();
  pendingValue_.clear();
  if (reversed_.empty()) return 0;
  // The neighbour pairs of the changed links, widened to the whole runs
  // they belong to; the pairs just outside are unchanged and not reversed,
  // so no run crosses the window's edge before or after.
  std::size_t lo = first > 0 ? first - 1 : 0;
  std::size_t hi = std::min(last, reversed_.size() - 1);
  while (lo > 0 && reversed_[lo - 1]) --lo;
  while (hi + 1 < reversed_.size() && reversed_[hi + 1]) ++hi;
  const long long before = RunsIn(lo, hi);
  for (std::size_t i = lo; i <= hi; ++i) reversed_[i] = lower_[i + 1] < lower_[i] ? 1 : 0;
  const long long delta = RunsIn(lo, hi) - before;
  total_ += delta;
  return delta;
}

void FitRowToPagesAcross(FullChartStorage& s, int generation, int U) {
  const auto& row = s.rowGroups[std::size_t(generation)];
  long long prevEnd = LLONG_MIN / 4;
  std::int32_t prev = 0;
  for (std::size_t i = 0; i < row.size();) {
    // A chain of marriages moves as one: its first group's column and the
    // right column of its last.
    std::size_t last = i;
    long long width = GroupWidth(s, row[i]);
    while (last + 1 < row.size() && ChainedTo(s, row[last], row[last + 1])) {
      width += s.chainGap + GroupWidth(s, row[last + 1]);
      ++last;
    }
    long long col = std::max<long long>(GroupColumn(s, row[i]), prevEnd + MinGap(s, prev, row[i]));
    const long long right = col + width - 1;
    if ((col - 1) / U != right / U) col = (right / U) * U + 1;
    for (std::size_t k = i; k <= last; ++k) {
      SetGroupColumn(s, row[k], int(std::min<long long>(col, INT_MAX / 4)));
      col += GroupWidth(s, row[k]) + s.chainGap;
    }
    prevEnd = col - s.chainGap;
    prev = row[last];
    i = last + 1;
  }
}

namespace {

constexpr int kNoLimit = INT_MAX / 4;

// A link as one row pair holds it: the table it came from and its place in
// the order of upper ends.
struct LinkRef {
  const DescentLink* link = nullptr;
  int table = 0;
  std::size_t position = 0;
};

class Straightener {
 public:
  Straightener(const FullChartStyle& style, const FullChartPage& page, int U, bool breaks,
               FullChartStorage& s)
      : style_(style),
        page_(page),
        U_(U),
        breaks_(breaks),
        s_(s),
        L_(s.lowest),
        H_(s.highest),
        inFamily_(s.families.size()),
        outFamily_(s.families.size()),
        inHolder_(s.placeholders.size()),
        outHolder_(s.placeholders.size()) {}

  ChartStatus Run();

 private:
  // Gathers the links of every row pair in the order of their upper ends;
  // false when a link does not join two neighbouring rows.
  bool GatherLinks();
  // The rows that runs of link placeholders cross: every placeholder a line
  // runs through stands in its own row and on one page.
  ChartStatus PlaceholderRuns();
  int GenerationOf(std::int32_t id) const;
  std::vector<LinkRef>& In(std::int32_t id) {
    return id > 0 ? inFamily_[std::size_t(id)] : inHolder_[std::size_t(-std::int64_t(id))];
  }
  std::vector<const DescentLink*>& Out(std::int32_t id) {
    return id > 0 ? outFamily_[std::size_t(id)] : outHolder_[std::size_t(-std::int64_t(id))];
  }
  bool InRange(int g) const { return g >= L_ && g <= H_; }
  long long PairTotal(int lowerGeneration) const {
    long long t = 0;
    for (const auto& p : penalty_[std::size_t(lowerGeneration)]) t += p.total();
    return t;
  }
  // Brings the lower ends of the links reaching the groups up to date and
  // returns the change of the penalty of the row pair above them.
  long long Refresh(const std::vector<std::int32_t>& groups);
  void RefreshRow(int g) { Refresh(s_.rowGroups[std::size_t(g)]); }

  // Free columns beside group i of row g in direction dir (+1 right, -1 left).
  int FreeBeside(int g, std::size_t i, int dir, int rightLimit) const;

  // What a pass wants of a group: the shift d that would straighten its
  // lines, and whether it has any lines the pass looks at.
  struct Wish {
    int d = 0;
    bool links = false;
  };
  enum class Pass { kA, kB, kC };
  Wish WishOf(Pass pass, int mode, std::int32_t id);

  // The move rule: group i of row g moves d columns, pushing its neighbours
  // when its own free space is short (a neighbour is pushed when it has no
  // lines to keep straight or wants to go the same way); undone when the
  // crossing penalty of the row pair above grows by more than 2. True when
  // something moved.
  bool Move(int g, std::size_t i, int d, int rightLimit, Pass pass, int mode);

  // One round of a pass over row g; true when the row's columns changed.
  bool Round(int g, Pass pass, int mode, int rightLimit);
  void PassA(int from, int to, int mode, int rounds);
  void PassB(int from, int to, int rounds);
  void PassC(int from, int to, int mode, int rounds);
  void CrossingsOfPair(int lowerGeneration);
  void PassX(int start, int mode);

  int RowExtent(int g) const;
  void UpdateWidest(int g);

  const FullChartStyle& style_;
  const FullChartPage& page_;
  const int U_;
  const bool breaks_;
  FullChartStorage& s_;
  const int L_, H_;
  std::vector<std::vector<LinkRef>> inFamily_;
  std::vector<std::vector<const DescentLink*>> outFamily_;
  std::vector<std::vector<LinkRef>> inHolder_;
  std::vector<std::vector<const DescentLink*>> outHolder_;
  // Per lower generation: the links of the row pair by table, in the order
  // of their upper ends, their penalties and the lowest total reached.
  std::array<std::array<std::vector<const DescentLink*>, 2>, kGenerationRows> pairLinks_{};
  std::vector<std::array<PairPenalty, 2>> penalty_;
  std::array<long long, kGenerationRows> lowestPenalty_{};
  int widest_ = 0, widestExtent_ = 0;
  int workingWidth_ = kNoLimit;
  std::vector<std::int32_t> moved_;
  std::vector<long long> shifts_, prefixScratch_;
  std::vector<int> offsetScratch_, columnsScratch_;
  // Of the row being adjusted, the groups [0, tight_) have no free column to
  // their left: a move to the left stops gathering there at once, instead
  // of walking through a packed row to its start.
  std::size_t tight_ = 0;
  void ExtendTight(int g) {
    const auto& row = s_.rowGroups[std::size_t(g)];
    while (tight_ < row.size() && FreeBeside(g, tight_, -1, kNoLimit) == 0) ++tight_;
  }
  // Each group's index in its row (rows never change their order).
  std::vector<std::size_t> indexFamily_, indexHolder_;
  std::size_t IndexInRow(std::int32_t id) const {
    return id > 0 ? indexFamily_[std::size_t(id)] : indexHolder_[std::size_t(-std::int64_t(id))];
  }
};

int Straightener::GenerationOf(std::int32_t id) const {
  if (id > 0)
    return std::size_t(id) < s_.families.size() ? s_.families[std::size_t(id)].generation : 0;
  const Placeholder* p = s_.PlaceholderOf(id);
  return p ? p->generation : 0;
}

bool Straightener::GatherLinks() {
  const std::vector<DescentLink>* tables[2] = {&s_.ancestralLinks, &s_.descendantLinks};
  for (int t = 0; t < 2; ++t) {
    for (std::size_t i = 1; i < tables[t]->size(); ++i) {
      const DescentLink& l = (*tables[t])[i];
      if (l.flag == kLinkWithdrawn) continue;
      if (l.upper == 0 || l.lower == 0) return false;
      if (l.lower < 0 && s_.PlaceholderOf(l.lower) == nullptr) return false;
      if (l.upper < 0 && s_.PlaceholderOf(l.upper) == nullptr) return false;
      if (l.upper > 0 && std::size_t(l.upper) >= s_.families.size()) return false;
      if (l.lower > 0 && std::size_t(l.lower) >= s_.families.size()) return false;
      const int gl = GenerationOf(l.lower), gu = GenerationOf(l.upper);
      if (gu != gl + 1 || !InRange(gl) || !InRange(gu)) return false;
      pairLinks_[std::size_t(gl)][std::size_t(t)].push_back(&l);
      Out(l.upper).push_back(&l);
    }
  }
  indexFamily_.assign(s_.families.size(), 0);
  indexHolder_.assign(s_.placeholders.size(), 0);
  for (int g = L_; g <= H_; ++g) {
    const auto& row = s_.rowGroups[std::size_t(g)];
    for (std::size_t i = 0; i < row.size(); ++i) {
      const std::int32_t id = row[i];
      if (id > 0 && std::size_t(id) < indexFamily_.size()) indexFamily_[std::size_t(id)] = i;
      if (id < 0 && std::size_t(-std::int64_t(id)) < indexHolder_.size())
        indexHolder_[std::size_t(-std::int64_t(id))] = i;
    }
  }
  penalty_.resize(kGenerationRows,
                  {PairPenalty(std::vector<int>{}), PairPenalty(std::vector<int>{})});
  for (int g = L_; g < H_; ++g) {
    for (int t = 0; t < 2; ++t) {
      auto& links = pairLinks_[std::size_t(g)][std::size_t(t)];
      // Rows keep their order, so the order of the upper ends is settled
      // once here.
      std::stable_sort(links.begin(), links.end(), [&](const DescentLink* a, const DescentLink* b) {
        return UpperColumn(s_, style_, *a) < UpperColumn(s_, style_, *b);
      });
      std::vector<int> lower;
      lower.reserve(links.size());
      for (std::size_t k = 0; k < links.size(); ++k) {
        lower.push_back(LowerColumn(s_, style_, *links[k]));
        In(links[k]->lower).push_back({links[k], t, k});
      }
      penalty_[std::size_t(g)][std::size_t(t)] = PairPenalty(std::move(lower));
    }
    lowestPenalty_[std::size_t(g)] = PairTotal(g);
  }
  return true;
}

long long Straightener::Refresh(const std::vector<std::int32_t>& groups) {
  long long delta = 0;
  int g = 0;
  for (std::int32_t id : groups) {
    for (const LinkRef& r : In(id)) {
      g = GenerationOf(r.link->lower);
      penalty_[std::size_t(g)][std::size_t(r.table)].Set(r.position,
                                                         LowerColumn(s_, style_, *r.link));
    }
  }
  if (g == 0) return 0;
  for (auto& p : penalty_[std::size_t(g)]) delta += p.Commit();
  return delta;
}

int Straightener::FreeBeside(int g, std::size_t i, int dir, int rightLimit) const {
  const auto& row = s_.rowGroups[std::size_t(g)];
  const std::int32_t id = row[i];
  const int col = GroupColumn(s_, id), end = col + GroupWidth(s_, id);
  // The boxes of a chain move together: no free space between them.
  if (dir > 0 && i + 1 < row.size() && ChainedTo(s_, id, row[i + 1])) return 0;
  if (dir < 0 && i > 0 && ChainedTo(s_, row[i - 1], id)) return 0;
  if (dir > 0) {
    if (i + 1 == row.size()) return std::max(0, rightLimit - end);
    const int gap = GroupColumn(s_, row[i + 1]) - end;
    return gap < 3 ? 0 : gap - 2;
  }
  if (i == 0) return std::max(0, col - (page_.chartLeft + 1));
  const int gap = col - (GroupColumn(s_, row[i - 1]) + GroupWidth(s_, row[i - 1]));
  return gap < 3 ? 0 : gap - 2;
}

bool Straightener::Move(int g, std::size_t i, int d, int rightLimit, Pass pass, int mode) {
  if (d == 0) return false;
  const auto& row = s_.rowGroups[std::size_t(g)];
  const int dir = d > 0 ? 1 : -1;
  const long long want = d > 0 ? d : -(long long)d;
  // A chain moves whole: start from its end away from the move.
  if (dir > 0)
    while (i > 0 && ChainedTo(s_, row[i - 1], row[i])) --i;
  else
    while (i + 1 < row.size() && ChainedTo(s_, row[i], row[i + 1])) ++i;
  // Free space gathered group by group; prefix[k] is the space before the
  // k-th group of the move, which that group need not move. A group keeps
  // to its page across: the k-th group can move at most its room on the
  // page, so the move can be no longer than that room plus prefix[k], and
  // once the space gathered reaches that bound the groups further on would
  // not move at all.
  std::vector<long long>& prefix = prefixScratch_;
  prefix.clear();
  long long gathered = 0, bound = want;
  std::size_t j = i;
  for (;;) {
    if (breaks_) {
      const int col = GroupColumn(s_, row[j]), right = col + GroupWidth(s_, row[j]) - 1;
      // A group that straddles a boundary now is fitted to the pages later.
      if ((col - 1) / U_ == right / U_) {
        const long long room =
            dir > 0 ? (long long)((col - 1) / U_ + 1) * U_ - 1 - right : (col - 1) % U_;
        bound = std::min(bound, room + gathered);
      }
      if (gathered >= bound) break;
    }
    prefix.push_back(gathered);
    gathered += FreeBeside(g, j, dir, rightLimit);
    if (gathered >= bound) break;
    if (dir > 0 ? j + 1 >= row.size() : j == 0) break;
    const std::size_t next = dir > 0 ? j + 1 : j - 1;
    if (dir < 0 && next < tight_) break;  // nothing more to gather
    const bool glued =
        dir > 0 ? ChainedTo(s_, row[j], row[next]) : ChainedTo(s_, row[next], row[j]);
    if (!glued) {
      const Wish w = WishOf(pass, mode, row[next]);
      if (w.links && (w.d == 0 || (w.d > 0) != (dir > 0))) break;
    }
    j = next;
  }
  const long long shift = std::min(bound, gathered);
  if (shift <= 0 || prefix.empty()) return false;
  moved_.clear();
  for (std::size_t k = 0; k < prefix.size(); ++k) {
    const long long amount = shift - prefix[k];
    if (amount <= 0) break;
    const std::int32_t id = row[dir > 0 ? i + k : i - k];
    SetGroupColumn(s_, id, GroupColumn(s_, id) + int(dir * amount));
    moved_.push_back(id);
  }
  if (moved_.empty()) return false;
  if (Refresh(moved_) > 2) {
    for (std::size_t k = 0; k < moved_.size(); ++k) {
      const std::int32_t id = moved_[k];
      SetGroupColumn(s_, id, GroupColumn(s_, id) - int(dir * (shift - prefix[k])));
    }
    Refresh(moved_);
    return false;
  }
  // A move right opens a gap left of its first group.
  if (dir > 0) tight_ = std::min(tight_, i);
  ExtendTight(g);
  return true;
}

namespace {
// The mean of the offsets, rounded towards zero.
int MeanOffset(long long sum, int n) { return n ? int(sum / n) : 0; }
}  // namespace

Straightener::Wish Straightener::WishOf(Pass pass, int mode, std::int32_t id) {
  Wish w;
  long long sum = 0;
  int n = 0;
  switch (pass) {
    case Pass::kA:
      // Towards the child slots above.
      for (const LinkRef& r : In(id)) {
        sum += UpperColumn(s_, style_, *r.link) - LowerColumn(s_, style_, *r.link);
        ++n;
      }
      break;
    case Pass::kB:
      // Towards the connection points below.
      for (const DescentLink* l : Out(id)) {
        sum += LowerColumn(s_, style_, *l) - UpperColumn(s_, style_, *l);
        ++n;
      }
      break;
    case Pass::kC: {
      // The link cost sum |offset - s| changes between s and s + 1 by the
      // offsets at or left of s less those right of it; stepping while the
      // next step is cheaper stops where that turns non-negative. Between
      // two offsets the change is constant, so the steps jump from offset
      // to offset.
      std::vector<int>& offsets = offsetScratch_;
      offsets.clear();
      if (mode != 1)
        for (const DescentLink* l : Out(id))
          offsets.push_back(LowerColumn(s_, style_, *l) - UpperColumn(s_, style_, *l));
      if (mode != 0)
        for (const LinkRef& r : In(id))
          offsets.push_back(UpperColumn(s_, style_, *r.link) - LowerColumn(s_, style_, *r.link));
      w.links = !offsets.empty();
      if (!w.links) return w;
      std::sort(offsets.begin(), offsets.end());
      const long long count = (long long)offsets.size();
      auto atOrBelow = [&](long long v) {
        return (long long)(std::upper_bound(offsets.begin(), offsets.end(), v) - offsets.begin());
      };
      auto below = [&](long long v) {
        return (long long)(std::lower_bound(offsets.begin(), offsets.end(), v) - offsets.begin());
      };
      long long shift = 0;
      if (2 * atOrBelow(0) - count < 0) {  // s = 1 is cheaper
        while (2 * atOrBelow(shift) - count < 0)
          shift = *std::upper_bound(offsets.begin(), offsets.end(), shift);
      } else if (count - 2 * below(0) < 0) {  // s = -1 is cheaper
        while (count - 2 * below(shift) < 0) shift = offsets[std::size_t(below(shift) - 1)];
      }
      w.d = int(shift);
      return w;
    }
  }
  w.links = n > 0;
  w.d = MeanOffset(sum, n);
  return w;
}

bool Straightener::Round(int g, Pass pass, int mode, int rightLimit) {
  const auto& row = s_.rowGroups[std::size_t(g)];
  columnsScratch_.clear();
  for (std::int32_t id : row) columnsScratch_.push_back(GroupColumn(s_, id));
  tight_ = 0;
  ExtendTight(g);
  // Placeholders keep the column their run gave them, except in the last
  // pass A (mode 1), which lines them up with the lines through them.
  auto movable = [&](std::int32_t id) {
    return id > 0 || (pass != Pass::kC && !(pass == Pass::kA && mode == 0));
  };
  if (pass == Pass::kC) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (!movable(row[i])) continue;
      const Wish w = WishOf(pass, mode, row[i]);
      if (w.d != 0) Move(g, i, w.d, rightLimit, pass, mode);
    }
  } else {
    // Groups that move right are taken from the right end and those that
    // move left from the left end, so that a move finds the room its
    // neighbours have just made instead of pushing the rest of the row.
    for (std::size_t i = row.size(); i-- > 0;) {
      if (!movable(row[i])) continue;
      const Wish w = WishOf(pass, mode, row[i]);
      if (w.d > 0) Move(g, i, w.d, rightLimit, pass, mode);
    }
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (!movable(row[i])) continue;
      const Wish w = WishOf(pass, mode, row[i]);
      if (w.d < 0) Move(g, i, w.d, rightLimit, pass, mode);
    }
  }
  // A round whose moves cancel out has moved nothing.
  for (std::size_t i = 0; i < row.size(); ++i)
    if (GroupColumn(s_, row[i]) != columnsScratch_[i]) return true;
  return false;
}

void Straightener::PassA(int from, int to, int mode, int rounds) {
  for (int g = std::min(from, H_ - 1); g >= std::max(to, L_); --g)
    for (int r = 0; r < rounds && Round(g, Pass::kA, mode, kNoLimit); ++r) {
    }
}

void Straightener::PassB(int from, int to, int rounds) {
  for (int g = std::max(from, L_ + 1); g <= std::min(to, H_); ++g) {
    bool links = false;
    for (std::int32_t id : s_.rowGroups[std::size_t(g)]) links = links || !Out(id).empty();
    if (!links && g > kStartGeneration) break;
    for (int r = 0; r < rounds && Round(g, Pass::kB, 0, kNoLimit); ++r) {
    }
  }
}

void Straightener::PassC(int from, int to, int mode, int rounds) {
  for (int g = std::max(from, L_); g <= std::min(to, H_); ++g)
    for (int r = 0; r < rounds && Round(g, Pass::kC, mode, workingWidth_); ++r) {
    }
}

void Straightener::CrossingsOfPair(int lowerGeneration) {
  const int g = lowerGeneration;
  const auto& row = s_.rowGroups[std::size_t(g)];
  for (int t = 0; t < 2; ++t) {
    const auto& links = pairLinks_[std::size_t(g)][std::size_t(t)];
    for (std::size_t k = 0; k + 1 < links.size(); ++k) {
      const int a = LowerColumn(s_, style_, *links[k]);
      const int b = LowerColumn(s_, style_, *links[k + 1]);
      if (b >= a) continue;
      std::size_t i = IndexInRow(links[k]->lower);
      if (i >= row.size() || row[i] != links[k]->lower) continue;
      while (i > 0 && ChainedTo(s_, row[i - 1], row[i])) --i;
      // The first link's group and those right of it move right; each
      // following group by what its gap does not absorb.
      long long amount = (long long)(a - b) + 2;
      moved_.clear();
      shifts_.clear();
      for (std::size_t j = i; j < row.size() && amount > 0; ++j) {
        const std::int32_t id = row[j];
        const int gapAfter = j + 1 < row.size() ? GroupColumn(s_, row[j + 1]) -
                                                      GroupColumn(s_, id) - GroupWidth(s_, id)
                                                : 0;
        SetGroupColumn(s_, id, int(std::min<long long>(GroupColumn(s_, id) + amount, kNoLimit)));
        moved_.push_back(id);
        shifts_.push_back(amount);
        amount -= std::max(0, gapAfter - 2);
      }
      // Kept only when it lowers the penalty: a shift that removes no
      // crossing would only widen the row, and as rows keep their order
      // that is every shift whose lines still cross.
      Refresh(moved_);
      if (PairTotal(g) >= lowestPenalty_[std::size_t(g)]) {
        for (std::size_t m = 0; m < moved_.size(); ++m)
          SetGroupColumn(s_, moved_[m], GroupColumn(s_, moved_[m]) - int(shifts_[m]));
        Refresh(moved_);
      } else {
        lowestPenalty_[std::size_t(g)] = PairTotal(g);
      }
    }
  }
  if (breaks_) {
    FitRowToPagesAcross(s_, g, U_);
    RefreshRow(g);
  }
  UpdateWidest(g);
}

void Straightener::PassX(int start, int mode) {
  start = std::clamp(start, L_, H_);
  if (mode == 0 || mode == 2)
    for (int g = start; g > L_; --g) CrossingsOfPair(g - 1);
  if (mode == 1 || mode == 2)
    for (int g = start; g < H_; ++g) CrossingsOfPair(g);
}

ChartStatus Straightener::PlaceholderRuns() {
  const auto lklError = [] { return Fail(kMsgFcErrorIn, kLblLkl); };
  // Where each placeholder stands: the row holding it.
  std::vector<std::uint8_t> inRow(s_.placeholders.size(), 0);
  for (int g = L_; g <= H_; ++g) {
    s_.rows[std::size_t(g)].repeatedLinks = false;
    for (std::int32_t id : s_.rowGroups[std::size_t(g)]) {
      const Placeholder* p = id < 0 ? s_.PlaceholderOf(id) : nullptr;
      if (p != nullptr && p->generation == g) inRow[std::size_t(-std::int64_t(id))] = 1;
    }
  }
  auto straddles = [&](const Placeholder& p) {
    return breaks_ && (p.column - 1) / U_ != (p.column + p.width - 1) / U_;
  };
  std::vector<std::uint8_t> refit(kGenerationRows, 0);
  for (const auto* table : {&s_.ancestralLinks, &s_.descendantLinks}) {
    for (std::size_t i = 1; i < table->size(); ++i) {
      const DescentLink& l = (*table)[i];
      if (l.flag == kLinkWithdrawn) continue;
      for (std::int32_t end : {l.upper, l.lower}) {
        if (end >= 0) continue;
        const Placeholder* p = s_.PlaceholderOf(end);
        if (p == nullptr || !inRow[std::size_t(-std::int64_t(end))] || !InRange(p->generation))
          return lklError();
        if (l.kind == kLinkRepeated || l.kind == kLinkPlacedElsewhere)
          s_.rows[std::size_t(p->generation)].repeatedLinks = true;
        if (straddles(*p)) refit[std::size_t(p->generation)] = 1;
      }
    }
  }
  // A row whose placeholder crosses a page boundary is fitted to the pages
  // again; a placeholder that still crosses one cannot be placed.
  for (int g = L_; g <= H_; ++g) {
    if (!refit[std::size_t(g)]) continue;
    FitRowToPagesAcross(s_, g, U_);
    for (std::int32_t id : s_.rowGroups[std::size_t(g)])
      if (const Placeholder* p = id < 0 ? s_.PlaceholderOf(id) : nullptr; p && straddles(*p))
        return lklError();
  }
  return {};
}

int Straightener::RowExtent(int g) const {
  int extent = 0;
  for (std::int32_t id : s_.rowGroups[std::size_t(g)])
    extent = std::max(extent, GroupColumn(s_, id) + GroupWidth(s_, id));
  return extent;
}

void Straightener::UpdateWidest(int g) {
  const int extent = RowExtent(g);
  if (extent > widestExtent_) {
    widestExtent_ = extent;
    widest_ = g;
  }
}

ChartStatus Straightener::Run() {
  if (!InRange(L_) || H_ < L_) return Fail(kMsgFcCorrelation);
  if (!GatherLinks()) {
    ChartStatus st = Fail(kMsgFcAbortedIn, kLblXlpl);
    st.messages.push_back(Fail(kMsgFcErrorIn, kLblLpc).messages.front());
    return st;
  }
  for (int g = H_; g >= L_; --g) UpdateWidest(g);
  const int W = widest_;

  // Crossings first, spreading from the widest row.
  PassX(W, 2);
  PassX(W + 3, 0);
  PassX(L_ + 2, 1);
  PassX(W + 3, 0);
  PassX(W, 2);

  // The rows measured again.
  widestExtent_ = 0;
  for (int g = H_; g >= L_; --g) UpdateWidest(g);
  const int W2 = widest_;
  workingWidth_ = widestExtent_ + 2;
  const int N = std::min(W, W2), M = std::max(W, W2);
  const int bStart = s_.descendant.size() > s_.ancestral.size() ? N - 4 : N;

  PassA(M - 1, L_, 0, kStraighteningRounds);
  PassB(bStart, H_, kStraighteningRounds);
  PassA(M - 1, L_, 0, kStraighteningRounds);
  PassC(L_ + 1, N, 2, kStraighteningRounds);
  PassC(N + 1, H_, 0, kStraighteningRounds);
  PassB(N, H_, kStraighteningRounds);
  PassC(N + 1, H_, 0, 1);
  PassA(H_ - 1, L_, 1, kStraighteningRounds);

  if (breaks_)
    for (int g = H_; g >= L_; --g) FitRowToPagesAcross(s_, g, U_);
  if (ChartStatus st = PlaceholderRuns(); !st.ok()) return st;

  // Every row in order, 2 columns apart, right of the chart's left margin.
  for (int g = H_; g >= L_; --g) {
    long long prevEnd = (long long)page_.chartLeft - 1;
    std::int32_t prev = 0;
    for (std::int32_t id : s_.rowGroups[std::size_t(g)]) {
      const int col = GroupColumn(s_, id);
      if (col < prevEnd + MinGap(s_, prev, id) || col >= kNoLimit)
        return Fail(kMsgFcAbortedIn, kLblPageBoundaries);
      prevEnd = (long long)col + GroupWidth(s_, id);
      prev = id;
    }
  }
  return {};
}

}  // namespace

ChartStatus StraightenRows(const FullChartStyle& style, const FullChartPage& page,
                           int usableColumns, bool pageBreaks, FullChartStorage& s) {
  Straightener st(style, page, usableColumns, pageBreaks, s);
  return st.Run();
}

}  // namespace dv
