#include "charts/selective/ChartFileRead.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/SelectiveGather.h"

namespace dv {

namespace {

constexpr std::size_t kBriefFieldRead = 81;
constexpr std::size_t kBaseNameRead = 41;
constexpr std::size_t kSpouseRead = 40;
constexpr std::size_t kChildRead = 80;
constexpr std::size_t kMarriageRead = 51;

std::string Number(std::int64_t n) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(n));
  return text;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Splits a written event text ("place,year", the place or the year alone)
// back into place and year.
void SplitPlaceYear(std::string_view text, std::string& place, std::string& year) {
  const std::size_t comma = text.rfind(',');
  std::string_view tail = comma == std::string_view::npos ? text : text.substr(comma + 1);
  if (AllDigits(tail) && tail.size() <= 4) {
    year = std::string(tail);
    place = comma == std::string_view::npos ? std::string() : std::string(text.substr(0, comma));
  } else {
    year.clear();
    place = std::string(text);
  }
}

// A detail line from the file's event text: a "b ", "c " or "d " text is
// fitted as the gathering fits it; anything else is cut to the width.
std::string DetailFromFile(std::string_view text, int width) {
  if (text.size() >= 2 && text[1] == ' ') {
    const char k = text[0];
    const char lower = (k >= 'A' && k <= 'Z') ? char(k - 'A' + 'a') : k;
    if (lower == 'b' || lower == 'c' || lower == 'd') {
      std::string place, year;
      SplitPlaceYear(text.substr(2), place, year);
      return EventLine(lower, place, year, width);
    }
  }
  return std::string(text.substr(0, std::size_t(width)));
}

}  // namespace

int ReadBirthBriefChartLines(const std::vector<std::string>& lines, const BirthBriefOptions& o,
                             BirthBriefTables& t, const SelectivePrompter& p) {
  const BirthBriefOptions options = o.Normalised();
  const int width = options.width;
  const int slots = options.Slots();
  t.Clear();
  if (lines.empty() || lines[0].compare(0, 5, "Chart") != 0) return kMsgChartWrongFormat;
  for (int s = 0; s < slots; ++s) t.SetRef(s, s + 1);
  std::vector<bool> filled(std::size_t(slots), false);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    std::size_t pos = 0;
    std::int64_t n = 0;
    if (!ReadChartNumber(line, pos, n) || n < 1 || n > slots) continue;
    const int s = int(n - 1);
    const std::vector<std::string> fields = SplitFields(line.substr(pos), 4);
    std::string name = fields[0].substr(0, kBriefFieldRead);
    if (int(name.size()) > width) {
      std::string shortened;
      if (!ShortenChartName(name, width, shortened)) {
        p.Show(kMsgManualEditing, name.substr(name.front() == ' ' ? 1 : 0));
        return -1;
      }
      name = shortened;
    }
    std::replace(name.begin(), name.end(), '_', ' ');
    t.SetName(s, name);
    filled[std::size_t(s)] = true;
    if (!options.addBirthDeath || s >= kDetailSlots) continue;
    auto field = [&](std::size_t k) {
      return k < fields.size() ? std::string_view(fields[k]).substr(0, kBriefFieldRead)
                               : std::string_view();
    };
    if (options.addOccupation && s < kOccupationSlots && !field(1).empty())
      t.SetDetail(kOccupationRowBase + s, field(1).substr(0, std::size_t(width)));
    t.SetDetail(s, DetailFromFile(field(2), width));
    t.SetDetail(kDeathRowBase + s, DetailFromFile(field(3), width));
  }
  if (!filled[0]) {
    p.Show(kMsgReferenceNotFound, "1");
    return -1;
  }
  // Slots the file has no line for stay empty.
  for (int s = 0; s < slots; ++s)
    if (!filled[std::size_t(s)]) t.SetRef(s, 0);
  if (options.allCapitals) t.UpperCaseAll();
  return 0;
}

int ReadBirthBriefChartFile(const std::string& path, const BirthBriefOptions& options,
                            BirthBriefTables& tables, const SelectivePrompter& p) {
  std::vector<std::string> lines;
  int tooLong = 0;
  const int rc = ReadChartLines(path, lines, tooLong);
  if (rc == kMsgChartLineTooLong) {
    p.Show(rc, Number(tooLong));
    return -1;
  }
  if (rc != 0) return rc;
  return ReadBirthBriefChartLines(lines, options, tables, p);
}

