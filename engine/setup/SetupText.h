#pragma once
// The installer's string table (SetupStrings.def) from portable code: the
// same texts that setup.exe's STRINGTABLE holds.

#include <span>
#include <string_view>

#include "common/StringTable.h"

namespace dv::setup {

// Ids with a meaning of their own in the installer.
inline constexpr int kInvalidDirectory = 3;
inline constexpr int kInstallComplete = 5;
inline constexpr int kUninstallDataMissing = 380;
inline constexpr int kInstallErrorCaption = 381;
inline constexpr int kScriptFailed = 382;
inline constexpr int kSelfDeleteFailed = 383;
inline constexpr int kUninstallErrorCaption = 384;
inline constexpr int kSetupCaption = 385;
inline constexpr int kInvalidProgramFolder = 386;
inline constexpr int kScriptNotWritten = 387;
inline constexpr int kUnknownOption = 388;
inline constexpr int kBrowseTitle = 389;
inline constexpr int kScriptPart1 = 997;
inline constexpr int kScriptPart2 = 998;

// The buffers the two script parts are read into: each text must fit with
// its terminating NUL.
inline constexpr std::size_t kScriptPart1Buffer = 4096;
inline constexpr std::size_t kScriptPart2Buffer = 2048;

// Every entry, ordered by id.
std::span<const StringEntry> AllSetupStrings();

// The text of an id, or an empty view when the table has no such entry.
std::string_view SetupText(int id);

}  // namespace dv::setup
