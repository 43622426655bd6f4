#include <charconv>
#include <cstdio>
#include <string>

#include "ChartDump.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "charts/full/FullChart.h"
#include "charts/full/OverlayFile.h"
#include "output/CellDump.h"
#include "common/SafeFile.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "output/PageGeometry.h"
#include "output/ZoomLevels.h"
#include "shell/Settings.h"

namespace dv::cli {

namespace {

struct FullChartArgs {
  std::string file, base, png, dump, families, overlay;
  bool summary = false;
  bool autoResize = false, scaleToFit = false;
  int zoom = kStartZoomLevel;
  FullChartOptions options;
};

bool ParseArgs(Args args, FullChartArgs& out) {
  FullChartOptions& o = out.options;
  o = FullChartOptions::FromSettings(Settings());
  o.boxChart = false;
  // The box options start off; the flags turn them on.
  o.box.noDuplicate = false;
  o.box.colourBoxes = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = std::string(args[++i]);
      return true;
    };
    auto number = [&](int& into, int lo, int hi) {
      return i + 1 < args.size() && ParseInt(args[++i], into) && into >= lo && into <= hi;
    };
    auto word = [&](std::initializer_list<std::string_view> words, int& into) {
      if (i + 1 >= args.size()) return false;
      const std::string_view w = args[++i];
      int k = 0;
      for (std::string_view candidate : words) {
        if (candidate == w) {
          into = k;
          return true;
        }
        ++k;
      }
      return false;
    };
    int choice = 0;
    if (a == "--base") {
      if (!value(out.base)) return false;
    } else if (a == "--style") {
      if (!word({"tree", "box"}, choice)) return false;
      o.boxChart = choice == 1;
    } else if (a == "--spouse-data") {
      // Spouse data lines: birth date, birth place, death date, death place,
      // marriage date, marriage place, occupation, as a string of 0 and 1.
      std::string bits;
      if (!value(bits) || bits.size() != 7 || bits.find_first_not_of("01") != std::string::npos)
        return false;
      for (int k = 0; k < 6; ++k) o.box.spouse[k] = bits[std::size_t(k)] == '1';
      o.box.occupation = bits[6] == '1';
    } else if (a == "--child-data") {
      std::string bits;
      if (!value(bits) || bits.size() != 4 || bits.find_first_not_of("01") != std::string::npos)
        return false;
      for (int k = 0; k < 4; ++k) o.box.child[k] = bits[std::size_t(k)] == '1';
    } else if (a == "--blank-lines") {
      o.box.blankLines = true;
    } else if (a == "--no-duplicate") {
      o.box.noDuplicate = true;
    } else if (a == "--full-child-names") {
      o.box.fullChildNames = true;
    } else if (a == "--no-male-first") {
      o.box.maleFirst = false;
    } else if (a == "--exclude-married") {
      o.box.excludeMarried = true;
    } else if (a == "--colour-boxes") {
      o.box.colourBoxes = true;
    } else if (a == "--people") {
      if (!word({"relatives", "ancestors", "descendants"}, choice)) return false;
      o.people = People(choice);
    } else if (a == "--max-ancestors") {
      if (!number(o.maxAncestors, 1, kAllGenerations)) return false;
    } else if (a == "--max-descendants") {
      if (!number(o.maxDescendants, 1, kAllGenerations)) return false;
    } else if (a == "--no-page-breaks") {
      o.noPageBreaks = true;
    } else if (a == "--page-numbers") {
      if (!word({"none", "bottom", "top"}, o.pageNumbers)) return false;
    } else if (a == "--title") {
      o.title = 1;
    } else if (a == "--fold") {
      o.fold = true;
    } else if (a == "--equals") {
      o.equals = true;
    } else if (a == "--birth-not-marriage") {
      o.birthNotMarriage = true;
    } else if (a == "--line-width") {
      if (!number(o.lineWidth, 1, 10)) return false;
    } else if (a == "--links") {
      if (!word({"uniform", "black", "colour"}, choice)) return false;
      o.links = LinkPens(choice);
    } else if (a == "--zoom") {
      if (!number(out.zoom, 1, kMaxZoomLevel)) return false;
    } else if (a == "--png") {
      if (!value(out.png)) return false;
    } else if (a == "--dump") {
      if (!value(out.dump)) return false;
    } else if (a == "--families") {
      if (!value(out.families)) return false;
    } else if (a == "--overlay") {
      if (!value(out.overlay)) return false;
    } else if (a == "--auto-resize") {
      out.autoResize = true;
    } else if (a == "--scale-to-fit") {
      out.scaleToFit = true;
    } else if (a == "--summary") {
      out.summary = true;
    } else if (a.size() > 1 && a.front() == '-') {
      return false;
    } else if (out.file.empty()) {
      out.file = std::string(a);
    } else {
      return false;
    }
  }
  return !out.file.empty() && !out.base.empty();
}

void Message(int id, std::string_view suffix = {}) { PrintMessage(id, suffix); }

