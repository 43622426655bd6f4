#include "shell/Settings.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "common/SafeFile.h"
#include "shell/ProfileFile.h"

namespace dv {
namespace {

// Buffer sizes of the profile reads, terminating NUL included.
constexpr std::size_t kValueBuffer = 128;
constexpr std::size_t kListViewBuffer = 256;
constexpr std::size_t kFontBuffer = 512;
constexpr std::size_t kColourBuffer = 64;

constexpr int kFontHexDigits = 120;
constexpr int kColourCount = 16;
constexpr int kTitleSlot = 41;
constexpr int kManualFormatSlot = 8;

constexpr std::string_view kLastFileKey = "LastFile";

// Offsets of the LOGFONTA fields used here.
constexpr std::size_t kHeightAt = 0;
constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kWeightAt = 16;
constexpr std::size_t kFaceNameAt = 28;
constexpr std::size_t kFaceNameSize = 32;

constexpr std::uint8_t kFixedPitch = 1;
constexpr std::uint8_t kDevicePrecision = 5;
constexpr std::uint8_t kProofQuality = 2;

constexpr std::array<std::uint32_t, 16> kDefaultColours = {
    0x8080FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF80FF, 0xFFC0C0, 0x80C0FF, 0x40FF80,
    0xFF8080, 0xFF80E0, 0xFF80C0, 0x80A0FF, 0x40FFC0, 0xA0FFA0, 0xC0FFC0, 0xE0A0E0};

constexpr std::array<std::int32_t, 40> kDefaultListViewWidths = {
    80,  150, 70,  80,  80,  80, 45,  95,  120, 240, 100, 100, 80, 50, 70, 90, 130, 60,  200, 200,
    152, 146, 104, 171, 141, 37, 115, 178, 80,  80,  80,  80,  80, 80, 80, 80, 160, 120, 120, 80};

std::int32_t GetI32(const FontRecord& f, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | f.bytes[at + i];
  return static_cast<std::int32_t>(v);
}

void SetI32(FontRecord& f, std::size_t at, std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) f.bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperPath(std::string_view path) {
  std::string out(path.substr(0, kPathCapacity - 1));
  for (char& c : out) c = UpperAscii(c);
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal conversion as the C library's atoi does it (leading blanks, an
// optional sign, digits up to the first other character, 0 when there are
// none), with out-of-range values held at the int32 limits instead of
// overflowing.
std::int32_t ParseDecimal(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsCSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::int64_t v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > std::int64_t{INT32_MAX} + 1) v = std::int64_t{INT32_MAX} + 1;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<std::int32_t>(v);
}

// Reads an integer array key. The value is split at commas (empty pieces do
// not count, so the trailing comma the writer puts after each value adds
// nothing) and the array is replaced only when exactly out.size() pieces are
// found. A value longer than the read buffer is cut to it like every other
// key; when the cut falls inside a number that number would come back wrong,
// so the whole key is then left alone instead.
template <std::size_t N>
void ReadArray(const ProfileFile& profile, std::string_view section, std::string_view key,
               std::size_t bufferSize, std::array<std::int32_t, N>& out) {
  std::optional<std::string_view> full = profile.Find(section, key);
  if (!full) return;
  std::string_view text = full->substr(0, bufferSize - 1);
  if (text.size() < full->size() && !text.empty() && text.back() != ',' &&
      (*full)[text.size()] != ',')
    return;
  std::array<std::int32_t, N> values{};
  std::size_t count = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    if (comma > start) {
      if (count == N) return;  // too many pieces
      values[count++] = ParseDecimal(text.substr(start, comma - start));
    }
    start = comma + 1;
  }
  if (count == N) out = values;
}

template <std::size_t N>
std::string FormatArray(const std::array<std::int32_t, N>& values) {
  std::string out;
  for (std::int32_t v : values) {
    out += std::to_string(v);
    out += ',';
  }
  return out;
}

// Reads one font key into the given slots; returns the digits used, or -1
// when the key is absent (the slots then keep what they hold).
int ReadFont(const ProfileFile& profile, std::string_view key, Settings& s,
             std::initializer_list<int> slots) {
  std::string value = profile.GetString("Fonts", key, kFontBuffer);
  if (value.empty()) return -1;
  FontRecord font;
  int digits = FontFromHex(value, font);
  for (int slot : slots) s.fonts[slot] = font;
  return digits;
}

// The recent files of the file: among its first nine lines, each line that
// contains "LastFile" names the path after its first "=", unless that is
// empty or starts with a blank. Paths are upper-cased and kept only when the
// file can be opened now.
void ReadRecentFiles(Settings& s, std::string_view text, const FileCheck& exists) {
  for (std::string& entry : s.recentFiles) entry.clear();
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() > static_cast<std::size_t>(kRecentFilesShown)) lines.resize(kRecentFilesShown);
  int next = 0;
  for (std::string_view line : lines) {
    line = line.substr(0, line.find('\0'));
    if (line.find(kLastFileKey) == std::string_view::npos) continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view value = line.substr(eq + 1);
    if (value.empty() || value.front() == ' ') continue;
    std::string path = UpperPath(value);
    if (exists && !exists(path)) continue;
    s.recentFiles[next++] = std::move(path);
  }
}

