#pragma once
// The installer's command-line switches, for unattended runs:
//   /quiet (or /q)     no wizard and no message boxes; the exit code tells
//                      the outcome (see SetupExit)
//   /dest=DIR          the destination folder (install)
//   /group=NAME        the program folder below the Programs menu (install)
// Switches start with "/" or "-", are not case-sensitive, and a value may be
// quoted, whole or in part: /dest="C:\Program Files\Dorvane".

#include <string>
#include <string_view>

namespace dv::setup {

struct SetupOptions {
  bool quiet = false;
  bool hasDestination = false;
  std::string destination;
  bool hasProgramFolder = false;
  std::string programFolder;
};

// Exit codes of setup.exe.
enum SetupExit : int {
  kExitDone = 0,       // installed or uninstalled
  kExitFailed = 1,     // a step failed (the message says which)
  kExitCancelled = 2,  // the wizard was cancelled: nothing changed
  kExitUsage = 3,      // the command line has a word the installer does not know
};

// Splits a command line (without the program name) into words the way
// Windows programs do: blanks separate, double quotes group and are dropped.
std::string_view NextWord(std::string_view& line, std::string& word);

// Reads the switches. Returns 0, or 388 ("Unknown command-line option: ")
// with the word it did not understand in bad.
int ParseSetupOptions(std::string_view commandLine, SetupOptions& out, std::string& bad);

}  // namespace dv::setup
