#pragma once
// The installer script dorvane.inf: the files the installer ships and the
// assembly of the script text from the two string-table parts.

#include <span>
#include <string>
#include <string_view>

namespace dv::setup {

// What a shipped file is: the program files, the read-me, the sample data
// (which the user may have changed, and then keeps) and the help pages,
// which live in the help\ folder below the destination.
enum class PayloadKind { Program, Document, Sample, Help };

struct PayloadFile {
  std::string_view name;
  PayloadKind kind;
  // For samples, the SHA-256 (lower-case hex) of the file as shipped.
  std::string_view sha256;
};

// The name of the help folder, and the page the "Dorvane Help" shortcut opens.
inline constexpr std::string_view kHelpFolder = "help";
inline constexpr std::string_view kHelpContents = "help\\301.html";

// Every shipped file, in the order the script lists them: dorvane.exe,
// setup.exe, readme.txt, the samples and the help pages (the last two as
// found when the program was built).
std::span<const PayloadFile> Payload();

// The file's path relative to the destination ("dorvane.exe", "help\301.html").
std::string PayloadPath(const PayloadFile& file);

// The script: string 997 followed directly by string 998, where every line that is a
// list name in braces is replaced by that list, one file per line:
//   {SourceDisksFiles}    every file on disk 1 ("name=1", help pages "name=1,help")
//   {Dorvane.Copy.Files}  the files of the destination folder
//   {Dorvane.Copy.Help}   the help pages
//   {Dorvane.Del.Files}   the files of the destination folder
//   {Dorvane.Del.Help}    the help pages
// Files named in keep (samples the user has changed) are left off the copy
// and delete lists, so that they are neither overwritten nor removed.
// A brace line naming no list is left as it is. Lines end in CR LF.
std::string AssembleInfScript(std::string_view part1, std::string_view part2,
                              std::span<const PayloadFile> payload,
                              std::span<const std::string> keep = {});

}  // namespace dv::setup
