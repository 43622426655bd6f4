#pragma once
// One Birth Brief chart from its run to its release: the working tables, the
// display list and the extent, owned together and released in one step
// (by Release, by the next run, or by the destructor). The dialogs call Run;
// the window, the printer and the image export call Draw.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "charts/selective/BirthBriefDraw.h"
#include "charts/selective/BirthBriefGather.h"
#include "charts/selective/BirthBriefLayout.h"
#include "charts/selective/BirthBriefTables.h"
#include "output/PageGeometry.h"

namespace dv {

class RecordStore;

// The page the Birth Brief reads, from the page geometry.
BirthBriefPage BirthBriefPageOf(const PageGeometry& geometry);

class BirthBriefChart {
 public:
  // Releases an earlier chart, gathers from the store for the base
  // individual's index, lays the chart out and computes its extent for the
  // page. status 0 on success; on failure the chart is released and the
  // result names the message to show first (then 26 "Cannot generate chart").
  GatherResult Run(const RecordStore& store, std::int32_t baseIndex,
                   const BirthBriefOptions& options, const BirthBriefPage& page);

  // For other sources of the tables (the chart files): fresh, empty tables
  // to fill, then Layout.
  BirthBriefTables& StartTables(const BirthBriefOptions& options, const BirthBriefPage& page);
  int Layout();

  void Release();
  bool HasChart() const { return tables_ != nullptr; }

  // A new page (the printer's, measured when printing): the margins move
  // the drawing; the extent is recomputed.
  void SetPage(const BirthBriefPage& page);

  // The pen's width on paper and the printer's line height (for the screen's
  // proportional pen).
  void SetPen(int lineWidth, int printerLineHeight);

  // The draw routine of the chart (0 or 52; 0 when no chart is held).
  int Draw(DrawSurface& surface, int cellWidth, int cellHeight, int page, int screen) const;

  // The chart as drawn, as text: one item a line in drawing order, tab
  // separated: page, column, line, kind (text, hline, vline or box), length
  // in cells (0 for text), text (C-escaped; empty for rules). Columns and
  // lines are cells of the drawing, margins included; a half cell is n.5.
  // status receives the draw routine's result.
  std::string Dump(int page, int screen, int& status) const;

  const BirthBriefTables* Tables() const { return tables_.get(); }
  const std::vector<BirthBriefItem>& Items() const { return items_; }
  const BirthBriefExtent& Extent() const { return extent_; }
  const BirthBriefOptions& Options() const { return options_; }

 private:
  std::unique_ptr<BirthBriefTables> tables_;
  std::vector<BirthBriefItem> items_;
  BirthBriefExtent extent_;
  BirthBriefOptions options_;
  BirthBriefPage page_;
  int lineWidth_ = 6;
  int printerLineHeight_ = 25;
};

}  // namespace dv
