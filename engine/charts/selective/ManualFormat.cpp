#include "charts/selective/ManualFormat.h"

#include <cstdio>

#include "charts/selective/ChartFileFormat.h"
#include "common/SafeFile.h"

namespace dv {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The entry of one section line; false when it has no key.
bool ParseEntry(std::string_view line, ManualShift& entry) {
  std::size_t i = 0;
  const std::size_t scan = std::min<std::size_t>(line.size(), 20);
  while (i < scan && !IsDigit(line[i])) ++i;
  if (i >= scan) return false;
  std::int64_t key = 0;
  for (; i < line.size() && IsDigit(line[i]); ++i) key = std::min<std::int64_t>(key * 10 + (line[i] - '0'), 0x7FFFFFFF);
  while (i < line.size() && !IsDigit(line[i])) ++i;
  std::int64_t shift = 0;
  const bool negative = i > 0 && i < line.size() && line[i - 1] == '-';
  for (; i < line.size() && IsDigit(line[i]); ++i) shift = std::min<std::int64_t>(shift * 10 + (line[i] - '0'), 0x7FFFFFFF);
  entry.key = std::int32_t(key);
  entry.shift = int(negative ? -shift : shift);
  return true;
}

}  // namespace

int ReadManualFormat(const std::vector<std::string>& lines, std::vector<ManualShift>& list) {
  list.clear();
  bool inSection = false;
  for (const std::string& line : lines) {
    if (!inSection) {
      if (line.empty() || line.front() != '@') continue;
      inSection = true;
    }
    ManualShift entry;
    if (!ParseEntry(line, entry)) continue;
    if (int(list.size()) + 1 >= kManualFormatCapacity) return 1;
    list.push_back(entry);
  }
  return 0;
}

int ReadManualFormatFile(const std::string& path, std::vector<ManualShift>& list) {
  std::vector<std::string> lines;
  int tooLong = 0;
  const int rc = ReadChartLines(path, lines, tooLong);
  if (rc == kMsgChartFileCannotOpen) {
    list.clear();
    return 1;
  }
  return ReadManualFormat(lines, list);
}

std::vector<ManualGroup> ListManualGroups(const SelectiveTables& t, std::vector<ManualShift>& list,
                                          const SelectivePrompter& p) {
  std::vector<ManualGroup> out;
  bool stop = false;
  for (int s = t.startSlot; s < 16 && !stop; ++s) {
    if (t.Cell(0, s).group <= 0) break;
    for (int gi : t.GroupsOf(s)) {
      if (int(out.size()) >= kManualListCapacity) {
        p.Show(kMsgTooManyGroupsToList);
        stop = true;
        break;
      }
      const FamilyGroup& g = t.groups[gi];
      ManualGroup m;
      m.generation = s - t.startSlot + 1;
      m.key = g.key;
      m.min = g.left;
      m.max = g.left + g.width;
      out.push_back(m);
    }
  }
  bool same = list.size() >= out.size();
  for (std::size_t i = 0; same && i < out.size(); ++i) same = list[i].key == out[i].key;
  if (same) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i].shift = list[i].shift;
  }
  list.clear();
  for (const ManualGroup& m : out) list.push_back({m.key, m.shift});
  return out;
}

int CheckManualFormat(const std::vector<ManualGroup>& groups, int usableColumns) {
  // Worked out in 64 bits: a shift from a chart file may be any 32-bit number.
  const std::int64_t first = 0, last = std::int64_t{usableColumns} - 1;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const std::int64_t min = ShiftedMin(groups[i]), max = ShiftedMax(groups[i]);
    if (min < first || max > last) return kMsgGroupsOverlap;
    if (i > 0 && groups[i - 1].generation == groups[i].generation &&
        min <= ShiftedMax(groups[i - 1]))
      return kMsgGroupsOverlap;
  }
  return 0;
}

int SaveManualFormat(const std::string& path, const std::vector<ManualShift>& list) {
  std::vector<std::string> lines;
  int tooLong = 0;
  if (int rc = ReadChartLines(path, lines, tooLong)) return rc;
  SafeFileWriter out;
  if (int rc = out.Open(path)) return rc;
  for (const std::string& line : lines) {
    if (!line.empty() && (line.front() == '@' || line.front() == '-')) break;
    out.WriteLine(line);
  }
  out.WriteLine("-1");
  char text[48];
  for (const ManualShift& e : list) {
    std::snprintf(text, sizeof text, "@ %ld,%d", static_cast<long>(e.key), e.shift);
    out.WriteLine(text);
  }
  return out.Commit();
}

int SaveCheckedManualFormat(const std::string& path, const std::vector<ManualGroup>& groups,
                            int usableColumns) {
  if (int rc = CheckManualFormat(groups, usableColumns)) return rc;
  std::vector<ManualShift> list;
  for (const ManualGroup& g : groups) list.push_back({g.key, g.shift});
  return SaveManualFormat(path, list);
}

}  // namespace dv
