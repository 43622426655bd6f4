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
  std::uint8_t pitchAndFamily() const { return bytes[27]; }
  std::uint8_t outPrecision() const { return bytes[24]; }
  std::uint8_t quality() const { return bytes[26]; }
  std::uint8_t charSet() const { return bytes[23]; }

  bool operator==(const FontRecord&) const = default;
};

// The record as 120 upper-case hexadecimal digits, two per byte in memory order.
std::string FontToHex(const FontRecord& font);

// Reads digit pairs from the start of hex into font, which is cleared first:
// a shorter text fills only the leading bytes, the rest stay zero. Reading
// stops at the first pair that is not two hexadecimal digits. The last byte
// of the face name is always left zero, so the name stays terminated.
// Returns the number of digits used (120 for a complete record).
int FontFromHex(std::string_view hex, FontRecord& font);

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

inline constexpr int kRecentFileSlots = 10;  // entry 9 stays empty: at most 9 are kept
inline constexpr int kRecentFilesShown = 9;
inline constexpr int kPathCapacity = 544;  // bytes of one recent-file entry, NUL included

struct Settings {
  std::array<std::int32_t, 48> dparam{};
  std::array<std::int32_t, 12> gparam{};
  std::array<std::int32_t, 5> bparam{};
  std::array<std::int32_t, 7> eparam{};
  std::array<std::int32_t, 24> fparam{};
  std::array<std::int32_t, 40> lvparam{};
  std::array<std::int32_t, 4> window{};  // x, y, width, height
  std::array<FontRecord, 9> fonts{};
  std::array<std::uint32_t, 16> customColours{};            // COLORREF 0x00BBGGRR
  std::array<std::string, kRecentFileSlots> recentFiles{};  // upper case, "" ends the list
  int fontsState = 0;  // 0 default fonts, -1 the user's own, 1 no printer

  Settings();  // every built-in default, as before the file is read
  // The built-in fonts: "Courier New" for the chart font and its copies (the
  // screen font with weight 400), "Times New Roman" for the title. The shell
  // calls it at window creation while fontsState is 0. The printer font and
  // the unused slots 4 and 5 are left alone.
  void setDefaultFonts();
  void setDefaultColours();
};

// Whether a file can be opened for reading now (recent files that cannot are dropped).
using FileCheck = std::function<bool(const std::string& path)>;
bool CanOpenForReading(const std::string& path);

// Reads the settings file into s: 0, or -1 when the file cannot be opened
// or read whole (every default then stays). fontsState becomes -1 only when Font1, Font2
// and Font3 were complete; while it is 0 the shell puts the default fonts in
// place (setDefaultFonts). The recent files are replaced by those of the
// file that exists can open.
int LoadSettings(Settings& s, const std::string& path, const FileCheck& exists = CanOpenForReading);

// The same reading from the file's text already in memory; always 0.
int LoadSettingsFromText(Settings& s, std::string_view text,
                         const FileCheck& exists = CanOpenForReading);

// Writes the whole file: 0, or 2 when it cannot be created or written.
// currentSource, when not empty, first goes to the front of the recent
// files; window is the main window's rectangle (x, y, width, height) and is
// kept in s.window. The title setting is written normalised but s.dparam
// keeps the running value, since the window may stay open after saving. The
// text goes to path + ".tmp" first and replaces the old file only when whole.
int SaveSettings(Settings& s, const std::string& path, std::string_view currentSource,
                 const std::array<std::int32_t, 4>& window);

// The whole file text for s as it stands (recent files as they are, the
// title setting normalised, slot 8 of dparam as 0); what SaveSettings writes.
std::string FormatSettings(const Settings& s);

// Moves path (upper-cased) to the front of the recent files; returns the
// index of the last entry now present (an empty path changes nothing; -1
// when the list is empty).
int AddRecentFile(Settings& s, std::string_view path);

// The index of the last filled entry of the first nine recent files, -1 when none.
int LastRecentFile(const Settings& s);

// The title setting (dparam slot 41) as it is stored: a negative value
// becomes its absolute value, then a value above 2 is reduced by 2.
std::int32_t StoredTitleSetting(std::int32_t value);

}  // namespace dv
