#pragma once
// The manual format of a Selective Tree: a sideways shift in columns for
// each family group, in the order of the groups (slot by slot from the
// start slot, track by track), checked against each other and the page,
// and kept in a Selective Tree chart file after its chart data as a "-1"
// line followed by one "@ key,shift" line per group.

#include <cstdint>
#include <string>
#include <vector>

#include "charts/selective/SelectiveLayout.h"
#include "charts/selective/SelectiveTables.h"

namespace dv {

inline constexpr int kManualFormatCapacity = 100;
inline constexpr int kManualListCapacity = 31;  // groups the dialog lists
inline constexpr int kMsgReadMaskError = 21;    // "Error in function READMASK"
inline constexpr int kMsgTooManyGroupsToList = 60;
inline constexpr int kMsgSaveFormatQuestion = 61;  // + file name + text 62
inline constexpr int kMsgSaveFormatQuestionEnd = 62;

// The section's entries from a chart file's lines: every line from the
// first that begins with "@" gives one entry (the first run of digits
// within its first 20 characters is the key, the next run the shift,
// negative with a "-" right before it). 0, or 1 when the list is full (a
// 100th entry).
int ReadManualFormat(const std::vector<std::string>& lines, std::vector<ManualShift>& list);
// The same from a file; a file that cannot be read counts as full (1).
int ReadManualFormatFile(const std::string& path, std::vector<ManualShift>& list);

// One listed family group with its range in the chart.
struct ManualGroup {
  int generation = 0;  // slot - start slot + 1
  std::int32_t key = 0;
  int min = 0, max = 0;  // left column, left column + width
  int shift = 0;
};
// The group's new range: its range moved by its shift.
inline std::int64_t ShiftedMin(const ManualGroup& g) { return std::int64_t{g.min} + g.shift; }
inline std::int64_t ShiftedMax(const ManualGroup& g) { return std::int64_t{g.max} + g.shift; }

// The groups of a laid-out chart in the manual format's order, at most 31
// (more: message 60 shown, the listing stops there). Groups whose keys
// match list's entries, in order, take their shifts; otherwise list is
// replaced by the listed keys with shift 0. listedAll: false after 60.
std::vector<ManualGroup> ListManualGroups(const SelectiveTables& tables,
                                          std::vector<ManualShift>& list,
                                          const SelectivePrompter& prompter);

// The check of OK (and of Save): 0, or 59 when a group would start at or
// left of the first column, run onto the group before it in its
// generation, or end at or past the last column (first and last columns of
// the usable page, 0 and usableColumns - 1).
int CheckManualFormat(const std::vector<ManualGroup>& groups, int usableColumns);

// Writes the section into the chart file: its chart data as it is (up to
// the first line beginning with "@" or "-"), then "-1" and the entries.
// The file is replaced only when the new one is complete: 0, 2 (cannot be
// read), 193 (a line too long), 25 or 250 (cannot be written).
int SaveManualFormat(const std::string& path, const std::vector<ManualShift>& list);

// Save as the dialog's "Save" does it: the check of OK first (59, nothing
// written), so a file is never saved with shifts every later run rejects;
// then SaveManualFormat with the groups' keys and shifts.
int SaveCheckedManualFormat(const std::string& path, const std::vector<ManualGroup>& groups,
                            int usableColumns);

}  // namespace dv
