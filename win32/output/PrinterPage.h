#pragma once
// Reads the chosen printer into the page geometry: opens a device context
// for it (or, failing that, an information context for the display), makes
// the printer font from the chart font, measures its cell, and looks the
// device mode's paper up in the driver's paper list.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "output/PageGeometry.h"

namespace dv::win {

// The printer as the print dialog left it.
struct PrinterTarget {
  std::string driver, device, port;
  std::vector<std::uint8_t> devMode;  // a DEVMODEA with its driver data; empty when none
  const DEVMODEA* mode() const {
    return devMode.size() >= sizeof(DEVMODEA) ? reinterpret_cast<const DEVMODEA*>(devMode.data())
                                              : nullptr;
  }
};

struct PrinterFonts {
  FontRecord printerFont;
  FontRecord screenFont;
};

// What the page computation reads of a device context.
struct DeviceCaps {
  int horzRes = 0, vertRes = 0;  // printable area in pixels
  int dpiX = 0, dpiY = 0;        // logical pixels per inch
};
DeviceCaps CapsOf(HDC dc);

// Makes the printer font from the chart font for a device with caps, selects
// it into dc and measures its cell into reading (hasContext, resolution,
// cell); returns the printer and screen fonts. dc is where the font is
// measured: the device itself, or a stand-in of the same kind in tests.
PrinterFonts MeasurePrinterContext(HDC dc, const DeviceCaps& caps, const FontRecord& chartFont,
                                   int fontsState, int screenDpiY, PrinterReading& reading);

// What to measure when the printer's own context cannot be opened.
enum class WithoutPrinterContext {
  kMeasureDisplay,  // the display's information context stands in
  kPaperOnly,       // nothing: the page comes from the paper alone
};

// Fills reading from target (nullptr: no printer chosen) and the chart font,
// and returns the printer and screen fonts made on the way.
PrinterFonts ReadPrinter(const PrinterTarget* target, const FontRecord& chartFont, int fontsState,
                         PrinterReading& reading,
                         WithoutPrinterContext fallback = WithoutPrinterContext::kMeasureDisplay);

// The whole page-geometry step: ReadPrinter, then the arithmetic. When the
// printer metrics had to be guessed, the printer font becomes 25 pixels high
// and fixed-pitch.
PaperReport ComputePrinterPage(const PrinterTarget* target, const FontRecord& chartFont,
                               const Margins& margins, int& fontsState, PageGeometry& g,
                               PrinterFonts& fonts,
                               WithoutPrinterContext fallback = WithoutPrinterContext::kMeasureDisplay);

}  // namespace dv::win
