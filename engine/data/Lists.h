#pragma once
// The lists of records the dialogs show: the ancestor and descendant lists
// of the chart dialogs, the search that positions the individual list, the
// unlinked individuals, the rows and columns of the four record pickers and
// the children of a family. Everything here only reads the record store.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/RecordStore.h"

namespace dv {

// ---- Ancestor and descendant lists ----

inline constexpr int kListCapacity = 14999;   // entries appended at most
inline constexpr int kListWarnAbove = 14998;  // a longer list gets "Too many ancestors/individuals"
inline constexpr int kErrCannotList = 29;     // "Cannot list ancestors/individuals"
inline constexpr int kListTextSize = 28;

// One entry of a chart dialog's list (36 bytes, as the chart tables hold it).
struct ListEntry {
  char text[kListTextSize] =
      {};  // name fitted surname first to 21, padded to 22, birth year; at most 26
  std::int32_t individual = 0;  // individual index
  std::int32_t ahnentafel = 0;  // Ahnentafel number; 0 in the descendant list
};
static_assert(sizeof(ListEntry) == 36);

// The text of a list entry for an individual.
std::string ListEntryText(const IndividualSummary& person);

// The base individual and its ancestors, sorted by text: the count, or -1
// when a summary the list needs does not exist.
int BuildAncestorList(const RecordStore& store, std::int32_t base, std::vector<ListEntry>& out);

// The base individual and its descendants (once per line of descent),
// sorted by text: the count, or -1 when a summary does not exist.
int BuildDescendantList(const RecordStore& store, std::int32_t base, std::vector<ListEntry>& out);

// The message a chart dialog shows after building a list: 0 none, 39 when
// the list reached its capacity, 29 when the build failed.
int ListBuildMessage(int result);

// ---- Search positioning ----

// The text the list is searched for: the field upper-cased, a single space
// when the field is empty.
std::string SearchText(std::string_view field);

// The first key-list position whose key does not sort before text
// (in the key order, CompareProgramText), found by binary search; count when
// every key sorts before it.
int FindKeyPosition(const KindIndex& kind, std::string_view text);

// The same over a sorted chart list, stepping from the current position.
int StepToEntry(const std::vector<ListEntry>& list, int current, std::string_view text);

// The number of entries the key list of a kind shows.
int KeyCount(const KindIndex& kind);

// ---- Unlinked individuals ----

// Key-list positions, in key order, of the individuals with neither a
// spouse family nor a parent family.
std::vector<std::int32_t> UnlinkedIndividuals(const RecordStore& store);

// ---- Record pickers ----

enum class PickerKind : int { kIndividual = 0, kFamily = 1, kSource = 2, kRepository = 3 };
inline constexpr int kPickerColumns = 4;

struct PickerLayout {
  const char* title;
  std::array<const char*, kPickerColumns> columns;
  std::array<int, kPickerColumns> defaultWidths;
};

const PickerLayout& PickerLayoutOf(PickerKind kind);

// The record kind a picker lists.
RecordKind PickerRecordKind(PickerKind kind);

struct PickerRow {
  std::int32_t index = 0;  // record index
  std::array<std::string, kPickerColumns> cells;
};

// One row per record in index order; empty (deleted) records are skipped.
std::vector<PickerRow> PickerRows(const RecordStore& store, PickerKind kind);

// A display name split for the Name columns: the surname after the last
// space (each "_" back to a space, unless it is the unknown "____"), the
// given names before it.
void SplitDisplayName(std::string_view name, std::string& surname, std::string& given);

// "SURNAME given names" for the Name, Husband and Wife columns.
std::string PickerName(std::string_view displayName);

// ---- Children of a family ----

struct ChildRow {
  std::int32_t individual = 0;
  std::string text;          // the display name, fitted to 24 given names first when longer
  bool hasChildren = false;  // spouse in a family that has at least one child (gets the marker)
};

std::vector<ChildRow> ChildrenRows(const RecordStore& store, std::int32_t family);

}  // namespace dv
