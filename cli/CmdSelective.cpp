#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "ChartDump.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/ManualFormat.h"
#include "charts/selective/SelectiveChart.h"
#include "common/SafeFile.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "output/PageGeometry.h"
#include "output/ZoomLevels.h"
#include "shell/Settings.h"

namespace dv::cli {

namespace {

// "4,13,27": Ahnentafel numbers of ancestors, each 2 to 2^31 - 1.
bool ParseSelection(std::string_view text, std::vector<std::int32_t>& out) {
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    long long n = 0;
    auto [p, ec] = std::from_chars(item.data(), item.data() + item.size(), n);
    if (ec != std::errc() || p != item.data() + item.size() || !ValidAncestorNumber(n))
      return false;
    out.push_back(static_cast<std::int32_t>(n));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return !out.empty() && int(out.size()) <= kSelectionCapacity;
}

// "name=0" or "name=1" for one of the fifteen options.
bool ParseOption(std::string_view text, SelectiveOptions& options) {
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return false;
  const std::string_view name = text.substr(0, eq), value = text.substr(eq + 1);
  if (value != "0" && value != "1") return false;
  const auto& names = SelectiveOptionNames();
  for (int i = 0; i < SelectiveOptions::kCount; ++i)
    if (name == names[i]) {
      options[i] = value == "1";
      return true;
    }
  return false;
}

struct SelectiveArgs {
  std::string file, base, png, dump, groups;
  std::vector<std::int32_t> selection;
  SelectiveOptions options = SelectiveOptions::FromSettings(Settings());
  int lineWidth = Settings().bparam[0];
  bool answerOk = true;
  int zoom = kStartZoomLevel;
  std::vector<ManualShift> shifts;  // --shift KEY:COLUMNS
  bool saveFormat = false;
};

// "KEY:COLUMNS": a family key and a signed shift.
bool ParseShift(std::string_view text, std::vector<ManualShift>& out) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  int key = 0, shift = 0;
  if (!ParseInt(text.substr(0, colon), key) || key <= 0) return false;
  std::string_view columns = text.substr(colon + 1);
  const bool negative = !columns.empty() && columns.front() == '-';
  if (negative || (!columns.empty() && columns.front() == '+')) columns.remove_prefix(1);
  if (!ParseInt(columns, shift) || shift > 9999) return false;
  out.push_back({key, negative ? -shift : shift});
  return true;
}

bool ParseArgs(Args args, SelectiveArgs& out) {
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
    } else if (a == "--select") {
      if (i + 1 >= args.size() || !ParseSelection(args[++i], out.selection)) return false;
    } else if (a == "--opt") {
      if (i + 1 >= args.size() || !ParseOption(args[++i], out.options)) return false;
    } else if (a == "--line-width") {
      if (!number(out.lineWidth) || out.lineWidth < 1 || out.lineWidth > 10) return false;
    } else if (a == "--answer") {
      if (i + 1 >= args.size()) return false;
      const std::string_view answer = args[++i];
      if (answer != "ok" && answer != "cancel") return false;
      out.answerOk = answer == "ok";
    } else if (a == "--zoom") {
      if (!number(out.zoom) || out.zoom < 1 || out.zoom > kMaxZoomLevel) return false;
    } else if (a == "--png") {
      if (!value(out.png)) return false;
    } else if (a == "--dump") {
      if (!value(out.dump)) return false;
    } else if (a == "--shift") {
      if (i + 1 >= args.size() || !ParseShift(args[++i], out.shifts)) return false;
    } else if (a == "--save-format") {
      out.saveFormat = true;
    } else if (a == "--groups") {
      if (!value(out.groups)) return false;
    } else if (a.size() > 1 && a.front() == '-') {
      return false;
    } else if (out.file.empty()) {
      out.file = std::string(a);
    } else {
      return false;
    }
  }
  // Shifts are saved into a chart file only.
  if (out.saveFormat && ChartFormatOfPath(out.file) != -1) return false;
  if (ChartFormatOfPath(out.file) != 1) return !out.file.empty();
  return !out.file.empty() && !out.base.empty() && !out.selection.empty();
}

void Message(int id, std::string_view suffix = {}) { PrintMessage(id, suffix); }

}  // namespace

SelectivePage DefaultSelectivePage();

