#pragma once
// The report writer: one record per listed person, as Rich Text (RTF 1,
// ANSI code page 1252) or plain text, with an optional heading and
// generation subheadings. The text is built here and streamed to the file
// in pieces; a file that cannot be created or written is reported and
// removed, never left behind half written.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "reports/ReportList.h"

namespace dv {

class RecordStore;
struct Settings;
struct FontRecord;

// The eight check boxes of the report dialog, in their order (fparam slots 8-15).
struct ReportOptions {
  bool includeNotes = false;
  bool omitNotesTitle = false;
  bool numberIndividuals = false;
  bool childrenUnderFatherOnly = false;
  bool maleLinesOnly = false;
  bool keepTogether = false;  // "Prevent page breaks within records"
  bool includeHeading = false;
  bool generationSubheadings = false;

  static constexpr int kFirstSlot = 8;
  static constexpr int kCount = 8;
  static ReportOptions FromSettings(const Settings& settings);
  void StoreIn(Settings& settings) const;
  bool Get(int check) const;  // check 0-7 in dialog order
  void Set(int check, bool on);
};

// The font of the report text (the user's chart font) as Rich Text names
// it, with the two measurements the writer needs.
struct ReportFont {
  std::string faceName = "Courier New";
  int charSet = 0;
  int pitchAndFamily = 0x31;  // fixed pitch, modern family
  int pointSize = 8;
  int childrenWidthTwips = 960;  // the width of "Children: " in this font
};

inline constexpr int kMinReportPointSize = 8;

// The font from a font record: the size from its height at dpi (a negative
// height is the character height, a positive one the cell height), never
// below 8 points so that a small chart font still gives readable text; the
// width of "Children: " estimated from the average character width of the
// pitch (0.6 em fixed, 0.5 em proportional). The Windows program measures
// both on a device instead.
ReportFont ReportFontOf(const FontRecord& font, int dpi);

// The Rich Text family word of the family bits of pitch-and-family.
std::string_view RtfFamilyWord(int pitchAndFamily);

struct ReportPage {
  int paperWidthTwips = 11906;  // A4
  int paperHeightTwips = 16838;
  ReportFont font;
};

// Paper from the printer settings (fparam slots 3 and 4; A4 while they are
// 0) and the chart font measured at dpi.
ReportPage ReportPageOf(const Settings& settings, int dpi = 96);

struct ReportRequest {
  ReportKind kind = kReportAlphabetic;
  std::int32_t base = 0;  // individual index of the base individual (descendants, ancestors)
  bool rtf = true;
  std::string heading;  // at most 147 characters are used
  ReportOptions options;
  ReportPage page;
};

inline constexpr std::size_t kMaxHeadingLength = 147;
inline constexpr int kProgressEvery = 10;

// Called with (records written, records in all) at the start and every 10 records.
using ReportProgress = std::function<void(std::int32_t done, std::int32_t total)>;

// Status values besides 0.
inline constexpr int kReportNoList = -1;        // no base individual / no list
inline constexpr int kReportCannotOpen = 2;     // "Cannot open file"
inline constexpr int kReportWriteFailed = 250;  // "Error writing file: "

// The whole report as text: 0, or -1 when the list cannot be built.
int ReportText(const RecordStore& store, const ReportRequest& request, std::string& out,
               const ReportProgress& progress = {});

// Writes the report to path (replacing a file there): 0, -1 when the list
// cannot be built (no file is made), 2 when the file cannot be created, 250
// when writing fails (the partial file is removed).
int WriteReport(const RecordStore& store, const ReportRequest& request, const std::string& path,
                const ReportProgress& progress = {});

// The output name with its extension: when the name has no "." after its
// last "\" or "/" and is shorter than 252 characters, ".rtf" or ".txt" is
// appended. Names are at most 255 characters.
std::string ReportFileName(std::string_view name, bool rtf);

// The default heading of a descendants or ancestors report: label is the
// dialog's "Descendants of:" or "Ancestors of:" (its colon becomes a
// space), then the given names, a space and the surname.
std::string DefaultReportHeading(std::string_view label, std::string_view displayName);

}  // namespace dv
