// Feeds arbitrary bytes to the settings-file reader as the text of Dorvane.ini,
// then writes the result and reads it back: what the program writes it must
// read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/ProfileFile.h"
#include "shell/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const dv::FileCheck anyFile = [](const std::string&) { return true; };

  dv::ProfileFile profile = dv::ProfileFile::Parse(text);
  (void)profile.GetString("Param", "dparam", 128);

  dv::Settings s;
  dv::LoadSettingsFromText(s, text, anyFile);
  dv::AddRecentFile(s, "C:\\FUZZ.GED");
  const std::string written = dv::FormatSettings(s);

  // The reader looks for recent files on the first nine lines only, and the
  // first line is the section header: the ninth file is not read back.
  dv::Settings again;
  dv::LoadSettingsFromText(again, written, anyFile);
  s.recentFiles[8].clear();
  if (dv::FormatSettings(again) != dv::FormatSettings(s)) std::abort();
  return 0;
}