namespace {

// The manual format from the command line: the file's section, changed by
// each --shift, checked like the dialog's OK, laid out again and, with
// --save-format, written into the file. 0 or 1 (the message printed).
int ApplyManualShifts(SelectiveChart& chart, const SelectiveArgs& a,
                      const SelectivePrompter& prompter) {
  std::vector<ManualShift> list;
  if (ReadManualFormatFile(a.file, list) != 0) {
    Message(kMsgReadMaskError);
    return 1;
  }
  std::vector<ManualGroup> groups = ListManualGroups(*chart.Tables(), list, prompter);
  for (const ManualShift& s : a.shifts) {
    bool found = false;
    for (ManualGroup& g : groups)
      if (g.key == s.key) {
        g.shift = s.shift;
        found = true;
      }
    if (!found) {
      Message(kMsgReferenceNotFound, std::to_string(s.key));
      return 1;
    }
  }
  if (int rc = CheckManualFormat(groups, chart.Extent().usableColumns)) {
    Message(rc);
    return 1;
  }
  list.clear();
  for (const ManualGroup& g : groups) list.push_back({g.key, g.shift});
  chart.SetShifts(list);
  if (chart.Relayout(DefaultSelectivePage(), prompter) != 0) {
    Message(kMsgCannotGenerateTree);
    return 1;
  }
  if (a.saveFormat) {
    if (int rc = SaveCheckedManualFormat(a.file, groups, chart.Extent().usableColumns)) {
      Message(rc, a.file);
      return 1;
    }
  }
  return 0;
}

// The verb's usage, with the option names, on standard error (or standard
// output for --help).
void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: dorvane-cli selective FILE --base ID --select N[,N...] [--opt NAME=0|1 ...]\n"
      "       dorvane-cli selective FILE.DVB [--shift KEY:COLUMNS ...] [--save-format] ...\n"
      "    [--line-width 1-10] [--answer ok|cancel] [--groups OUT.tsv] [--dump OUT.txt]\n"
      "    [--png OUT.png] [--zoom N]\n"
      "options (NAME=1 on, NAME=0 off; defaults as in a fresh settings file):\n",
      out);
  const SelectiveOptions defaults = SelectiveOptions::FromSettings(Settings());
  const auto& names = SelectiveOptionNames();
  for (int i = 0; i < SelectiveOptions::kCount; ++i)
    std::fprintf(out, "  %-22s %d\n", names[i], defaults[i] ? 1 : 0);
}

}  // namespace

// The page a fresh settings file gives without a printer: the page geometry
// of no printer (a Letter page in cells) with the default margins.
SelectivePage DefaultSelectivePage() {
  const Settings settings;
  PageGeometry g;
  int fontsState = 0;
  ComputePageGeometry(PrinterReading{}, PageMarginsOf(settings), g, fontsState);
  SelectivePage page;
  page.pageColumns = g.pageColumns;
  page.pageLines = g.pageLines;
  page.marginTop = g.margins.top;
  page.marginBottom = g.margins.bottom;
  page.marginLeft = g.margins.left;
  page.marginRight = g.margins.right;
  return page;
}

// Computes a Selective Tree for a base individual and chosen ancestors of a
// GEDCOM file, and writes its family groups, its drawing as a cell-level
// dump and/or a PNG image. Every question of the run gets the --answer reply.
int SelectiveTree(Args args) {
  for (std::string_view arg : args)
    if (arg == "--help") {
      PrintUsage(stdout);
      return 0;
    }
  SelectiveArgs a;
  if (!ParseArgs(args, a)) {
    PrintUsage(stderr);
    return 2;
  }

  SelectivePrompter prompter;
  prompter.show = [](int id, const std::string& suffix) { Message(id, suffix); };
  prompter.ask = [&a](int id, const std::string& suffix) {
    Message(id, suffix);
    return a.answerOk;
  };

  SelectiveChart chart;
  chart.SetPen(a.lineWidth, kNoPrinterLineHeight);
  RecordStore store;
  const int format = ChartFormatOfPath(a.file);
  if (format == 0) {
    // A Birth Brief chart file holds no Selective Tree.
    Message(kMsgChartWrongFormat);
    Message(kMsgCannotGenerateTree);
    return 1;
  }
  if (format < 0) {
    // Shifts from the command line start from the file's own section.
    SelectiveOptions options = a.options;
    const bool manual = !a.shifts.empty() || a.saveFormat;
    if (manual) options.manualFormat = false;
    if (chart.RunChartFile(a.file, options, DefaultSelectivePage(), prompter) != 0) {
      Message(kMsgCannotGenerateTree);
      return 1;
    }
    if (manual && ApplyManualShifts(chart, a, prompter) != 0) return 1;
  } else {
    std::string summary;
    if (int rc = LoadDataSource(store, a.file, LoadOptions{}, summary)) {
      Message(rc);
      return 1;
    }
    const std::int32_t number = RecordNumber(a.base);
    SelectiveGatherInput in;
    in.store = &store;
    in.baseIndex = number > 0 ? store.FindIndex(kIndi, number) : 0;
    in.selection = a.selection;
    in.options = a.options;
    if (chart.Run(in, DefaultSelectivePage(), prompter) != 0) {
      Message(kMsgCannotGenerateTree);
      return 1;
    }
  }
  if (!a.groups.empty()) {
    // From a chart file the families are given by their FAM numbers and
    // the people by their Ahnentafel numbers.
    const std::string text = chart.Groups([&store, format](bool family, std::int32_t index) {
      if (index <= 0) return std::string();
      if (format < 0) return std::to_string(index);
      return store.XrefOf(family ? kFam : kIndi, index);
    });
    if (int rc = WriteTextFile(a.groups, text)) {
      Message(rc, a.groups);
      return 1;
    }
  }
  const DrawRoutine draw = [&chart](DrawSurface& s, int cw, int ch, int pg, int screen) {
    return chart.Draw(s, cw, ch, pg, screen);
  };
  if (!a.dump.empty()) {
    const int rc = WriteChartDump(draw, 0, 1, a.dump);
    if (rc != 0) {
      const bool fileFault = rc == kMsgCannotOpenForOutput || rc == kMsgErrorWritingFile;
      Message(rc, fileFault ? a.dump : "");
      return 1;
    }
  }
  if (!a.png.empty()) {
    return ExportChartPng(draw, chart.Extent().chartColumns, chart.Extent().chartLines, a.zoom,
                          a.png);
  }
  return 0;
}

}  // namespace dv::cli
