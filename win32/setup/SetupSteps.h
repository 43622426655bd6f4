#pragma once
// The steps of an install or uninstall: the registry, the script file, the
// SetupAPI file queue, the file associations, the shortcuts, the renamed
// uninstaller and its removal after the process ends.

#include <windows.h>

#include <setupapi.h>

#include <array>
#include <span>
#include <string>
#include <vector>

namespace dv::win::setup {

// The registry keys (under HKEY_LOCAL_MACHINE) and their values.
inline constexpr char kUserInfoKey[] = "Software\\Dorvane\\Dorvane v3\\UserInfo";
inline constexpr char kUninstallKey[] =
    "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dorvane";
inline constexpr char kDestinationValue[] = "DestinationPath";
inline constexpr char kProgramFolderValue[] = "ProgramFolder";

// One registered file type: the extension, our handler key and its name.
struct FileType {
  const char* extension;
  const char* handler;
  const char* description;
};
inline constexpr std::array<FileType, 3> kFileTypes = {{
    {".ged", "gedfile", "Gedcom data"},
    {".dva", "dvafile", "Dorvane chart"},
    {".dvb", "dvbfile", "Dorvane chart"},
}};

// The handler each extension had before the install took it over (empty
// when it had none or had ours), kept in the UserInfo key to be put back.
using PreviousHandlers = std::array<std::string, kFileTypes.size()>;

// Reads "DestinationPath" and "ProgramFolder" (at most 259 bytes each) into
// the state, with the defaults when they are missing or empty; sets
// `registered` when a destination was there.
void ReadRegisteredPaths();

// A string value from HKEY_LOCAL_MACHINE, at most 259 bytes ("" when absent).
std::string ReadMachineString(const char* key, const char* value);

// Writes dorvane.inf into folder from strings 997 and 998 (write-through,
// flushed), leaving the files named in keep (the samples the user has
// changed) off its copy and delete lists. Returns 0 or 387.
int WriteInfScript(const std::string& folder, std::span<const std::string> keep = {});

// The shipped samples in folder whose content differs from what was shipped,
// or that are there but cannot be read.
std::vector<std::string> ChangedSamples(const std::string& folder);

// Queues the mode's sections, commits the queue (delete errors skipped,
// copy errors and missing source files fail it) and runs the section's
// registry part. True when both succeeded.
bool RunScriptSections(HWND owner, HINF inf, bool uninstall, bool quiet);

// Install: the UserInfo values, the uninstall entry and the associations
// (keeping an extension's previous handler). Only called once the files are
// in place. True when every value was written.
bool WriteInstallRegistry(const std::string& destination, const std::string& programFolder);

// Uninstall: the previous handlers saved at install (read before the
// script's registry part removes the UserInfo key).
PreviousHandlers ReadPreviousHandlers();

// Uninstall: removes our handler keys, and from each extension the default
// that still names ours (putting back the previous handler when it still
// exists); an extension another program has taken since is left alone.
void RemoveAssociations(const PreviousHandlers& previous);

// Renames the copied setup.exe in the destination to uninstdv.exe (deleting
// an old uninstdv.exe if the first rename fails).
bool RenameUninstaller(const std::string& destination);

// The Desktop shortcut and the program folder with its three shortcuts.
bool CreateShortcuts(const std::string& destination, const std::string& programFolder);

// True when the program folder may be used: it does not exist yet, or it
// is the one we recorded, or it already holds our "Dorvane" shortcut.
bool ProgramFolderAvailable(const std::string& name, const std::string& recorded);

// The command that removes the installed files, the script and the
// uninstaller after this process has ended.
std::string SelfDeleteCommand(const std::string& folder);
bool StartSelfDelete(const std::string& folder);

}  // namespace dv::win::setup
