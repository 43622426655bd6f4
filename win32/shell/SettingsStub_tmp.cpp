// TEMPORARY stand-in for engine/shell/Settings.cpp so that the program links
// before the real settings reader and writer are merged. It keeps only what
// the shell itself needs: the defaults, the recent files and the window
// rectangle. Delete this file when Settings.cpp arrives.
#include "shell/Settings.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace dv {

std::int32_t FontRecord::height() const { std::int32_t v; std::memcpy(&v, &bytes[0], 4); return v; }
std::int32_t FontRecord::width() const { std::int32_t v; std::memcpy(&v, &bytes[4], 4); return v; }
std::int32_t FontRecord::weight() const { std::int32_t v; std::memcpy(&v, &bytes[16], 4); return v; }
std::string FontRecord::faceName() const {
  const char* p = reinterpret_cast<const char*>(&bytes[28]);
  return std::string(p, strnlen(p, 32));
}
void FontRecord::setHeight(std::int32_t v) { std::memcpy(&bytes[0], &v, 4); }
void FontRecord::setWidth(std::int32_t v) { std::memcpy(&bytes[4], &v, 4); }
void FontRecord::setWeight(std::int32_t v) { std::memcpy(&bytes[16], &v, 4); }
void FontRecord::setFaceName(std::string_view name) {
  std::memset(&bytes[28], 0, 32);
  std::memcpy(&bytes[28], name.data(), name.size() < 31 ? name.size() : 31);
}

Settings::Settings() {
  dparam = {};
  for (int i : {0, 5, 25, 26, 29, 30, 34, 40, 41}) dparam[i] = 1;
  dparam[37] = dparam[38] = 199;
  dparam[39] = 23;
  fparam = {};
  for (int i : {0, 1, 2, 16, 17}) fparam[i] = 1;
  window = {0, 0, static_cast<std::int32_t>(0x80000000u), static_cast<std::int32_t>(0x80000000u)};
  setDefaultColours();
}

void Settings::setDefaultFonts() {
  FontRecord chart;
  chart.setFaceName("Courier New");
  chart.setHeight(7);
  chart.setWeight(700);
  chart.setPitchAndFamily(1);
  chart.setOutPrecision(5);
  chart.setQuality(2);
  fonts[kChartFont] = fonts[kFont2] = fonts[kFont4] = fonts[kScreenFont] = chart;
  fonts[kScreenFont].setWeight(400);
  FontRecord title;
  title.setFaceName("Times New Roman");
  title.setHeight(32);
  title.setWeight(700);
  title.setOutPrecision(5);
  title.setQuality(2);
  fonts[kTitleFont] = fonts[kTitleFontCopy] = title;
}

void Settings::setDefaultColours() {
  customColours = {0x8080FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF80FF, 0xFFC0C0, 0x80C0FF, 0x40FF80,
                   0xFF8080, 0xFF80E0, 0xFF80C0, 0x80A0FF, 0x40FFC0, 0xA0FFA0, 0xC0FFC0, 0xE0A0E0};
}

bool CanOpenForReading(const std::string& path) { return std::ifstream(path).good(); }

int LoadSettings(Settings& s, const std::string& path, const FileCheck& exists) {
  s.fontsState = 0;
  std::ifstream in(path);
  if (!in) return -1;
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (n < 9 && line.rfind("LastFile=", 0) == 0 && line.size() > 9 && line[9] != ' ') {
      std::string p = line.substr(9);
      for (char& c : p) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      for (auto& e : s.recentFiles)
        if (e.empty()) { if (exists(p)) e = p; break; }
    }
    if (line.rfind("Window=", 0) == 0) {
      std::array<std::int32_t, 4> w{};
      std::istringstream values(line.substr(7));
      std::string piece;
      int count = 0;
      while (std::getline(values, piece, ',') && count < 4) w[count++] = std::stoi(piece);
      if (count == 4) s.window = w;
    }
    ++n;
  }
  return 0;
}

int AddRecentFile(Settings& s, std::string_view path) {
  std::string upper(path);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  int i = 0;
  while (i < kRecentFilesShown && !s.recentFiles[i].empty() && s.recentFiles[i] != upper) ++i;
  if (i == kRecentFilesShown) i = kRecentFilesShown - 1;
  for (int k = i; k > 0; --k) s.recentFiles[k] = s.recentFiles[k - 1];
  s.recentFiles[0] = upper;
  int last = 0;
  while (last + 1 < kRecentFileSlots && !s.recentFiles[last + 1].empty()) ++last;
  return last;
}

int SaveSettings(Settings& s, const std::string& path, std::string_view currentSource,
                 const std::array<std::int32_t, 4>& window) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 2;
  std::fputs("[Sources]\n", f);
  if (!currentSource.empty()) AddRecentFile(s, currentSource);
  for (int i = 0; i < kRecentFilesShown && !s.recentFiles[i].empty(); ++i)
    std::fprintf(f, "LastFile=%s\n", s.recentFiles[i].c_str());
  s.window = window;
  std::fprintf(f, "\n\n[Settings]\nWindow=%d,%d,%d,%d,\n", window[0], window[1], window[2], window[3]);
  std::fclose(f);
  return 0;
}

}  // namespace dv
