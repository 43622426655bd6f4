#pragma once
// The Selective Tree's gathering: the descent grid from the selection, the
// slot at which the chart starts, the generation walk that builds a family
// group for every family on the lines of descent (and for the other
// marriages of the people on them), and the cousin step that keeps one group
// for a family reached through two lines.
//
// Every step returns 0, -1 (the user cancelled at a question) or the id of
// the message it has already shown through the prompter.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "charts/selective/SelectiveTables.h"

namespace dv {

class RecordStore;

// What the walk reads about a person and a family, by id.
struct WalkPerson {
  std::string name;  // the display name (given names, then the surname)
  std::int32_t parentFamily = 0;
  std::string birthYear;
};
struct WalkFamily {
  std::int32_t husband = 0, wife = 0;
  std::vector<std::int32_t> children;  // in the family's order
  std::string marriagePlace, marriageYear;
};

// Where the walk's people and families come from: the record store, or
// the GEDCOM text itself in an extract run.
class WalkSource {
 public:
  virtual ~WalkSource() = default;
  // False when there is no such record.
  virtual bool Person(std::int32_t id, WalkPerson& out) = 0;
  virtual bool Family(std::int32_t id, WalkFamily& out) = 0;
  // The person's spouse families in order; when the person has only the
  // present one, a source may answer {present} without a search.
  virtual void SpouseFamilies(std::int32_t person, std::int32_t present,
                              std::vector<std::int32_t>& out) = 0;
};

struct SelectiveGatherInput {
  const RecordStore* store = nullptr;
  // Read in place of the store when set (the extract's scan of the text).
  WalkSource* source = nullptr;
  std::int32_t baseIndex = 0;           // the base individual's index
  std::vector<std::int32_t> selection;  // Ahnentafel numbers in the order chosen
  SelectiveOptions options;
  // A run for a chart file's extract: ends after the walk (no cousin step,
  // no compaction). The chart-file writer reads the tables as the walk left them.
  bool extract = false;
  // The column width the charts share: 29 while the gathering runs, put
  // back whichever way it ends. May be null.
  int* columnWidth = nullptr;
};

// The whole gathering: grid, start slot, walk, cousin step, compaction,
// then the selection cut to the lines still on the chart.
int GatherSelectiveTree(const SelectiveGatherInput& in, SelectiveTables& tables,
                        const SelectivePrompter& prompter);

// The descent grid from tables.selection (grid and cousin pairs cleared first).
int BuildDescentGrid(SelectiveTables& tables, const SelectivePrompter& prompter);

// Sets tables.startSlot for tables.baseNumber (1 for GEDCOM data).
int FindStartSlot(SelectiveTables& tables, const SelectivePrompter& prompter);

// The cousin step: reorder, the question about the lines that cannot be
// kept, the exclusions, the selection without the dropped ancestors.
// findPairs: look for the pairs here (chart files) rather than in the walk.
int CousinStep(SelectiveTables& tables, const SelectivePrompter& prompter, bool findPairs);

// Removes key's ancestry from the grid (mode 0 also the cell holding key):
// 0, or 19 when key is not in the grid at or above the start slot.
int ExcludeFamily(SelectiveTables& tables, std::int32_t key, int mode);

// Exchanges the two sides of family key in every older slot and in its
// group: false when the family is not in the grid.
bool SwapSides(SelectiveTables& tables, std::int32_t key);

// Moves the keyed cells of each slot from the start slot to 35 to tracks
// 0, 1, ... keeping their order.
void CompactGrid(SelectiveTables& tables);

// Keeps the selected ancestors whose top family still has a group.
void TrimSelection(SelectiveTables& tables);

// A child's text: the given names (the name without its last word), later
// given names as initials unless allFirstNames, nicknames and bracketed
// words dropped, at most 30 characters. Without a surname (hasSurname
// false, as a chart file holds them) every word counts as a given name.
std::string ChildGivenNames(std::string_view displayName, bool allFirstNames,
                            bool hasSurname = true);

}  // namespace dv
