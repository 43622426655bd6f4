#include "output/PrinterPage.h"

#include <cstring>

#include "output/GdiSurface.h"
#include "output/ZoomLevels.h"

namespace dv::win {

namespace {

// An owned device or information context.
class OwnedDc {
 public:
  explicit OwnedDc(HDC dc) : dc_(dc) {}
  ~OwnedDc() {
    if (dc_) DeleteDC(dc_);
  }
  OwnedDc(const OwnedDc&) = delete;
  OwnedDc& operator=(const OwnedDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Looks code up in the driver's paper list: name and size (tenths of a mm).
bool FindPaper(const PrinterTarget& t, int code, PrinterReading& r) {
  const DEVMODEA* mode = t.mode();
  int count = DeviceCapabilitiesA(t.device.c_str(), t.port.c_str(), DC_PAPERS, nullptr, mode);
  if (count <= 0) return false;
  std::vector<WORD> codes(count);
  std::vector<char> names(std::size_t(count) * 64, '\0');
  std::vector<POINT> sizes(count);
  if (DeviceCapabilitiesA(t.device.c_str(), t.port.c_str(), DC_PAPERS,
                          reinterpret_cast<LPSTR>(codes.data()), mode) != count ||
      DeviceCapabilitiesA(t.device.c_str(), t.port.c_str(), DC_PAPERNAMES, names.data(), mode) != count ||
      DeviceCapabilitiesA(t.device.c_str(), t.port.c_str(), DC_PAPERSIZE,
                          reinterpret_cast<LPSTR>(sizes.data()), mode) != count)
    return false;
  for (int i = 0; i < count; ++i) {
    if (codes[i] != code) continue;
    const char* name = names.data() + std::size_t(i) * 64;
    r.paperName.assign(name, strnlen(name, 64));
    r.listWidth = sizes[i].x;
    r.listLength = sizes[i].y;
    return true;
  }
  return false;
}

}  // namespace

DeviceCaps CapsOf(HDC dc) {
  return {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX),
          GetDeviceCaps(dc, LOGPIXELSY)};
}

PrinterFonts MeasurePrinterContext(HDC dc, const DeviceCaps& caps, const FontRecord& chartFont,
                                   int fontsState, int screenDpiY, PrinterReading& r) {
  PrinterFonts fonts{chartFont, chartFont};
  r.hasContext = true;
  r.horzRes = caps.horzRes;
  r.vertRes = caps.vertRes;
  PrinterFontSize size =
      PrinterFontFor(FontFieldsOf(chartFont).height, fontsState, screenDpiY, caps.dpiX, caps.dpiY);
  fonts.printerFont = PrinterFontRecord(chartFont, size);
  GdiSurface surface(dc);
  FontMetrics m = surface.SelectFont(fonts.printerFont);
  CellSize cell = CellOfSelectedFont(surface, m);
  r.cellWidth = cell.width;
  r.lineHeight = cell.height;
  return fonts;
}

PrinterFonts ReadPrinter(const PrinterTarget* target, const FontRecord& chartFont, int fontsState,
                         PrinterReading& r, WithoutPrinterContext fallback) {
  r = PrinterReading{};
  PrinterFonts fonts{chartFont, chartFont};
  int screenDpiY = 96;
  {
    ScreenDc screen;
    if (screen) screenDpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  HDC dc = nullptr;
  if (target)
    dc = CreateDCA(target->driver.c_str(), target->device.c_str(), target->port.c_str(), target->mode());
  if (!dc && fallback == WithoutPrinterContext::kMeasureDisplay)
    dc = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  OwnedDc owned(dc);
  if (dc) fonts = MeasurePrinterContext(dc, CapsOf(dc), chartFont, fontsState, screenDpiY, r);
  const DEVMODEA* mode = target ? target->mode() : nullptr;
  if (mode) {
    r.hasDevMode = true;
    r.orientation = mode->dmOrientation;
    r.paperCode = mode->dmPaperSize;
    r.devModeLength = mode->dmPaperLength;
    r.devModeWidth = mode->dmPaperWidth;
    r.paperListed = FindPaper(*target, r.paperCode, r);
  }
  return fonts;
}

PaperReport ComputePrinterPage(const PrinterTarget* target, const FontRecord& chartFont,
                               const Margins& margins, int& fontsState, PageGeometry& g,
                               PrinterFonts& fonts, WithoutPrinterContext fallback) {
  PrinterReading reading;
  fonts = ReadPrinter(target, chartFont, fontsState, reading, fallback);
  PaperReport report = ComputePageGeometry(reading, margins, g, fontsState);
  if (report.metricsGuessed) {
    // Guessed metrics: a 25-pixel fixed-pitch printer font to match them.
    std::int32_t height = kNoPrinterLineHeight;
    std::memcpy(fonts.printerFont.bytes.data(), &height, 4);
    fonts.printerFont.bytes[27] = (fonts.printerFont.bytes[27] & 0xF0) | FIXED_PITCH;
  }
  return report;
}

}  // namespace dv::win
