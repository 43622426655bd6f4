#pragma once
// Writing the chart files from a GEDCOM file's text (the extract): the
// Birth Brief chart file (.DVA, first line "Chart") and the Selective Tree
// chart file (.DVB, first line "Tree"). The GEDCOM file is scanned as text
// (not through the record store); the chart file is written to a
// temporary file beside the output and takes its place only when every
// write succeeded, so a failed extract leaves any earlier file as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "charts/selective/BirthBriefTables.h"
#include "charts/selective/SelectiveTables.h"

namespace dv {

struct ExtractRequest {
  std::string sourcePath;  // the GEDCOM file
  std::string outputPath;
  std::int32_t baseNumber = 0;  // the base individual's INDI number
  // The Selective Tree's ancestors (Ahnentafel numbers, in the order chosen).
  std::vector<std::int32_t> selection;
  bool allCapitals = false;
  int width = 23;  // the Birth Brief's column width (names must fit it)
  SelectiveOptions treeOptions;
};

// Each returns 0, -1 (the user cancelled a question, or the failure was
// told through the prompter), or the id of the message it showed.
int ExtractBirthBrief(const ExtractRequest& request, const SelectivePrompter& prompter);
int ExtractTree(const ExtractRequest& request, const SelectivePrompter& prompter);

}  // namespace dv
