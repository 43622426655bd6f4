#include "setup/InfScript.h"

#include <algorithm>

namespace dv::setup {
namespace {

// The samples and help pages are listed at build time (SetupPayload.cmake):
//   DV_SETUP_PAYLOAD(Sample, "sample.ged", "sha-256")
//   DV_SETUP_PAYLOAD(Help, "301.html", "")
constexpr PayloadFile kPayload[] = {
    {"dorvane.exe", PayloadKind::Program, {}},
    {"setup.exe", PayloadKind::Program, {}},
    {"readme.txt", PayloadKind::Document, {}},
#define DV_SETUP_PAYLOAD(kind, name, sha256) {name, PayloadKind::kind, sha256},
#include "SetupPayloadList.inc"
#undef DV_SETUP_PAYLOAD
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

bool IsHelp(const PayloadFile& f) { return f.kind == PayloadKind::Help; }

bool Kept(const PayloadFile& f, std::span<const std::string> keep) {
  return std::any_of(keep.begin(), keep.end(),
                     [&](const std::string& k) { return EqualNoCase(k, f.name); });
}

// Appends the list a brace line names; false when it names no list.
bool AppendList(std::string_view list, std::span<const PayloadFile> payload,
                std::span<const std::string> keep, std::string& out) {
  auto each = [&](auto wanted, auto line) {
    for (const auto& f : payload)
      if (wanted(f)) out.append(line(f)).append("\r\n");
  };
  auto name = [](const PayloadFile& f) { return std::string(f.name); };
  if (list == "SourceDisksFiles") {
    each([](const PayloadFile&) { return true; },
         [](const PayloadFile& f) {
           return std::string(f.name) + (IsHelp(f) ? "=1," + std::string(kHelpFolder) : "=1");
         });
  } else if (list == "Dorvane.Copy.Files") {
    each([&](const PayloadFile& f) { return !IsHelp(f) && !Kept(f, keep); }, name);
  } else if (list == "Dorvane.Copy.Help" || list == "Dorvane.Del.Help") {
    each(IsHelp, name);
  } else if (list == "Dorvane.Del.Files") {
    each([&](const PayloadFile& f) { return !IsHelp(f) && !Kept(f, keep); }, name);
  } else {
    return false;
  }
  return true;
}

void AppendPart(std::string_view part, std::span<const PayloadFile> payload,
                std::span<const std::string> keep, std::string& out) {
  while (!part.empty()) {
    std::size_t end = part.find('\n');
    std::string_view line = part.substr(0, end == std::string_view::npos ? part.size() : end + 1);
    part.remove_prefix(line.size());
    std::string_view bare = line;
    while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r')) bare.remove_suffix(1);
    if (bare.size() > 2 && bare.front() == '{' && bare.back() == '}' &&
        AppendList(bare.substr(1, bare.size() - 2), payload, keep, out))
      continue;
    out.append(line);
  }
}

}  // namespace

std::span<const PayloadFile> Payload() { return kPayload; }

std::string PayloadPath(const PayloadFile& file) {
  if (!IsHelp(file)) return std::string(file.name);
  return std::string(kHelpFolder) + "\\" + std::string(file.name);
}

std::string AssembleInfScript(std::string_view part1, std::string_view part2,
                              std::span<const PayloadFile> payload,
                              std::span<const std::string> keep) {
  std::string out;
  out.reserve(part1.size() + part2.size() + 64 * payload.size());
  AppendPart(part1, payload, keep, out);
  AppendPart(part2, payload, keep, out);
  return out;
}

}  // namespace dv::setup
