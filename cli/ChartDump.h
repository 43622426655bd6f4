#pragma once
// The cell-level display dump of a chart (`--dump` of the chart
// subcommands): what the chart's draw routine draws, in drawing order, as
// page, column, line, kind, length and text, one item a line.

#include <string>

#include "output/DrawSurface.h"

namespace dv::cli {

// "PNG output is built natively only": the Windows console tool's --png.
inline constexpr int kMsgPngNativeOnly = 213;

// Draws page (0: the whole chart) with the screen flag and writes the dump to
// path ("-" for standard output). Returns 0, the draw routine's failure id,
// or WriteTextFile's.
int WriteChartDump(const DrawRoutine& draw, int page, int screen, const std::string& path);

// Writes text to path ("-" for standard output). Returns 0, 25 when the
// file cannot be created, or 250 when it cannot be written whole (the
// partial file is then removed).
int WriteTextFile(const std::string& path, const std::string& text);

// The chart verbs' --png: renders a chart of the given extent at a zoom
// level of the chart window into path. A failure is written to standard
// error as a message; returns the exit code, 0 or 1. Image files are made by
// the native build only; the Windows console tool says so and fails.
int ExportChartPng(const DrawRoutine& draw, int chartColumns, int chartLines, int zoom,
                   const std::string& path);

}  // namespace dv::cli
