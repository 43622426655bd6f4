#pragma once
// A laid-out full chart turned into display items: the family groups (or
// boxes), the lines of descent cut at row tops and page boundaries, each
// item tagged with its page; the items sorted by page with the page list;
// the counts of the result text; the title's place; the strip plan of an
// image export and the two orders of the items (by page for printing, by
// line for an image).

#include <cstdint>
#include <string>
#include <vector>

#include "charts/full/FullChartLayout.h"
#include "output/PageGeometry.h"

namespace dv {

// Where the title stands (option 1 placed: 3 one-line form, else three lines).
struct TitlePlace {
  bool placed = false;
  bool oneLine = false;
  int column = 0, line = 0, page = 1;
  int width = 0, height = 0;  // cells
  std::string lines[3];       // the three-line form; lines[0] alone is the one-line form
};

struct ComposedChart {
  std::vector<PageListEntry> pageList;
  int pageCount = 0;
  int individuals = 0, families = 0;
  TitlePlace title;
  std::vector<ChartMessage> notices;  // shown but not fatal ("Cannot find space for title")
  bool imageOrder = false;
};

// The title texts for the people option and the base individual's name.
std::string OneLineTitle(People people, const std::string& name);
void ThreeLineTitle(People people, const std::string& name, std::string (&lines)[3]);
// The title's size in cells: each title line two lines of the chart font
// high, each character at most 1.25 columns wide (plus one).
TitleSize MeasureTitle(People people, const std::string& name);

// Composes the chart. options.title is adjusted as the run goes: 3 when the
// title is placed in its one-line form, negated when no space is found.
ChartStatus ComposeChart(FullChartStyle& style, const RecordStore& store, FullChartOptions& options,
                         const FullChartPage& page, FullChartExtent& extent, FullChartStorage& s,
                         ComposedChart& out);

// The page (1-based) of a cell.
int PageOfCell(const FullChartExtent& e, int column, int line);

// Sorts the items by page, line, kind and column (printing) or by line,
// kind and column (an image) and rebuilds the page list.
void OrderItems(FullChartStorage& s, ComposedChart& c, bool imageOrder);

// The strip plan of an image export at cells of w by h pixels: lines from 0
// to chartLines, strips of about a million pixels cut at row tops outside
// the title, a short last strip joined to the one before; at most 200
// entries.
std::vector<int> FullChartStripPlan(const FullChartStorage& s, const FullChartExtent& e,
                                    const TitlePlace& title, int w, int h);

}  // namespace dv
