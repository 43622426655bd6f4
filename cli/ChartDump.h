#pragma once
// The cell-level display dump of a chart (`--dump` of the chart
// subcommands): what the chart's draw routine draws, in drawing order, as
// page, column, line, kind, length and text, one item a line.

#include <string>

#include "output/DrawSurface.h"

namespace dv::cli {

// Draws page (0: the whole chart) with the screen flag and writes the dump to
// path ("-" for standard output). Returns 0, the draw routine's failure id,
// or 25 when the output file cannot be created.
int WriteChartDump(const DrawRoutine& draw, int page, int screen, const std::string& path);

}  // namespace dv::cli
