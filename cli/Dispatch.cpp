// The command-line tool's verbs: their table, their usage texts and the
// dispatch from the first argument.

#include <cstdio>
#include <string_view>

#include "Commands.h"

namespace dv::cli {
namespace {

struct Command {
  std::string_view name;
  int (*run)(Args);
  std::string_view usage;
  bool printsOwnUsage = false;  // prints its full usage itself on a usage error
};

constexpr Command kCommands[] = {
    {"strings", Strings, "strings                      list the string table"},
    {"load", Load,
     "load FILE [--names-last] [--combine-sources] [--repeat N]\n"
     "      load a GEDCOM file, print the counts (--repeat: N loads' times)"},
    {"birthbrief", BirthBrief,
     "birthbrief FILE [--base ID] [--generations 7|8] [--width 20-31] [--no-details]\n"
     "      [--no-occupation] [--exclude-1-2] [--exclude-6] [--all-lines] [--capitals]\n"
     "      [--png OUT.png] [--dump OUT.txt] [--zoom N]   draw a Birth Brief (ID: @I12@ or 12;\n"
     "      a Birth Brief chart file .DVA as FILE needs no --base)"},
    {"report", Report,
     "report FILE --kind all|descendants|ancestors [--base ID] [--order alpha|database]\n"
     "      [--rtf|--text] --out OUT [--notes] [--number] [--subheadings]\n"
     "      [--children-under-father] [--male-lines] [--keep-together] [--heading TEXT]\n"
     "                                   write a report (ID: @I12@ or 12)"},
    {"soundex", Soundex,
     "soundex [--variant simplified|american|both] NAME...   Soundex codes of names"},
    {"soundex-list", SoundexList,
     "soundex-list FILE            the Soundex list of a GEDCOM file"},
    {"selective", SelectiveTree,
     "selective FILE [--base ID --select N[,N...]] [--shift KEY:COLUMNS ...] [--save-format] [--opt NAME=0|1 ...] [--line-width 1-10]\n"
     "      [--answer ok|cancel] [--groups OUT.tsv] [--dump OUT.txt] [--png OUT.png] [--zoom N]\n"
     "      a Selective Tree: lines of descent from the ancestors N (Ahnentafel numbers of\n"
     "      the base individual ID) down to it; --answer replies to every question;\n"
     "      --groups writes slot, key, family, husband, wife, children of each family\n"
     "      group on the lines, in walk order. Options (NAME, in the dialog's order):\n"
     "      birth-marriage no-siblings all-surnames all-first-names marriage-by-equals\n"
     "      top-capitals force-folding no-straightening manual-format boxes\n"
     "      boxes-and-numbers suppress-remarriages compress-vertical number-children\n"
     "      all-capitals. A Selective Tree chart file .DVB as FILE needs no --base and\n"
     "      --select; --shift moves a family group sideways (manual format) and\n"
     "      --save-format writes the shifts into the .DVB",
     true},
    {"stree", SelectiveTree, "stree ...                    the same as selective", true},
    {"edit", Edit,
     "edit IN OUT [--names-last] [--combine-sources] OP...   apply view/edit operations, save as OUT\n"
     "      (ok or refused<TAB>id<TAB>text per operation; exit 3 and nothing saved when one is refused;\n"
     "      edit --help lists the operations and fields)"},
    {"fullchart", FullChartCommand,
     "fullchart FILE --base ID [--style tree|box] [--people relatives|ancestors|descendants]\n"
     "      [--max-ancestors N] [--max-descendants N] [--no-page-breaks]\n"
     "      [--page-numbers none|bottom|top] [--title] [--fold] [--equals] [--birth-not-marriage]\n"
     "      [--line-width N] [--links uniform|black|colour] [--zoom N] [--dump OUT.txt]\n"
     "      [--png OUT.png] [--families OUT.tsv] [--summary]\n"
     "      [--overlay FILE] [--auto-resize] [--scale-to-fit]   pictures and text placed from FILE\n"
     "      (image L T R B PATH / text L T R B left|centre TEXT; refused<TAB>LINE<TAB>reason)\n"
     "      box: [--spouse-data 7x0|1] [--child-data 4x0|1] [--blank-lines] [--no-duplicate]\n"
     "      [--full-child-names] [--no-male-first] [--exclude-married] [--colour-boxes]\n"
     "                                   draw a full chart as a Tree or a BoxChart"},
    {"picture", Picture,
     "picture FILE --box WxH [--png OUT.png] [--downwards-only] [--resize] [--source GEDCOM]\n"
     "                                   decode a JPEG, PNG, GIF, PCX or BMP picture and fit it\n"
     "                                   into the box: prints picture<TAB>WIDTH<TAB>HEIGHT"},
    {"extract", Extract,
     "extract FILE --format birthbrief|tree --base ID [--select N[,N...]] --out OUT\n"
     "      [--width 20-31] [--capitals] [--suppress-remarriages] [--replace] [--answer ok|cancel]\n"
     "      write a chart file (.DVA or .DVB) from a GEDCOM file's text; an existing OUT is\n"
     "      replaced only with --replace, and never when it is FILE itself"},
    {"save", Save, "save IN OUT [--names-last] [--combine-sources] load IN, write it to OUT (Save As)"},
};


}  // namespace

int Usage() {
  std::fputs("usage: dorvane-cli COMMAND [ARGS]\n", stderr);
  for (const auto& c : kCommands) std::fprintf(stderr, "  %.*s\n", int(c.usage.size()), c.usage.data());
  return 2;
}

int RunCommand(std::string_view name, Args args) {
  for (const auto& c : kCommands) {
    if (c.name != name) continue;
    const int rc = c.run(args);
    // Arguments a verb cannot use end it with 2: its usage says what it takes.
    if (rc == 2 && !c.printsOwnUsage)
      std::fprintf(stderr, "usage: dorvane-cli %.*s\n", int(c.usage.size()), c.usage.data());
    return rc;
  }
  return Usage();
}

}  // namespace dv::cli
