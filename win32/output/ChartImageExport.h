#pragma once
// Saving the chart on show as an image, drawn by the chart's own draw
// routine at the screen's cell size: a PNG rendered into 24-bit bitmap
// strips of about a million pixels and fed to the PNG strip writer, or an
// enhanced metafile. These are the bodies of the export commands; the
// thread, the progress bar and the messages belong to the main window.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "output/DrawSurface.h"

namespace dv::win {

struct ChartImageJob {
  DrawRoutine draw;
  int chartColumns = 10;
  int chartLines = 10;
  int cellWidth = 0;
  int cellHeight = 0;
  FontRecord screenFont;  // the chart font at the current zoom
  // Line numbers from 0 to chartLines where strips start; empty: strips of
  // about a million pixels each (the full chart supplies its own plan).
  std::vector<int> stripPlan;
  // Called after each strip is drawn and before it is drawn (the full chart
  // sets its drawing window from it); may be empty.
  std::function<void(int firstLine, int endLine)> beforeStrip;
  int page = 0;    // the draw routine's page and screen arguments
  int screen = 1;
  std::function<void(int rowsWritten)> progress;
};

// Renders the job into PNG file path. reference is the device context the
// strips are made compatible with (the main window's). Returns 0 or a string
// id: 139 "Chart too large to store image", 143 "Cannot generate image", 2,
// 1 or 140 from the writer (the incomplete file is removed).
int ExportChartPng(HDC reference, const ChartImageJob& job, const std::string& path);

// Draws the job into an enhanced metafile at path, with reference (the
// screen) as reference device and a frame of the chart's size on that
// screen in hundredths of a millimetre. Returns 0, or 2 when the metafile
// cannot be created; a failing draw is not reported.
int ExportChartMetafile(HDC reference, const ChartImageJob& job, const std::string& path);

}  // namespace dv::win
