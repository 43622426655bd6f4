#pragma once
// TEMPORARY: a minimal reading of the start-up command line, used until the
// engine's shell/StartupFile.h arrives. Replace the include in Startup.cpp
// and delete this file and StartupFile_tmp.cpp then.

#include <string>
#include <string_view>

namespace dv::win::tmp {

struct StartupFile {
  int kind = 0;      // 0 none, 1 GEDCOM, 2 Birth Brief chart file, 3 Tree chart file
  std::string path;  // upper case, without blanks before it or quotes around it
};

StartupFile InterpretStartupFile(std::string_view commandLine, bool autoLoad,
                                 std::string_view recent0);
int ClampBirthBriefWidth(int width);

}  // namespace dv::win::tmp
