#pragma once
// The printed page in cells of the chart font: the printer decides how many
// columns and lines a page holds and how large one cell is in printer pixels
// before any chart is laid out. This is the arithmetic; the Windows layer
// reads the device (resolution, pixels per inch, the font it made, the
// paper) into PrinterReading and stores the results.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "output/DrawSurface.h"
#include "shell/Settings.h"

namespace dv {

// Paper and orientation names (string ids).
inline constexpr int kPaperIsoA4 = 3;
inline constexpr int kPaperIsoA3 = 4;
inline constexpr int kPaperAnsiA = 5;
inline constexpr int kPaperAnsiB = 6;
inline constexpr int kPaperAnsiC = 7;
inline constexpr int kPaperAnsiD = 8;
inline constexpr int kPaperAnsiE = 9;
inline constexpr int kPaperUserDefined = 18;
inline constexpr int kPaperUnrecognized = 89;
inline constexpr int kPaperIsoA2 = 91;
inline constexpr int kPaperIsoA1 = 92;
inline constexpr int kPaperIsoA0 = 93;
inline constexpr int kPortrait = 87;
inline constexpr int kLandscape = 88;
inline constexpr int kPaperAreaTooSmall = 52;

// Cells of the printer font when no printer can be measured.
inline constexpr int kNoPrinterCharWidth = 15;
inline constexpr int kNoPrinterLineHeight = 25;

struct Margins {
  int top = 0, bottom = 0, left = 0, right = 0;  // lines, lines, columns, columns
};
// The page margins are settings slots 15 to 18 (top, bottom, left, right).
Margins PageMarginsOf(const Settings& s);

// A paper code's name and its fallback page in cells (width x height).
struct PaperEntry {
  int nameId = kPaperUnrecognized;
  int columns = 0;
  int lines = 0;
};
PaperEntry FallbackPaper(int paperCode, bool landscape);

// The printer font's height for the chart font: the nominal height is the
// chart font's absolute height, one more when the screen's pixels per inch is
// not a multiple of it (fontsState 0 or more), or the height as stored (the
// user's own font, fontsState negative); scaled from screen to printer.
struct PrinterFontSize {
  int nominalHeight = 0;
  int height = 0;
  int width = 0;  // 0: the face's natural width
};
PrinterFontSize PrinterFontFor(int chartFontHeight, int fontsState, int screenDpiY,
                               int printerDpiX, int printerDpiY);
// The chart font record scaled for the printer (quality 2, output precision 5).
FontRecord PrinterFontRecord(const FontRecord& chartFont, const PrinterFontSize& size);

// What the Windows layer read from the printer.
struct PrinterReading {
  bool hasContext = false;   // a printer (or display information) context opened
  int horzRes = 0, vertRes = 0;  // printable area in pixels
  int cellWidth = 0;         // average character width of the printer font
  int lineHeight = 0;        // its height + external leading
  bool hasDevMode = false;
  int orientation = 1;       // the device mode's: 1 portrait, 2 landscape
  int paperCode = 0;
  int devModeLength = 0, devModeWidth = 0;  // tenths of a millimetre, 0 unknown
  bool paperListed = false;  // the code was found in the driver's paper list
  std::string paperName;     // the driver's name for it (cut to 64)
  int listLength = 0, listWidth = 0;  // its size from the list, tenths of a mm
};

struct PageGeometry {
  int pageColumns = 0, pageLines = 0;  // printable area in cells, minus one
  int printerCharWidth = kNoPrinterCharWidth;
  int printerLineHeight = kNoPrinterLineHeight;
  Margins margins;
  int usableColumns = 0, usableLines = 0;
  int paperLengthTwips = 0, paperWidthTwips = 0;
};

struct PaperReport {
  int nameId = 0;         // 0 when the driver named the paper (paperName)
  std::string paperName;
  int landscape = -1;     // 1, 0, -1 unknown
  int paperCode = 0;
  int lengthMm = 0, widthMm = 0;
  bool metricsGuessed = false;  // the no-printer cell (15 x 25) was set
};

// Computes the page geometry from a printer reading: the measured page, else
// 20 columns and 12 lines per inch of the device mode's paper, else the
// fallback cells of its paper code, else (no device mode) a Letter page.
// fontsState becomes 1
// when the printer metrics had to be guessed (no context, or a paper code the
// driver does not list); the caller then also makes the printer font 25
// pixels high and fixed-pitch.
PaperReport ComputePageGeometry(const PrinterReading& in, const Margins& margins,
                                PageGeometry& g, int& fontsState);

// The page size typed in the Printer dialog, in millimetres.
void PageFromMillimetres(int lengthMm, int widthMm, bool landscape, int& columns, int& lines);

// The Birth Brief's printer font: the largest Courier New cell for which
// 6 W + margins + 34 columns and 130 lines fit the printable area. measure
// makes the font on the printer and returns its metrics.
using FontMeasure = std::function<FontMetrics(const FontRecord&)>;
struct BirthBriefFit {
  FontRecord font;
  int printerCharWidth = 0, printerLineHeight = 0;
  int pageColumns = 0, pageLines = 0;
};
BirthBriefFit FitBirthBriefPrinterFont(int horzRes, int vertRes, int charsPerGeneration,
                                       const Margins& margins, const FontMeasure& measure);
inline constexpr int kBirthBriefLines = 130;
int BirthBriefColumns(int charsPerGeneration, const Margins& margins);

// Whether a page measured on the printer at printing time still holds the
// usable area the chart was laid out for.
bool PageHoldsChart(int horzRes, int vertRes, int cellWidth, int lineHeight, const PageGeometry& g);

// The order of printed pages: each page `copies` times in a row, or the
// whole sequence repeated when collated.
std::vector<int> PrintSequence(const std::vector<int>& pages, int copies, bool collate);

// The printer's device, driver and port as the print dialog gave them,
// joined with commas and split again: the device ends at the first comma,
// the driver and the port each at a comma or a blank. 0, or 51 "Cannot
// initialise printer" when one of the three is missing.
struct PrinterNames {
  std::string device, driver, port;
};
inline constexpr int kCannotInitialisePrinter = 51;
int SplitDeviceNames(const std::string& device, const std::string& driver, const std::string& port,
                     PrinterNames& out);

// A full chart's printed page (its number and first display item).
struct PageListEntry {
  std::int32_t page = 0;
  std::int32_t firstItem = 0;
};

// The grid shared by the chart Parts, the display and printing.
struct ChartGrid {
  std::int32_t chartColumns = 10, chartLines = 10;
  std::int16_t pagesAcross = 1, pagesDown = 1;
  std::vector<PageListEntry> pageList;  // pageCount = size
  int pageCount() const { return int(pageList.size()); }
};

// The page argument printChart passes for the k-th printed page (0-based):
// the page's number from the page list with page-number setting below 3, the
// running page number (k + 1) otherwise.
int PrintedPageArgument(const ChartGrid& grid, int k, int pageNumberSetting);

}  // namespace dv
