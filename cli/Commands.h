#pragma once
// The command-line tool's subcommands. Each lives in its own file and returns
// the process exit code (0 success, 1 failure reported on stderr, 2 usage).

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dv::cli {

using Args = std::span<const std::string_view>;  // arguments after the subcommand

// Runs the verb name with its arguments and returns the exit code; after a
// usage error (2) the verb's usage is on standard error. An unknown verb
// lists every usage and gives 2.
int RunCommand(std::string_view name, Args args);
// Lists every verb's usage on standard error; gives 2.
int Usage();

int Strings(Args args);
int Load(Args args);  // load FILE [--names-last] [--combine-sources] [--repeat N]
int Save(Args args);  // save IN OUT [--names-last] [--combine-sources]
// birthbrief FILE --base ID [--generations 7|8] [--width 20-31] [--no-details]
//   [--no-occupation] [--exclude-1-2] [--exclude-6] [--all-lines] [--capitals]
//   [--png OUT.png] [--dump OUT.txt] [--zoom N]
int BirthBrief(Args args);
// report FILE --kind all|descendants|ancestors [--base ID] [--order alpha|database]
//   [--rtf|--text] --out OUT [--notes] [--number] [--subheadings]
//   [--children-under-father] [--male-lines] [--keep-together] [--heading TEXT]
int Report(Args args);
// soundex [--variant simplified|american|both] NAME...
int Soundex(Args args);
// soundex-list FILE
int SoundexList(Args args);
// selective FILE --base ID --select N[,N...] [--opt NAME=0|1 ...] [--line-width N]
//   [--answer ok|cancel] [--dump OUT.txt] [--png OUT.png] [--groups OUT.tsv] [--zoom N]
int SelectiveTree(Args args);
// extract FILE --format birthbrief|tree --base ID [--select N[,N...]] --out OUT
//   [--width 20-31] [--capitals] [--suppress-remarriages] [--replace] [--answer ok|cancel]
int Extract(Args args);
// edit IN OUT [--names-last] [--combine-sources] OP...   (edit --help lists the operations)
int Edit(Args args);
// fullchart FILE --base ID [--style tree|box] [--people relatives|ancestors|descendants]
//   [--max-ancestors N] [--max-descendants N] [--no-page-breaks]
//   [--page-numbers none|bottom|top] [--title] [--fold] [--equals] [--birth-not-marriage]
//   [--line-width N] [--links uniform|black|colour] [--zoom N] [--dump OUT.txt]
//   [--png OUT.png] [--families OUT.tsv] [--summary]
//   [--overlay FILE] [--auto-resize] [--scale-to-fit]
//   BoxChart: [--spouse-data BBBBBBB] [--child-data BBBB] [--blank-lines] [--no-duplicate]
//   [--full-child-names] [--no-male-first] [--exclude-married] [--colour-boxes]
int FullChartCommand(Args args);
// picture FILE --box WxH [--png OUT.png] [--downwards-only] [--resize] [--source GEDCOM]
int Picture(Args args);

}  // namespace dv::cli

namespace dv {
struct LoadOptions;
struct FullChartPage;
struct Settings;
}

namespace dv::cli {

// The options shared by load and save, and the remaining paths; false on an unknown option.
bool ParseLoadOptions(Args args, LoadOptions& options, std::vector<std::string>& paths);

// The full chart's page without a printer: a Letter page at 20 columns and
// 12 lines per inch inside the settings' page and chart margins.
FullChartPage DefaultFullChartPage(const Settings& settings);

}  // namespace dv::cli
