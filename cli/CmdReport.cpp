#include <charconv>
#include <cstdio>
#include <string>

#include "Commands.h"
#include "ConsoleText.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "reports/ReportWriter.h"
#include "shell/Settings.h"

namespace dv::cli {

namespace {

constexpr int kReferenceNotFound = 10;  // "Reference number not found: "

int Fail(int id, std::string_view suffix = {}) { return PrintMessage(id, suffix); }

bool EndsWithTxt(std::string_view path) {
  if (path.size() < 4) return false;
  std::string ext(path.substr(path.size() - 4));
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == ".txt";
}

struct ReportArgs {
  std::string file, base, out, heading;
  int type = -1;   // 0 all, 1 descendants, 2 ancestors
  int order = 0;   // 0 alphabetic, 1 database
  int format = 0;  // 0 from the output's extension, 1 RTF, 2 plain text
  bool headingGiven = false;
  ReportOptions options;
};

bool ParseArgs(Args args, ReportArgs& a) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = std::string(args[++i]);
      return true;
    };
    std::string v;
    if (arg == "--kind") {
      if (!value(v)) return false;
      a.type = v == "all" ? 0 : v == "descendants" ? 1 : v == "ancestors" ? 2 : -1;
      if (a.type < 0) return false;
    } else if (arg == "--order") {
      if (!value(v) || (v != "alpha" && v != "database")) return false;
      a.order = v == "database" ? 1 : 0;
    } else if (arg == "--base") {
      if (!value(a.base)) return false;
    } else if (arg == "--out") {
      if (!value(a.out)) return false;
    } else if (arg == "--heading") {
      if (!value(a.heading)) return false;
      a.headingGiven = true;
    } else if (arg == "--rtf") {
      a.format = 1;
    } else if (arg == "--text") {
      a.format = 2;
    } else if (arg == "--notes") {
      a.options.includeNotes = true;
    } else if (arg == "--number") {
      a.options.numberIndividuals = true;
    } else if (arg == "--subheadings") {
      a.options.generationSubheadings = true;
    } else if (arg == "--children-under-father") {
      a.options.childrenUnderFatherOnly = true;
    } else if (arg == "--male-lines") {
      a.options.maleLinesOnly = true;
    } else if (arg == "--keep-together") {
      a.options.keepTogether = true;
    } else if (arg.size() > 1 && arg.front() == '-') {
      return false;
    } else if (a.file.empty()) {
      a.file = std::string(arg);
    } else {
      return false;
    }
  }
  if (a.file.empty() || a.out.empty() || a.type < 0) return false;
  // Descendants and ancestors need their base individual.
  return a.type == 0 || !a.base.empty();
}

}  // namespace

// Writes a report of a GEDCOM file as the report dialog does, to exactly
// the file named by --out. The format is --rtf or --text, else plain text
// for a ".txt" name and Rich Text for any other. The font and paper are
// those of a fresh settings file; "Male lines only" applies to descendants.
int Report(Args args) {
  ReportArgs a;
  if (!ParseArgs(args, a)) return 2;

  RecordStore store;
  std::string summary;
  if (int rc = LoadDataSource(store, a.file, LoadOptions{}, summary)) return Fail(rc);

  ReportRequest request;
  request.kind = ReportKindOf(a.type, a.order);
  if (a.type != 0) {
    const std::int32_t number = RecordNumber(a.base);
    request.base = number > 0 ? store.FindIndex(kIndi, number) : 0;
    const IndividualSummary* person = store.Individual(request.base);
    if (request.base <= 0 || person == nullptr || person->id == 0)
      return Fail(kReferenceNotFound, a.base);
  }
  request.rtf = a.format == 1 || (a.format == 0 && !EndsWithTxt(a.out));
  request.options = a.options;
  if (a.type == 0) request.options.maleLinesOnly = false;
  request.options.includeHeading = a.headingGiven && !a.heading.empty();
  request.heading = a.heading;
  request.page = ReportPageOf(Settings());

  const int status = WriteReport(store, request, a.out);
  if (status == kReportWriteFailed) return Fail(status, a.out);
  if (status != 0) return Fail(status == kReportNoList ? kReferenceNotFound : status);
  return 0;
}

}  // namespace dv::cli
