#pragma once
// Reading the chart files as data sources: a Birth Brief chart file (.DVA)
// fills the Birth Brief tables, a Selective Tree chart file (.DVB) fills the
// Selective Tree tables in the walk's order, in place of the record store.
// Lines longer than a reader takes are refused with message 193 (never cut
// into stray fields), and every table limit of the gathering applies.

#include <cstdint>
#include <string>
#include <vector>

#include "charts/selective/BirthBriefTables.h"
#include "charts/selective/SelectiveTables.h"

namespace dv {

// Fills tables from a Birth Brief chart file: 0, 2 (cannot be opened),
// 49 (wrong first line), or -1 when the failure was told through the
// prompter (37, 10, 193).
int ReadBirthBriefChartFile(const std::string& path, const BirthBriefOptions& options,
                            BirthBriefTables& tables, const SelectivePrompter& prompter);
int ReadBirthBriefChartLines(const std::vector<std::string>& lines,
                             const BirthBriefOptions& options, BirthBriefTables& tables,
                             const SelectivePrompter& prompter);

// The head of a Selective Tree chart file.
struct TreeFileHeader {
  std::vector<std::int32_t> selection;  // at most 32 numbers
  std::int32_t baseNumber = 0;
  std::string baseName;  // at most 41 characters
};

// 0, 2, 49 or 28 (not shown).
int ReadTreeHeader(const std::vector<std::string>& lines, TreeFileHeader& header);

// The whole Selective Tree gathering from a chart file's lines: the grid
// from the header's selection, the start slot, the families in walk order,
// then the cousin step and compaction as after a walk. 0, -1 or the id
// already shown through the prompter.
int ReadTreeChartLines(const std::vector<std::string>& lines, const SelectiveOptions& options,
                       SelectiveTables& tables, const SelectivePrompter& prompter);
// The same from a file (2, 49 and 28 of the header, and 193, are shown too).
int ReadTreeChartFile(const std::string& path, const SelectiveOptions& options,
                      SelectiveTables& tables, const SelectivePrompter& prompter);

}  // namespace dv
