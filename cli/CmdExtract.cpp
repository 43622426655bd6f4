#include <charconv>
#include <string>
#include <vector>

#include "Commands.h"
#include "ConsoleText.h"
#include "data/Extract.h"
#include "shell/Settings.h"

namespace dv::cli {

namespace {

struct ExtractArgs {
  ExtractRequest request;
  int format = -2;
  bool replace = false;
  bool answerOk = true;
};

bool ParseNumbers(std::string_view text, std::vector<std::int32_t>& out) {
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
  return !out.empty() && int(out.size()) <= kAncestorsChosen;
}

bool ParseArgs(Args args, ExtractArgs& out) {
  const Settings settings;
  out.request.width = settings.dparam[39];
  out.request.treeOptions = SelectiveOptions::FromSettings(settings);
  std::string base;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool more = i + 1 < args.size();
    if (a == "--format" && more) {
      const std::string_view f = args[++i];
      if (f == "birthbrief") out.format = kExtractBirthBrief;
      else if (f == "tree") out.format = kExtractTree;
      else return false;
    } else if (a == "--base" && more) {
      base = std::string(args[++i]);
    } else if (a == "--select" && more) {
      if (!ParseNumbers(args[++i], out.request.selection)) return false;
    } else if (a == "--out" && more) {
      out.request.outputPath = std::string(args[++i]);
    } else if (a == "--width" && more) {
      if (!ParseInt(args[++i], out.request.width) || out.request.width < 20 ||
          out.request.width > 31)
        return false;
    } else if (a == "--capitals") {
      out.request.allCapitals = true;
    } else if (a == "--suppress-remarriages") {
      out.request.treeOptions.suppressRemarriages = true;
    } else if (a == "--replace") {
      out.replace = true;
    } else if (a == "--answer" && more) {
      const std::string_view answer = args[++i];
      if (answer != "ok" && answer != "cancel") return false;
      out.answerOk = answer == "ok";
    } else if (a.size() > 1 && a.front() == '-') {
      return false;
    } else if (out.request.sourcePath.empty()) {
      out.request.sourcePath = std::string(a);
    } else {
      return false;
    }
  }
  out.request.baseNumber = RecordNumber(base);
  if (out.format == kExtractTree && out.request.selection.empty()) return false;
  return out.format != -2 && !out.request.sourcePath.empty() && out.request.baseNumber > 0 &&
         !out.request.outputPath.empty();
}

}  // namespace

// Writes a chart file from a GEDCOM file's text: a Birth Brief chart file
// for the base individual, or a Selective Tree chart file for the base and
// the chosen ancestors. An existing output is replaced only with --replace;
// other questions get the --answer reply.
int Extract(Args args) {
  ExtractArgs a;
  if (!ParseArgs(args, a)) return 2;
  SelectivePrompter prompter;
  prompter.show = [](int id, const std::string& suffix) { PrintMessage(id, suffix); };
  prompter.ask = [&a](int id, const std::string& suffix) {
    PrintMessage(id, suffix);
    return id == kMsgReplaceOutput ? a.replace : a.answerOk;
  };
  if (RunExtract(a.request, a.format, prompter) != 0) return PrintMessage(kMsgCannotExtract);
  PrintMessage(kMsgExtracted);
  return 0;
}

}  // namespace dv::cli