void AppendSection(std::string& out, std::string_view name) {
  out += "\n[";
  out += name;
  out += "]\n";
}

void AppendKey(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
  out += '\n';
}

}  // namespace

std::int32_t FontRecord::height() const { return GetI32(*this, kHeightAt); }
std::int32_t FontRecord::width() const { return GetI32(*this, kWidthAt); }
std::int32_t FontRecord::weight() const { return GetI32(*this, kWeightAt); }
void FontRecord::setHeight(std::int32_t v) { SetI32(*this, kHeightAt, v); }
void FontRecord::setWidth(std::int32_t v) { SetI32(*this, kWidthAt, v); }
void FontRecord::setWeight(std::int32_t v) { SetI32(*this, kWeightAt, v); }

std::string FontRecord::faceName() const {
  std::string name;
  for (std::size_t i = 0; i < kFaceNameSize && bytes[kFaceNameAt + i] != 0; ++i)
    name += static_cast<char>(bytes[kFaceNameAt + i]);
  return name;
}

void FontRecord::setFaceName(std::string_view name) {
  name = name.substr(0, std::min(name.find('\0'), kFaceNameSize - 1));
  for (std::size_t i = 0; i < kFaceNameSize; ++i)
    bytes[kFaceNameAt + i] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
}

std::string FontToHex(const FontRecord& font) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(kFontHexDigits);
  for (std::uint8_t b : font.bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

int FontFromHex(std::string_view hex, FontRecord& font) {
  font = FontRecord{};
  int digits = 0;
  for (std::size_t i = 0; i < font.bytes.size() && 2 * i + 1 < hex.size(); ++i) {
    int high = HexDigit(hex[2 * i]);
    int low = HexDigit(hex[2 * i + 1]);
    if (high < 0 || low < 0) break;
    font.bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    digits += 2;
  }
  // A hand-made record could fill the face name to the last byte; keep it a
  // terminated string for the font calls that read it.
  font.bytes[kFaceNameAt + kFaceNameSize - 1] = 0;
  return digits;
}

Settings::Settings() {
  for (int slot : {0, 5, 25, 26, 29, 30, 34, 40, 41}) dparam[slot] = 1;
  dparam[37] = 199;
  dparam[38] = 199;
  dparam[39] = 23;
  gparam = {1, 1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0};
  bparam = {6, 0, 0, 0, 0};
  eparam = {1, 0, 1, 1, 0, 0, 0};
  for (int slot : {0, 1, 2, 16, 17}) fparam[slot] = 1;
  lvparam = kDefaultListViewWidths;
  window = {0, 0, INT32_MIN, INT32_MIN};  // 0x80000000: the system's default size
  setDefaultFonts();
  setDefaultColours();
}

void Settings::setDefaultFonts() {
  FontRecord chart;
  chart.setFaceName("Courier New");
  chart.setHeight(7);
  chart.setWidth(0);
  chart.setWeight(700);
  chart.setPitchAndFamily(kFixedPitch);
  chart.setOutPrecision(kDevicePrecision);
  chart.setQuality(kProofQuality);
  fonts[kChartFont] = chart;
  fonts[kFont2] = chart;
  fonts[kFont4] = chart;
  fonts[kScreenFont] = chart;
  fonts[kScreenFont].setWeight(400);

  FontRecord title;
  title.setFaceName("Times New Roman");
  title.setHeight(32);
  title.setWidth(0);
  title.setWeight(700);
  title.setOutPrecision(kDevicePrecision);
  title.setQuality(kProofQuality);
  fonts[kTitleFont] = title;
  fonts[kTitleFontCopy] = title;
}

void Settings::setDefaultColours() { customColours = kDefaultColours; }

bool CanOpenForReading(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // Some systems open a directory for reading; reading it then fails.
  bool ok = std::fgetc(f) != EOF || !std::ferror(f);
  std::fclose(f);
  return ok;
}

int LoadSettingsFromText(Settings& s, std::string_view text, const FileCheck& exists) {
  s.fontsState = 0;
  ReadRecentFiles(s, text, exists);

  const ProfileFile profile = ProfileFile::Parse(text);
  ReadArray(profile, "Param", "dparam", kValueBuffer, s.dparam);
  ReadArray(profile, "Param", "gparam", kValueBuffer, s.gparam);
  ReadArray(profile, "Param", "bparam", kValueBuffer, s.bparam);
  ReadArray(profile, "Param", "eparam", kValueBuffer, s.eparam);
  ReadArray(profile, "Param", "fparam", kValueBuffer, s.fparam);
  ReadArray(profile, "Param", "lvparam", kListViewBuffer, s.lvparam);
  ReadArray(profile, "Settings", "Window", kValueBuffer, s.window);

  int font1 = ReadFont(profile, "Font1", s, {kChartFont, kScreenFont});
  int font2 = ReadFont(profile, "Font2", s, {kFont2});
  int font3 = ReadFont(profile, "Font3", s, {kTitleFont, kTitleFontCopy});
  int font4 = ReadFont(profile, "Font4", s, {kFont4});
  if (font1 == kFontHexDigits && font2 == kFontHexDigits && font3 == kFontHexDigits)
    s.fontsState = -1;
  if (font4 < 0) s.fonts[kFont4] = s.fonts[kScreenFont];

  for (int n = 1; n <= kColourCount; ++n) {
    std::string value = profile.GetString("Colours", "Colour" + std::to_string(n), kColourBuffer);
    if (value.empty()) break;
    s.customColours[n - 1] = static_cast<std::uint32_t>(ParseDecimal(value));
  }
  return 0;
}

int LoadSettings(Settings& s, const std::string& path, const FileCheck& exists) {
  s.fontsState = 0;
  if (path.find('\0') != std::string::npos) return -1;
  // A file that cannot be read whole is treated as no file: the settings
  // keep their defaults rather than take half of it.
  std::string text;
  if (!ReadWholeFile(path, text)) return -1;
  return LoadSettingsFromText(s, text, exists);
}

std::int32_t StoredTitleSetting(std::int32_t value) {
  std::int64_t v = value;
  if (v < 0) v = -v;
  if (v > 2) v -= 2;
  return static_cast<std::int32_t>(v);
}

std::string FormatSettings(const Settings& s) {
  std::string out = "[Sources]\n";
  for (int i = 0; i < kRecentFilesShown && !s.recentFiles[i].empty(); ++i)
    AppendKey(out, kLastFileKey, s.recentFiles[i]);
  out += '\n';

  AppendSection(out, "Settings");
  AppendKey(out, "Window", FormatArray(s.window));

  // The title setting is negative while the program runs; the manual
  // formatting choice lasts only for the run.
  std::array<std::int32_t, 48> dparam = s.dparam;
  dparam[kTitleSlot] = StoredTitleSetting(dparam[kTitleSlot]);
  dparam[kManualFormatSlot] = 0;
  AppendSection(out, "Param");
  AppendKey(out, "dparam", FormatArray(dparam));
  AppendKey(out, "gparam", FormatArray(s.gparam));
  AppendKey(out, "bparam", FormatArray(s.bparam));
  AppendKey(out, "eparam", FormatArray(s.eparam));
  AppendKey(out, "fparam", FormatArray(s.fparam));
  AppendKey(out, "lvparam", FormatArray(s.lvparam));

  AppendSection(out, "Fonts");
  AppendKey(out, "Font1", FontToHex(s.fonts[kChartFont]));
  AppendKey(out, "Font2", FontToHex(s.fonts[kFont2]));
  AppendKey(out, "Font3", FontToHex(s.fonts[kTitleFont]));
  AppendKey(out, "Font4", FontToHex(s.fonts[kFont4]));

  AppendSection(out, "Colours");
  for (int n = 1; n <= kColourCount; ++n)
    AppendKey(out, "Colour" + std::to_string(n),
              std::to_string(static_cast<std::int32_t>(s.customColours[n - 1])));
  return out;
}

int SaveSettings(Settings& s, const std::string& path, std::string_view currentSource,
                 const std::array<std::int32_t, 4>& window) {
  if (path.empty() || path.find('\0') != std::string::npos) return 2;
  // The text goes to a file beside the settings file first and replaces it
  // only when it was written whole, so a failed save keeps the old settings.
  const std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return 2;

  if (!currentSource.empty()) AddRecentFile(s, currentSource);
  s.window = window;
  const std::string text = FormatSettings(s);

  bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  written = std::fclose(f) == 0 && written;
  if (!written) {
    std::remove(temp.c_str());
    return 2;
  }
  // Where a rename cannot replace the old file, it steps aside and comes
  // back if the new one cannot take its place: the settings are never lost.
  if (!ReplaceFile(temp, path)) {
    std::remove(temp.c_str());
    return 2;
  }
  return 0;
}

int LastRecentFile(const Settings& s) {
  int last = -1;
  while (last + 1 < kRecentFilesShown && !s.recentFiles[last + 1].empty()) ++last;
  return last;
}

int AddRecentFile(Settings& s, std::string_view path) {
  std::string upper = UpperPath(path.substr(0, path.find('\0')));
  if (upper.empty()) return LastRecentFile(s);
  int i = 0;
  while (i < kRecentFilesShown && !s.recentFiles[i].empty() && s.recentFiles[i] != upper) ++i;
  // Found at i, or i is the first empty entry; with nine other files the
  // oldest one (entry 8) gives way.
  if (i == kRecentFilesShown) i = kRecentFilesShown - 1;
  for (int k = i; k > 0; --k) s.recentFiles[k] = std::move(s.recentFiles[k - 1]);
  s.recentFiles[0] = std::move(upper);
  return LastRecentFile(s);
}

}  // namespace dv
