#pragma once
// What the program opens at start: the file named on the command line, or
// the last file used when that preference is on; and two small start-up
// rules (the Birth Brief width and the main window's title).

#include <string>
#include <string_view>

namespace dv {

// Kinds of start-up file.
enum StartupKind : int {
  kNoStartupFile = 0,
  kStartupGedcom = 1,      // ".GED": opened as a data source (command 1)
  kStartupBirthBrief = 2,  // ".DVA": Birth Brief chart file (command 3)
  kStartupTree = 3,        // ".DVB": Selective Tree chart file (command 4)
};

inline constexpr std::size_t kCommandLineCapacity = 512;    // pathBuffer, NUL included
inline constexpr std::size_t kCurrentSourceCapacity = 256;  // currentSource, NUL included

struct StartupFile {
  int kind = kNoStartupFile;
  std::string path;  // upper case, at most 255 characters; "" with kind 0
};

// Interprets the command line (as the entry point receives it, without the
// program's own name). The upper-cased text names a GEDCOM file when it
// contains ".GED" anywhere, else a Birth Brief chart file for ".DVA", else a
// Selective Tree chart file for ".DVB"; the path is the text after leading
// blanks and double quotes, up to the next double quote. Any other non-empty
// command line is ignored. An empty one opens newestRecentFile as GEDCOM
// when autoLoad (fparam slot 0) is on and that path contains ".GED".
StartupFile InterpretStartupFile(std::string_view commandLine, int autoLoad,
                                 std::string_view newestRecentFile);

// The Birth Brief's characters per generation (dparam slot 39) held to 20..31.
int ClampBirthBriefWidth(int width);

// The main window's title for a file: "Dorvane - " and the name after the
// path's last backslash (the whole path when it has none).
std::string WindowTitle(std::string_view path);

}  // namespace dv
