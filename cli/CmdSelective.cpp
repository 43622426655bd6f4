#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "ChartDump.h"
#include "Commands.h"
#include "ConsoleText.h"
#include "charts/selective/SelectiveChart.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "output/PageGeometry.h"
#include "output/ZoomLevels.h"
#include "shell/Settings.h"

namespace dv::cli {

namespace {

constexpr int kCannotOpenFileForOutput = 25;

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
};

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
  return !out.file.empty() && !out.base.empty() && !out.selection.empty();
}

void Message(int id, std::string_view suffix = {}) { PrintMessage(id, suffix); }

}  // namespace

namespace {

// The verb's usage, with the option names, on standard error (or standard
// output for --help).
void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: dorvane-cli selective FILE --base ID --select N[,N...] [--opt NAME=0|1 ...]\n"
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

  RecordStore store;
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
  SelectivePrompter prompter;
  prompter.show = [](int id, const std::string& suffix) { Message(id, suffix); };
  prompter.ask = [&a](int id, const std::string& suffix) {
    Message(id, suffix);
    return a.answerOk;
  };

  SelectiveChart chart;
  chart.SetPen(a.lineWidth, kNoPrinterLineHeight);
  if (chart.Run(in, DefaultSelectivePage(), prompter) != 0) {
    Message(kMsgCannotGenerateTree);
    return 1;
  }
  if (!a.groups.empty()) {
    const std::string text = chart.Groups([&store](bool family, std::int32_t index) {
      return index > 0 ? store.XrefOf(family ? kFam : kIndi, index) : std::string();
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
      Message(rc, rc == kCannotOpenFileForOutput ? a.dump : "");
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