int ReadTreeHeader(const std::vector<std::string>& lines, TreeFileHeader& h) {
  h = TreeFileHeader{};
  if (lines.empty() || lines[0].compare(0, 4, "Tree") != 0) return kMsgChartWrongFormat;
  if (lines.size() < 3) return kMsgDataError;
  const std::string_view sel = lines[1];
  std::size_t pos = 0;
  for (;;) {
    while (pos < sel.size() && sel[pos] == ' ') ++pos;
    if (pos >= sel.size()) break;
    std::int64_t n = 0;
    if (!ReadChartNumber(sel, pos, n) || n < 1) return kMsgDataError;
    if (int(h.selection.size()) >= kSelectionCapacity) return kMsgDataError;
    h.selection.push_back(std::int32_t(n));
  }
  if (h.selection.empty()) return kMsgDataError;
  pos = 0;
  std::int64_t b = 0;
  if (!ReadChartNumber(lines[2], pos, b) || b <= 0) return kMsgDataError;
  h.baseNumber = std::int32_t(b);
  std::string_view name = std::string_view(lines[2]).substr(pos);
  if (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  h.baseName = SplitFields(name, 1)[0].substr(0, kBaseNameRead);
  return 0;
}

namespace {

struct FileChild {
  std::string given, year;
  int mark = 0;
};

struct FileFamily {
  std::int32_t key = 0, family = 0;
  std::string marriage, husband, wife;
  std::array<std::int32_t, 4> numbers{};  // husband's number and family, wife's
  std::vector<FileChild> children;
  bool used = false;
};

// Parses the family and children lines after the header, up to the "-1"
// line: 0 or 28 for a line that is neither.
int ParseFamilies(const std::vector<std::string>& lines, std::vector<FileFamily>& out) {
  out.clear();
  FileFamily* current = nullptr;
  for (std::size_t i = 3; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    std::size_t pos = 0;
    std::int64_t key = 0;
    if (!ReadChartNumber(line, pos, key)) {
      if (line.find_first_not_of(' ') == std::string_view::npos) continue;
      if (line.front() == '@') break;  // a manual format without its "-1" line
      return kMsgDataError;
    }
    if (key < 0) break;  // the end of the family data
    std::size_t after = pos;
    std::int64_t fam = 0;
    const bool hasFam = ReadChartNumber(line, after, fam);
    const bool childrenLine = current != nullptr && key == current->key &&
                              (key != 0 || (hasFam && fam == current->family));
    if (childrenLine) {
      if (key == 0) pos = after;
      if (pos < line.size() && line[pos] == ' ') ++pos;
      const std::vector<std::string> f = SplitFields(line.substr(pos), 1000);
      for (std::size_t k = 0; k + 2 < f.size(); k += 3) {
        FileChild c;
        c.given = f[k].substr(0, kChildRead);
        c.mark = f[k + 1].size() == 1 && f[k + 1][0] >= '0' && f[k + 1][0] <= '6' ? f[k + 1][0] - '0' : 0;
        c.year = AllDigits(f[k + 2]) ? f[k + 2].substr(0, 5) : std::string();
        current->children.push_back(std::move(c));
      }
      continue;
    }
    // A family line: key, FAM number, " (", marriage, ")/", numbers, names.
    if (!hasFam || after + 1 >= line.size() || line[after] != ' ' || line[after + 1] != '(')
      return kMsgDataError;
    std::size_t close = after + 2;
    for (;;) {
      const std::size_t sep = FindSeparator(line, close);
      if (sep == std::string_view::npos) return kMsgDataError;
      if (sep > after + 2 && line[sep - 1] == ')') {
        close = sep - 1;
        break;
      }
      close = sep + 1;
    }
    FileFamily f;
    f.key = std::int32_t(key);
    f.family = std::int32_t(fam);
    f.marriage = SplitFields(line.substr(after + 2, close - after - 2), 1)[0].substr(0, kMarriageRead);
    std::vector<std::string> rest = SplitFields(line.substr(close + 2), 7);
    while (rest.size() < 2) rest.push_back({});
    f.husband = rest[rest.size() - 2].substr(0, kSpouseRead);
    f.wife = rest.back().substr(0, kSpouseRead);
    for (std::size_t k = 0; k + 2 < rest.size() && k < 4; ++k) {
      std::size_t p = 0;
      std::int64_t n = 0;
      if (ReadChartNumber(rest[k], p, n) && n > 0)
        f.numbers[k] = std::int32_t(n);
    }
    out.push_back(std::move(f));
    current = &out.back();
  }
  return 0;
}

// Builds the tables from the parsed families in the walk's order.
class FileWalk {
 public:
  FileWalk(std::vector<FileFamily>& families, const SelectiveOptions& o, SelectiveTables& t,
           const SelectivePrompter& p)
      : families_(families), o_(o), t_(t), p_(p) {}
  int Run();

 private:
  int Stop(int id) {
    p_.Show(id);
    return id;
  }
  // The first unused family with key (and FAM number, for a remarriage),
  // looked for from after the last one taken, then from the beginning.
  FileFamily* Take(std::int32_t key, std::int32_t family);
  int Group(int track, int slot, FileFamily& f);
  std::int32_t ChildId(int slot, int mark, std::int32_t family) const;

  std::vector<FileFamily>& families_;
  const SelectiveOptions& o_;
  SelectiveTables& t_;
  const SelectivePrompter& p_;
  std::size_t cursor_ = 0;
  int nextGroup_ = 1, nextChild_ = 1, remarriages_ = 0;
};

FileFamily* FileWalk::Take(std::int32_t key, std::int32_t family) {
  const std::size_t n = families_.size();
  for (std::size_t k = 0; k < n; ++k) {
    FileFamily& f = families_[(cursor_ + k) % n];
    if (f.used || f.key != key || (family != 0 && f.family != family)) continue;
    f.used = true;
    cursor_ = (cursor_ + k + 1) % n;
    return &f;
  }
  return nullptr;
}

std::int32_t FileWalk::ChildId(int g, int mark, std::int32_t family) const {
  if (g == t_.startSlot) return t_.baseId;
  const std::int32_t below = t_.Cell(mark - 1, g - 1).key;
  if (below <= 0 || below > 0x3FFFFFFF) return 0;
  // The child is the husband or the wife of the family below: the one
  // whose own parents' family is this one.
  for (std::int32_t person : {2 * below, 2 * below + 1})
    for (int l = 0; l < kTracks; ++l)
      if (t_.Cell(l, g).key == person && t_.Cell(l, g).ref == family) return person;
  return 0;
}

int FileWalk::Group(int l, int g, FileFamily& f) {
  if (nextGroup_ >= kGroupCapacity) return Stop(kMsgTooManyFamilies);
  if (f.children.size() >= std::size_t(kGroupChildren)) return Stop(kMsgTooManyChildrenInFamily);
  GridCell& cell = t_.Cell(l, g);
  const std::int32_t K = cell.key;
  const int gi = nextGroup_;
  FamilyGroup& group = t_.groups[gi];
  group = FamilyGroup{};
  group.key = K;
  group.slot = g;
  group.family = cell.ref;
  if (o_.birthMarriage) {
    std::string place, year;
    SplitPlaceYear(f.marriage, place, year);
    std::string line = EventLine('m', place, year, kGatherWidth);
    if (line.size() > 29) line.resize(29);
    if (!line.empty()) SetField(group.marriage, "(" + line + ")");
  }
  SetField(group.husband, f.husband);
  SetField(group.wife, f.wife);
  if (g < kLineSlots && K > 0 && K <= 0x3FFFFFFF) {
    group.husbandId = 2 * K;
    group.wifeId = 2 * K + 1;
  }
  if (g < kLineSlots && !o_.suppressRemarriages) {
    for (int side = 0; side < 2; ++side) {
      const std::int32_t number = f.numbers[2 * side], other = f.numbers[2 * side + 1];
      if (other <= 0) continue;
      if (remarriages_ >= kRemarriagePlaces) return Stop(kMsgTooManyRemarriages);
      GridCell& place = t_.Cell(remarriages_ % kTracks, kRemarriageSlot + remarriages_ / kTracks);
      ++remarriages_;
      place.ref = other;
      place.key = side == 0 ? K : -K;
      place.group = static_cast<std::int16_t>(gi);
      (side == 0 ? group.husbandMarriage : group.wifeMarriage) =
          static_cast<std::uint16_t>(std::clamp(number, 0, 0xFFFF));
    }
  }
  int c = 0;
  for (const FileChild& child : f.children) {
    if (nextChild_ >= kChildCapacity) return Stop(kMsgTooManyChildren);
    ChildRecord& rec = t_.children[nextChild_];
    rec = ChildRecord{};
    SetField(rec.given, ChildGivenNames(child.given, o_.allFirstNames, false));
    if (o_.birthMarriage) SetField(rec.year, std::string_view(child.year).substr(0, 4));
    rec.mark = child.mark;
    group.children[std::size_t(c++)] = static_cast<std::uint16_t>(nextChild_++);
  }
  SetField(group.keyText, Number(K));
  if (g < kLineSlots || o_.suppressRemarriages) {
    cell.group = static_cast<std::int16_t>(gi);
  } else if (cell.group > 0 && cell.group < gi) {
    FamilyGroup& main = t_.groups[cell.group];
    if (K > 0) {
      main.husbandOther = static_cast<std::uint16_t>(gi);
      group.spouseOrder = 1;
    } else {
      main.wifeOther = static_cast<std::uint16_t>(gi);
    }
  }
  ++nextGroup_;
  return 0;
}

int FileWalk::Run() {
  const int start = t_.startSlot;
  t_.baseId = t_.baseNumber;
  std::int32_t synthetic = -1;  // a reference for a family line without FAM number
  for (int g = start; g < kLineSlots; ++g) {
    bool any = false;
    for (int l = 0; l < kTracks; ++l) {
      GridCell& cell = t_.Cell(l, g);
      if (cell.key <= 0) continue;
      // Only families reached from the slot below, as in the walk.
      if (g > start) {
        bool reached = false;
        for (int b = 0; b < kTracks; ++b)
          reached = reached || (t_.Cell(b, g - 1).ref != 0 && t_.Cell(b, g - 1).key == cell.key >> 1);
        if (!reached) continue;
      }
      FileFamily* f = Take(cell.key, 0);
      if (f == nullptr) continue;
      cell.ref = f->family > 0 ? f->family : synthetic--;
      any = true;
      if (int rc = Group(l, g, *f)) return rc;
    }
    if (!any) break;
  }
  for (int s = kRemarriageSlot; s < kGridSlots; ++s)
    for (int l = 0; l < kTracks; ++l) {
      GridCell& cell = t_.Cell(l, s);
      if (cell.ref == 0) continue;
      FileFamily* f = Take(0, cell.ref);
      if (f == nullptr) {
        cell = GridCell{};
        continue;
      }
      if (int rc = Group(l, s, *f)) return rc;
    }
  // Each line-continuing child is the husband or wife of a family in the
  // slot below, known once every family of its own slot was found.
  for (int gi = 1; gi < nextGroup_; ++gi) {
    const FamilyGroup& g = t_.groups[gi];
    if (g.slot >= kLineSlots) continue;
    for (std::uint16_t c : g.children) {
      if (c == 0) break;
      ChildRecord& rec = t_.children[c];
      if (rec.mark > 0 && rec.mark <= kTracks) rec.individual = ChildId(g.slot, rec.mark, g.family);
    }
  }
  // Cells without a family lose their key.
  for (int s = start; s < kGridSlots; ++s)
    for (int l = 0; l < kTracks; ++l)
      if (t_.Cell(l, s).ref == 0) t_.Cell(l, s) = GridCell{};
  t_.groupCount = nextGroup_ - 1;
  t_.childCount = nextChild_ - 1;
  return 0;
}

}  // namespace

int ReadTreeChartLines(const std::vector<std::string>& lines, const SelectiveOptions& options,
                       SelectiveTables& t, const SelectivePrompter& p) {
  TreeFileHeader header;
  if (int rc = ReadTreeHeader(lines, header)) {
    p.Show(rc);
    return rc;
  }
  t = SelectiveTables{};
  t.selection = header.selection;
  t.baseNumber = header.baseNumber;
  if (int rc = BuildDescentGrid(t, p)) return rc;
  if (int rc = FindStartSlot(t, p)) return rc;
  t.baseName = header.baseName;
  std::vector<FileFamily> families;
  if (int rc = ParseFamilies(lines, families)) {
    p.Show(rc);
    return rc;
  }
  FileWalk walk(families, options, t, p);
  if (int rc = walk.Run()) return rc;
  if (t.groupCount == 0) {
    p.Show(kMsgDataError);
    return kMsgDataError;
  }
  if (int rc = CousinStep(t, p, true)) return rc;
  CompactGrid(t);
  TrimSelection(t);
  return 0;
}

int ReadTreeChartFile(const std::string& path, const SelectiveOptions& options,
                      SelectiveTables& tables, const SelectivePrompter& p) {
  std::vector<std::string> lines;
  int tooLong = 0;
  const int rc = ReadChartLines(path, lines, tooLong);
  if (rc != 0) {
    p.Show(rc, rc == kMsgChartLineTooLong ? Number(tooLong) : path);
    return rc;
  }
  return ReadTreeChartLines(lines, options, tables, p);
}

}  // namespace dv
