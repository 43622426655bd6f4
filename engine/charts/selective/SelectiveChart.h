#pragma once
// One Selective Tree from its run to its release: the working tables, the
// layout, the display list and the extent, owned together and released in
// one step (by Release, by the next run, or by the destructor). The dialog
// and the command-line tool call Run; the window, the printer and the image
// export call Draw.

#include <memory>
#include <string>
#include <vector>

#include "charts/selective/SelectiveGather.h"
#include "charts/selective/SelectiveLayout.h"
#include "charts/selective/SelectiveTables.h"
#include "output/DrawSurface.h"

namespace dv {

class SelectiveChart {
 public:
  // Releases an earlier chart and runs gathering, layout and formatting in
  // turn, each only when the one before returned 0. 0 on success; otherwise
  // -1 or the id already shown through the prompter, and the chart is
  // released (the caller then shows 12 "Cannot generate tree").
  int Run(const SelectiveGatherInput& in, const SelectivePage& page,
          const SelectivePrompter& prompter);

  // The same run with the tables read from a Selective Tree chart file
  // (.DVB) in place of the gathering. With the manual format armed
  // (options.manualFormat) the file's section gives the shifts (a full
  // section: message 21).
  int RunChartFile(const std::string& path, const SelectiveOptions& options,
                   const SelectivePage& page, const SelectivePrompter& prompter);

  // Lays the gathered tables out again (for another page or with the
  // manual format's shifts). Same results as Run.
  int Relayout(const SelectivePage& page, const SelectivePrompter& prompter);

  // The manual format's shifts, applied by the next layout when not empty.
  void SetShifts(std::vector<ManualShift> shifts) { shifts_ = std::move(shifts); }

  // A new page for the same chart (a printer measured at printing time):
  // the margins move the drawing, and items outside the new printable area
  // are reported by Draw.
  void SetPage(const SelectivePage& page) { page_ = page; }

  void Release();
  bool HasChart() const { return tables_ != nullptr && !items_.empty(); }

  // The pen's width on paper and the printer's line height (for the
  // screen's proportional pen).
  void SetPen(int lineWidth, int printerLineHeight);

  // The draw routine: the whole list on any surface (the page argument is
  // ignored). 0, 35 (a column outside the printable area) or 36 (a line
  // outside it); items before the failing one stay drawn.
  int Draw(DrawSurface& surface, int cellWidth, int cellHeight, int page, int screen) const;

  // With a proportional screen font: whether some text, measured on the
  // surface, is wider than the cells its characters are given at cellWidth.
  bool Overflows(DrawSurface& surface, int cellWidth) const;

  // The family groups in walk order: slot, key, family, husband and wife
  // (numbers of their cross-references, through number), and the children.
  std::string Groups(const std::function<std::string(bool family, std::int32_t index)>& xref) const;

  const SelectiveTables* Tables() const { return tables_.get(); }
  const std::vector<SelectiveItem>& Items() const { return items_; }
  const SelectiveExtent& Extent() const { return extent_; }
  const SelectiveOptions& Options() const { return options_; }
  const SelectiveLayoutResult& LayoutResult() const { return layout_; }

 private:
  std::unique_ptr<SelectiveTables> tables_;
  SelectiveLayoutResult layout_;
  std::vector<SelectiveItem> items_;
  SelectiveExtent extent_;
  SelectiveOptions options_;
  SelectivePage page_;
  std::vector<ManualShift> shifts_;
  int lineWidth_ = 6;
  int printerLineHeight_ = 25;
};

}  // namespace dv
