#include "output/PageGeometry.h"

#include <cstdlib>
#include <cstring>

namespace dv {

namespace {

// Base sheets of the fallback table in cells at 20 columns and 12 lines per
// inch; every other sheet doubles or quadruples a side of one of them.
struct Sheet {
  int portraitColumns, portraitLines, landscapeColumns, landscapeLines;
};
constexpr Sheet kLetter{170, 132, 220, 102};
constexpr Sheet kA4{165, 140, 233, 99};

struct PaperRow {
  int code1, code2;
  int nameId;
  Sheet sheet;
};

constexpr PaperRow kPapers[] = {
    {1, 257, kPaperAnsiA, kLetter},
    {17, 258, kPaperAnsiB, {220, 204, 340, 132}},
    {24, 259, kPaperAnsiC, {340, 264, 440, 204}},
    {25, 260, kPaperAnsiD, {440, 408, 680, 264}},
    {26, 261, kPaperAnsiE, {680, 528, 880, 408}},
    {9, 262, kPaperIsoA4, kA4},
    {8, 263, kPaperIsoA3, {233, 198, 330, 140}},
    {264, 264, kPaperIsoA2, {330, 280, 466, 198}},
    {265, 265, kPaperIsoA1, {466, 396, 660, 280}},
    {266, 266, kPaperIsoA0, {660, 560, 932, 396}},
    {256, 279, kPaperUserDefined, {0, 0, 0, 0}},
};

// The font record is a LOGFONTA image; these write its fields in place.
void PutInt32(FontRecord& f, int offset, std::int32_t v) {
  auto u = std::uint32_t(v);
  for (int i = 0; i < 4; ++i) f.bytes[offset + i] = std::uint8_t(u >> (8 * i));
}

FontRecord BirthBriefFont(int height, int width) {
  FontRecord f;
  PutInt32(f, 0, height);
  PutInt32(f, 4, width);
  PutInt32(f, 16, 700);  // bold
  f.bytes[24] = 5;       // output precision
  f.bytes[26] = 2;       // quality
  f.bytes[27] = 1;       // fixed pitch
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  return f;
}

}  // namespace

Margins PageMarginsOf(const Settings& s) {
  return {s.dparam[15], s.dparam[16], s.dparam[17], s.dparam[18]};
}

PaperEntry FallbackPaper(int paperCode, bool landscape) {
  for (const PaperRow& row : kPapers) {
    if (paperCode != row.code1 && paperCode != row.code2) continue;
    if (landscape) return {row.nameId, row.sheet.landscapeColumns, row.sheet.landscapeLines};
    return {row.nameId, row.sheet.portraitColumns, row.sheet.portraitLines};
  }
  return {kPaperUnrecognized, 0, 0};
}

PrinterFontSize PrinterFontFor(int chartFontHeight, int fontsState, int screenDpiY,
                               int printerDpiX, int printerDpiY) {
  PrinterFontSize out;
  int h = chartFontHeight;
  if (fontsState >= 0) {
    h = std::abs(chartFontHeight);
    if (h != 0 && screenDpiY % h != 0) ++h;
  }
  out.nominalHeight = h;
  out.height = MulDiv(h, printerDpiY, screenDpiY);
  out.width = fontsState >= 0 ? MulDiv(3 * h, printerDpiX, 5 * screenDpiY) : 0;
  return out;
}

FontRecord PrinterFontRecord(const FontRecord& chartFont, const PrinterFontSize& size) {
  FontRecord f = chartFont;
  PutInt32(f, 0, size.height);
  PutInt32(f, 4, size.width);
  f.bytes[24] = 5;  // output precision
  f.bytes[26] = 2;  // quality
  return f;
}

PaperReport ComputePageGeometry(const PrinterReading& in, const Margins& margins,
                                PageGeometry& g, int& fontsState) {
  PaperReport report;
  g.margins = margins;
  auto setNoPrinterMetrics = [&] {
    fontsState = 1;
    report.metricsGuessed = true;
    g.printerCharWidth = kNoPrinterCharWidth;
    g.printerLineHeight = kNoPrinterLineHeight;
  };

  if (in.hasContext && in.cellWidth > 0 && in.lineHeight > 0) {
    g.printerCharWidth = in.cellWidth;
    g.printerLineHeight = in.lineHeight;
    g.pageColumns = in.horzRes / in.cellWidth - 1;
    g.pageLines = in.vertRes / in.lineHeight - 1;
  } else {
    g.pageColumns = 0;
    g.pageLines = 0;
    setNoPrinterMetrics();
  }

  int length = 0, width = 0;  // tenths of a millimetre
  if (in.hasDevMode) {
    bool landscape = in.orientation == 2;
    report.landscape = landscape ? 1 : 0;
    report.paperCode = in.paperCode;
    PaperEntry entry = FallbackPaper(in.paperCode, landscape);
    if (in.paperListed) {
      report.nameId = 0;
      report.paperName = in.paperName.substr(0, 64);
      length = in.listLength;
      width = in.listWidth;
    } else {
      setNoPrinterMetrics();
      report.nameId = entry.nameId;
      length = in.devModeLength;
      width = in.devModeWidth;
    }
    if (g.pageColumns == 0 || g.pageLines == 0) {
      if (length > 0 && width > 0) {
        int across = landscape ? length : width;
        int down = landscape ? width : length;
        g.pageColumns = across * 60 / 254 / 3 - 1;
        g.pageLines = down * 60 / 254 / 5 - 1;
      } else {
        g.pageColumns = entry.columns - 1;
        g.pageLines = entry.lines - 1;
        length = width = 0;
      }
    }
    if (g.pageColumns < 0 || g.pageLines < 0) {
      g.pageColumns = g.pageLines = 0;
      length = width = 0;
    }
  } else if (g.pageColumns == 0 || g.pageLines == 0) {
    // Nothing to measure and no paper named: a Letter page.
    PaperEntry letter = FallbackPaper(1, false);
    g.pageColumns = letter.columns - 1;
    g.pageLines = letter.lines - 1;
  }

  report.lengthMm = length / 10;
  report.widthMm = width / 10;
  g.paperLengthTwips = length * 1440 / 254;
  g.paperWidthTwips = width * 1440 / 254;
  g.usableColumns = g.pageColumns - margins.left - margins.right;
  g.usableLines = g.pageLines - margins.top - margins.bottom;
  return report;
}

void PageFromMillimetres(int lengthMm, int widthMm, bool landscape, int& columns, int& lines) {
  int across = landscape ? lengthMm : widthMm;
  int down = landscape ? widthMm : lengthMm;
  columns = across * 600 / 254 / 3;
  lines = down * 600 / 254 / 5;
}

int BirthBriefColumns(int charsPerGeneration, const Margins& margins) {
  return 6 * charsPerGeneration + margins.left + margins.right + 34;
}

BirthBriefFit FitBirthBriefPrinterFont(int horzRes, int vertRes, int charsPerGeneration,
                                       const Margins& margins, const FontMeasure& measure) {
  BirthBriefFit fit;
  int cellWidth = horzRes / BirthBriefColumns(charsPerGeneration, margins);
  int cellHeight = vertRes / kBirthBriefLines;

  // Lower the height until a line fits the cell; a height of 0 would ask for
  // the device's default size, so 1 is the floor.
  int height = cellHeight > 0 ? cellHeight : 1;
  fit.font = BirthBriefFont(height, 0);
  FontMetrics m = measure(fit.font);
  while (m.lineHeight() > cellHeight && height > 1) {
    fit.font = BirthBriefFont(--height, 0);
    m = measure(fit.font);
  }
  int width = m.maxCharWidth > 0 ? m.maxCharWidth : 1;
  fit.font = BirthBriefFont(height, width);
  m = measure(fit.font);
  while (m.averageCharWidth > cellWidth && width > 1) {
    fit.font = BirthBriefFont(height, --width);
    m = measure(fit.font);
  }
  fit.printerLineHeight = m.lineHeight();
  fit.printerCharWidth = m.averageCharWidth;
  if (fit.printerCharWidth > 0) fit.pageColumns = horzRes / fit.printerCharWidth;
  if (fit.printerLineHeight > 0) fit.pageLines = vertRes / fit.printerLineHeight - 1;
  return fit;
}

bool PageHoldsChart(int horzRes, int vertRes, int cellWidth, int lineHeight, const PageGeometry& g) {
  if (cellWidth <= 0 || lineHeight <= 0) return false;
  return horzRes / cellWidth >= g.usableColumns && vertRes / lineHeight >= g.usableLines;
}

std::vector<int> PrintSequence(const std::vector<int>& pages, int copies, bool collate) {
  std::vector<int> out;
  if (copies < 1) copies = 1;
  out.reserve(pages.size() * std::size_t(copies));
  if (collate) {
    for (int c = 0; c < copies; ++c) out.insert(out.end(), pages.begin(), pages.end());
  } else {
    for (int p : pages)
      for (int c = 0; c < copies; ++c) out.push_back(p);
  }
  return out;
}

int SplitDeviceNames(const std::string& device, const std::string& driver, const std::string& port,
                     PrinterNames& out) {
  std::string text = device + "," + driver + "," + port;
  std::size_t comma = text.find(',');
  out.device = text.substr(0, comma);
  std::size_t start = comma + 1;
  std::size_t end = text.find_first_of(", ", start);
  out.driver = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (end == std::string::npos) {
    out.port.clear();
  } else {
    // The port starts after the driver's end; a blank ending the driver
    // leaves the rest of that piece out.
    std::size_t next = text.find(',', end);
    start = text[end] == ',' ? end + 1 : (next == std::string::npos ? text.size() : next + 1);
    std::size_t stop = text.find_first_of(", ", start);
    out.port = text.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
  }
  if (out.device.empty() || out.driver.empty() || out.port.empty()) return kCannotInitialisePrinter;
  return 0;
}

int PrintedPageArgument(const ChartGrid& grid, int k, int pageNumberSetting) {
  if (pageNumberSetting < 3 && k >= 0 && k < grid.pageCount()) return grid.pageList[k].page;
  return k + 1;
}

}  // namespace dv