// Places the items of an overlay file on the chart as the mouse would, at
// the dump's cell size; refused lines go to standard error as
// "refused<TAB>LINE<TAB>reason", pictures that cannot be loaded as their
// message. False when the file cannot be read.
bool PlaceOverlayFile(const FullChartArgs& a, const FullChart& chart, const Settings& settings,
                      Overlays& overlays, OverlayContext& context) {
  std::string text;
  if (!ReadWholeFile(a.overlay, text)) return false;
  context.chartFont = settings.fonts[kChartFont];
  context.sourceFile = a.file;
  context.scaleToFit = a.scaleToFit;
  context.autoResize = a.autoResize;
  overlays.SetChart(OverlayChartOf(chart));
  CellRecorder measure;
  const auto outcomes =
      PlaceOverlayLines(overlays, ParseOverlayFile(text), settings.fonts[kFont4], measure,
                        measure.cellWidth(), measure.cellHeight(), context);
  for (const OverlayOutcome& o : outcomes) {
    if (!o.placed)
      std::fprintf(stderr, "refused\t%d\t%s\n", o.line, o.reason.c_str());
    else if (o.message != 0)
      Message(o.message, o.detail);
  }
  return true;
}

}  // namespace

// The page of a fresh installation without a printer: a Letter page at 20
// columns and 12 lines per inch inside the default margins.
FullChartPage DefaultFullChartPage(const Settings& settings) {
  PageGeometry g;
  int fontsState = 0;
  ComputePageGeometry(PrinterReading{}, PageMarginsOf(settings), g, fontsState);
  FullChartPage page;
  page.pageColumns = g.usableColumns + g.margins.left + g.margins.right;
  page.pageLines = g.usableLines + g.margins.top + g.margins.bottom;
  page.marginTop = g.margins.top;
  page.marginBottom = g.margins.bottom;
  page.marginLeft = g.margins.left;
  page.marginRight = g.margins.right;
  page.chartTop = settings.dparam[19];
  page.chartBottom = settings.dparam[20];
  page.chartLeft = settings.dparam[21];
  page.chartRight = settings.dparam[22];
  page.printerCharWidth = g.printerCharWidth;
  page.printerLineHeight = g.printerLineHeight;
  page.dpiX = g.printerCharWidth * 20;
  page.dpiY = g.printerLineHeight * 12;
  return page;
}

// Computes a full chart (Tree) for a base individual of a GEDCOM file and
// writes its printed pages as a cell-level dump, the families it placed,
// the dialog's result text and/or a PNG image of the whole chart.
int FullChartCommand(Args args) {
  FullChartArgs a;
  if (!ParseArgs(args, a)) return 2;

  RecordStore store;
  std::string loaded;
  if (int rc = LoadDataSource(store, a.file, LoadOptions{}, loaded)) {
    Message(rc);
    return 1;
  }
  const std::int32_t number = RecordNumber(a.base);
  const std::int32_t index = number > 0 ? store.IndexOf(kIndi, number) : 0;

  Settings settings;
  FullChartPage page = DefaultFullChartPage(settings);
  page = PageForNumbers(page, a.options, 1);

  FullChart chart;
  chart.SetFonts(settings.fonts[kChartFont], settings.fonts[kFont2], settings.fonts[kTitleFont]);
  chart.SetPrinterLineHeight(page.printerLineHeight);
  const ChartStatus st = chart.Run(store, index, a.options, page);
  if (!st.ok()) {
    for (const ChartMessage& m : st.messages) Message(m.id, m.suffix);
    Message(kMsgFcCannotGenerate);
    return 1;
  }
  for (const ChartMessage& m : chart.notices()) Message(m.id, m.suffix);

  Overlays overlays;
  OverlayContext context;
  if (!a.overlay.empty() && !PlaceOverlayFile(a, chart, settings, overlays, context))
    return Message(kErrCannotOpen, a.overlay), 1;
  const bool withOverlays = !a.overlay.empty();

  if (a.summary) {
    const std::string text =
        chart.ResultText(page.printerCharWidth, page.printerLineHeight, page.dpiX, page.dpiY) +
        "\n";
    if (int rc = WriteTextFile("-", text)) return Message(rc), 1;
  }
  if (!a.families.empty()) {
    if (int rc = WriteTextFile(a.families, chart.Families(store)))
      return Message(rc, a.families), 1;
  }
  if (!a.dump.empty()) {
    int status = 0;
    const std::string dump =
        withOverlays ? DumpWithOverlays(chart, overlays, context, status) : chart.Dump(status);
    if (status != 0) return Message(status), 1;
    if (int rc = WriteTextFile(a.dump, dump)) return Message(rc, a.dump), 1;
  }
  if (!a.png.empty()) {
    const DrawRoutine draw =
        withOverlays ? WithOverlays(chart, overlays, context)
                     : DrawRoutine([&chart](DrawSurface& s, int cw, int ch, int pg, int screen) {
                         return chart.Draw(s, cw, ch, pg, screen);
                       });
    return ExportChartPng(draw, chart.Extent().chartColumns, chart.Extent().chartLines, a.zoom,
                          a.png);
  }
  return 0;
}

}  // namespace dv::cli
