// Feeds arbitrary bytes to both chart-file readers as the text of a .DVA and
// a .DVB, and lays out and formats whatever Selective Tree the bytes give,
// as a chart file opened as a data source would be; the manual format
// section is read from the same lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "charts/selective/BirthBriefLayout.h"
#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/ChartFileRead.h"
#include "charts/selective/ManualFormat.h"
#include "charts/selective/SelectiveLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  int tooLong = 0;
  if (dv::SplitChartLines(text, lines, tooLong) != 0) return 0;  // refused whole
  dv::SelectivePrompter prompter;  // every question answered OK

  // As a Birth Brief chart file ("Chart" first), and laid out.
  std::vector<std::string> brief = lines;
  if (!brief.empty()) brief[0] = "Chart";
  dv::BirthBriefOptions bo;
  dv::BirthBriefTables bt;
  if (dv::ReadBirthBriefChartLines(brief, bo, bt, prompter) == 0) {
    std::vector<dv::BirthBriefItem> items;
    (void)dv::LayoutBirthBrief(bt, bo, items);
  }

  // As a Selective Tree chart file ("Tree" first), laid out with its own
  // manual format.
  std::vector<std::string> tree = lines;
  if (!tree.empty()) tree[0] = "Tree";
  dv::SelectiveOptions so;
  so.manualFormat = true;
  dv::SelectiveTables st;
  if (dv::ReadTreeChartLines(tree, so, st, prompter) != 0) return 0;
  std::vector<dv::ManualShift> shifts;
  if (dv::ReadManualFormat(tree, shifts) != 0) shifts.clear();
  dv::SelectivePage page;
  page.pageColumns = 200;
  page.pageLines = 120;
  dv::SelectiveExtent extent;
  if (dv::SelectiveExtentFor(page, extent) != 0) return 0;
  dv::SelectiveLayoutResult layout;
  if (dv::LayoutSelectiveTree(st, so, extent, shifts, prompter, layout) == 0) {
    std::vector<dv::SelectiveItem> items;
    (void)dv::FormatSelectiveTree(st, so, layout, prompter, items);
  }
  // The manual format dialog's table of the laid-out groups, with the
  // file's shifts, and its check.
  std::vector<dv::ManualShift> listed = shifts;
  const std::vector<dv::ManualGroup> groups = dv::ListManualGroups(st, listed, prompter);
  (void)dv::CheckManualFormat(groups, extent.usableColumns);
  return 0;
}
