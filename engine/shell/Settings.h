#pragma once
// The settings file Dorvane.ini: the option arrays, the main window's
// rectangle, four fonts, sixteen custom colours and the recent files.
// Read once at start-up, rewritten from scratch when the main window closes.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dv {

// A Windows LOGFONT record (ANSI form) as the 60 bytes it occupies in memory,
// so the engine can store, copy and hex-encode fonts without <windows.h>.
struct FontRecord {
  std::array<std::uint8_t, 60> bytes{};

  std::int32_t height() const;
  std::int32_t width() const;
  std::int32_t weight() const;
  std::string faceName() const;
  void setHeight(std::int32_t v);
  void setWidth(std::int32_t v);
  void setWeight(std::int32_t v);
  void setFaceName(std::string_view name);  // cut to 31 characters
  // Byte fields of the record.
  void setPitchAndFamily(std::uint8_t v) { bytes[27] = v; }
  void setOutPrecision(std::uint8_t v) { bytes[24] = v; }
  void setQuality(std::uint8_t v) { bytes[26] = v; }
  void setCharSet(std::uint8_t v) { bytes[23] = v; }
};

// Roles of the nine font slots.
enum FontSlot : int {
  kScreenFont = 0,
  kPrinterFont = 1,
  kChartFont = 2,
  kFont2 = 3,
  kTitleFont = 6,
  kTitleFontCopy = 7,
  kFont4 = 8,
};

inline constexpr int kRecentFileSlots = 10;  // entry 9 only ever holds a dropped path
inline constexpr int kRecentFilesShown = 9;
inline constexpr int kPathCapacity = 544;

struct Settings {
  std::array<std::int32_t, 48> dparam{};
  std::array<std::int32_t, 12> gparam{};
  std::array<std::int32_t, 5> bparam{};
  std::array<std::int32_t, 7> eparam{};
  std::array<std::int32_t, 24> fparam{};
  std::array<std::int32_t, 40> lvparam{};
  std::array<std::int32_t, 4> window{};  // x, y, width, height
  std::array<FontRecord, 9> fonts{};
  std::array<std::uint32_t, 16> customColours{};  // COLORREF 0x00BBGGRR
  std::array<std::string, kRecentFileSlots> recentFiles{};  // upper case, "" ends the list
  int fontsState = 0;  // 0 default fonts, -1 the user's own, 1 no printer

  Settings();  // every built-in default, as before the file is read
  void setDefaultFonts();
  void setDefaultColours();
};

// Whether a file can be opened for reading now (recent files that cannot are dropped).
using FileCheck = std::function<bool(const std::string& path)>;
bool CanOpenForReading(const std::string& path);

// Reads the settings file into s: 0, or -1 when the file cannot be opened
// (every default then stays).
int LoadSettings(Settings& s, const std::string& path, const FileCheck& exists = CanOpenForReading);

// Writes the whole file: 0, or 2 when it cannot be created. currentSource,
// when not empty, first goes to the front of the recent files; window is the
// main window's rectangle (x, y, width, height).
int SaveSettings(Settings& s, const std::string& path, std::string_view currentSource,
                 const std::array<std::int32_t, 4>& window);

// Moves path (upper-cased) to the front of the recent files; returns the
// index of the last entry now present.
int AddRecentFile(Settings& s, std::string_view path);

}  // namespace dv
