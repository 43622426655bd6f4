#pragma once
// Paths and names the installer works with: the mode taken from its own
// file name, the destination folder and program-folder name the user gives,
// and the registry texts that point at the installed program.

#include <string>
#include <string_view>
#include <vector>

namespace dv::setup {

// Path and name buffers hold 260 characters with the terminating NUL.
inline constexpr std::size_t kMaxPathText = 259;

inline constexpr std::string_view kDefaultDestination = "C:\\Program Files\\Dorvane";
inline constexpr std::string_view kDefaultProgramFolder = "Dorvane";
inline constexpr std::string_view kUninstallerName = "uninstdv.exe";
inline constexpr std::string_view kSetupName = "setup.exe";
inline constexpr std::string_view kProgramName = "dorvane.exe";
inline constexpr std::string_view kScriptName = "dorvane.inf";
inline constexpr std::string_view kSettingsName = "dorvane.ini";

// True when the name part of a module path, upper-cased, is "UNINSTDV.EXE":
// the program then uninstalls; under any other name it installs.
bool IsUninstallerPath(std::string_view modulePath);

// The folder of a path (everything before its last "\" or "/").
std::string FolderOf(std::string_view path);

// folder + "\" + name, without doubling a separator the folder ends with.
std::string JoinPath(std::string_view folder, std::string_view name);

// Cleans a destination the user typed: blanks around it are dropped, "/"
// becomes "\", doubled separators and a trailing one go (the root "C:\"
// keeps its own). Accepts only an absolute path ("C:\..." or
// "\\server\share\...") whose folder names are usable ("." and "..",
// characters <>:"|?* and control characters, and names ending in a blank or
// a dot are not), short enough that every shipped file below it still fits
// a path buffer. Returns 0 with the clean path in out, or 3 ("Invalid
// directory name specified.").
int NormalizeDestination(std::string_view text, std::string& out);

// The folders the destination test tries for a writable ancestor, from the
// clean destination itself up to its root ("C:\" or "\\server\share").
std::vector<std::string> DestinationAncestors(std::string_view destination);

// Checks a program-folder name (one folder below the Programs menu): not
// empty, no "..", no path separators or characters <>:"|?*, not ending in a
// blank or a dot. Returns 0 with the trimmed name in out, or 386.
int CheckProgramFolderName(std::string_view text, std::string& out);

// The registry texts, with the paths quoted so that a destination with
// blanks in it works: "<dest>\dorvane.exe" "%1" as the open command,
// "<dest>\uninstdv.exe" as the uninstall string, <dest>\dorvane.exe,0 as
// the icon.
std::string OpenCommand(std::string_view destination);
std::string UninstallCommand(std::string_view destination);
std::string IconLocation(std::string_view destination);

}  // namespace dv::setup
