#include <charconv>
#include <cstdio>
#include <string>

#include "ChartDump.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "charts/selective/BirthBriefChart.h"
#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/ChartFileRead.h"
#include "common/StringTable.h"
#include "data/CharSet.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "output/PageGeometry.h"
#include "output/ZoomLevels.h"
#include "shell/Settings.h"

namespace dv::cli {

namespace {

struct BirthBriefArgs {
  std::string file, base, png, dump;
  int zoom = kStartZoomLevel;
  BirthBriefOptions options;
};

bool ParseArgs(Args args, BirthBriefArgs& out) {
  out.options.width = Settings().dparam[39];
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = std::string(args[++i]);
      return true;
    };
    auto number = [&](int& into) { return i + 1 < args.size() && ParseInt(args[++i], into); };
    if (a == "--base") {
      if (!value(out.base)) return false;
    } else if (a == "--generations") {
      if (!number(out.options.generations)) return false;
      if (out.options.generations != 7 && out.options.generations != 8) return false;
    } else if (a == "--width") {
      if (!number(out.options.width)) return false;
      if (out.options.width < 20 || out.options.width > 31) return false;
    } else if (a == "--zoom") {
      if (!number(out.zoom) || out.zoom < 1 || out.zoom > kMaxZoomLevel) return false;
    } else if (a == "--png") {
      if (!value(out.png)) return false;
    } else if (a == "--dump") {
      if (!value(out.dump)) return false;
    } else if (a == "--no-details") {
      out.options.addBirthDeath = false;
    } else if (a == "--no-occupation") {
      out.options.addOccupation = false;
    } else if (a == "--exclude-1-2") {
      out.options.excludeGen12 = true;
    } else if (a == "--exclude-6") {
      out.options.excludeGen6 = true;
    } else if (a == "--all-lines") {
      out.options.showAllLines = true;
    } else if (a == "--capitals") {
      out.options.allCapitals = true;
    } else if (a.size() > 1 && a.front() == '-') {
      return false;
    } else if (out.file.empty()) {
      out.file = std::string(a);
    } else {
      return false;
    }
  }
  return !out.file.empty() && (!out.base.empty() || ChartFormatOfPath(out.file) == 0);
}

int Fail(int id, std::string_view suffix = {}) { return PrintMessage(id, suffix); }

}  // namespace

// Computes a Birth Brief for a base individual of a GEDCOM file and writes
// its drawing as a cell-level dump and/or a PNG image. Without a printer the
// page is the one the Birth Brief's printer font would be fitted to, with
// the margins of a fresh settings file: at least 160 columns and 130 lines.
int BirthBrief(Args args) {
  BirthBriefArgs a;
  if (!ParseArgs(args, a)) return 2;

  const Settings settings;
  const Margins margins = PageMarginsOf(settings);
  // The page a fitted printer font gives: 6 W + 34 columns and 130 lines
  // inside the margins, so that the widest column is never cut off.
  BirthBriefPage page;
  page.pageColumns = BirthBriefColumns(a.options.width, margins);
  page.pageLines = kBirthBriefLines + margins.top + margins.bottom;
  page.marginTop = margins.top;
  page.marginBottom = margins.bottom;
  page.marginLeft = margins.left;
  page.marginRight = margins.right;

  BirthBriefChart chart;
  chart.SetPen(settings.bparam[0], kNoPrinterLineHeight);
  const int format = ChartFormatOfPath(a.file);
  if (format == 0) {
    // A Birth Brief chart file fills the tables in place of the store.
    BirthBriefTables& tables = chart.StartTables(a.options, page);
    SelectivePrompter prompter;
    prompter.show = [](int id, const std::string& suffix) { PrintMessage(id, suffix); };
    int rc = ReadBirthBriefChartFile(a.file, chart.Options(), tables, prompter);
    if (rc > 0) PrintMessage(rc, rc == kMsgChartFileCannotOpen ? a.file : std::string());
    if (rc == 0) rc = chart.Layout();
    if (rc != 0) {
      if (rc > 0 && rc != kMsgChartFileCannotOpen && rc != kMsgChartWrongFormat) PrintMessage(rc);
      chart.Release();
      return Fail(kMsgCannotGenerateChart);
    }
  } else if (format < 0) {
    // A Selective Tree chart file holds no Birth Brief.
    PrintMessage(kMsgChartWrongFormat);
    return Fail(kMsgCannotGenerateChart);
  } else {
    RecordStore store;
    std::string summary;
    if (int rc = LoadDataSource(store, a.file, LoadOptions{}, summary)) return Fail(rc);
    const std::int32_t number = RecordNumber(a.base);
    const std::int32_t index = number > 0 ? store.IndexOf(kIndi, number) : 0;
    const GatherResult r = chart.Run(store, index, a.options, page);
    if (r.status != 0) {
      if (r.message != 0 && r.message != kMsgCannotGenerateChart) PrintMessage(r.message, r.suffix);
      return Fail(kMsgCannotGenerateChart);
    }
  }

  if (!a.dump.empty()) {
    int status = 0;
    // The chart's text is program text; the dump file is UTF-8.
    const std::string dump = Utf8FromProgramText(chart.Dump(0, 1, status));
    if (status != 0) return Fail(status);
    if (int rc = WriteTextFile(a.dump, dump)) return Fail(rc, a.dump);
  }
  if (!a.png.empty()) {
    const DrawRoutine draw = [&chart](DrawSurface& s, int cw, int ch, int pg, int screen) {
      return chart.Draw(s, cw, ch, pg, screen);
    };
    return ExportChartPng(draw, chart.Extent().chartColumns, chart.Extent().chartLines, a.zoom,
                          a.png);
  }
  return 0;
}

}  // namespace dv::cli
