#pragma once
// The chosen printer and the page geometry the charts are laid out on, kept
// for the whole run in the program state: the default printer taken at
// start, the print dialogs that change it, and the recomputation of the
// page whenever the printer, the fonts or the margins change.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "output/PageGeometry.h"
#include "output/PrinterPage.h"

namespace dv::win {

struct ProgramState;

// The page geometry shared by the chart code, the display and printing:
// pageColumns, pageLines, margins, usableColumns, usableLines,
// printerCharWidth, printerLineHeight and the paper size in twips, from the
// page computation. The chart's own page grid (pagesAcross, pagesDown,
// pageList) is part of the chart view (ChartView in shell/AppState.h).
struct PageSetup : PageGeometry {
  int lineWidth = 6;  // rule width in printer pixels (1 to 10)
  PaperReport paper;  // what the last computation found out about the paper
};

// The printing calls of one document, behind an interface so that tests can
// print through a device of their own (see PrintChart_test.cpp). Each
// returns what the GDI call returns: above 0 for success.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  virtual HDC dc() const = 0;
  virtual int SetAbortProc(ABORTPROC proc) = 0;
  virtual int StartDoc(const char* documentName) = 0;
  virtual int StartPage() = 0;
  virtual int EndPage() = 0;
  virtual int EndDoc() = 0;
  virtual int AbortDoc() = 0;
};

// A printer device context from a print dialog: the GDI calls themselves;
// the context is deleted with the object.
class GdiPrintDevice final : public PrintDevice {
 public:
  explicit GdiPrintDevice(HDC dc) : dc_(dc) {}
  ~GdiPrintDevice() override;
  GdiPrintDevice(const GdiPrintDevice&) = delete;
  GdiPrintDevice& operator=(const GdiPrintDevice&) = delete;
  HDC dc() const override { return dc_; }
  int SetAbortProc(ABORTPROC proc) override;
  int StartDoc(const char* documentName) override;
  int StartPage() override;
  int EndPage() override;
  int EndDoc() override;
  int AbortDoc() override;

 private:
  HDC dc_;
};

// What a print dialog is asked for, by mode: 0 the default printer without
// showing anything; 1 the printer set-up dialog; 2 a device context with a
// page range from 1 to pageCount (preset 1 to 1); 3 and more a device
// context without page numbers or selection.
struct PrintDialogRequest {
  int mode = 0;
  int copies = 1;
  int pageCount = 0;
  const PrinterTarget* current = nullptr;  // the printer in use; nullptr when none
};

// What the dialog gave back.
struct PrintDialogAnswer {
  bool ok = false;          // false: cancelled or failed
  bool dialogError = false; // failed (not cancelled by the user)
  std::string device, driver, port;
  std::vector<std::uint8_t> devMode;  // DEVMODEA with its driver data; empty when none
  std::unique_ptr<PrintDevice> printer;  // modes 2 and more
  int copies = 1;
  bool collate = false;
  bool printToFile = false;
  bool pageRange = false;  // the user chose pages fromPage to toPage
  int fromPage = 1, toPage = 1;
};

using PrintDialogFunction =
    std::function<PrintDialogAnswer(HWND owner, const PrintDialogRequest& request)>;
using ChooseFontFunction = std::function<bool(HWND owner, FontRecord& font)>;

// The common print dialog (PrintDlgA). Mode 0 asks only when the system has
// a default printer, so that a machine without one gets no dialog at all.
PrintDialogAnswer SystemPrintDialog(HWND owner, const PrintDialogRequest& request);
// The common font chooser: TrueType screen fonts of the ANSI character set,
// 3 to 20 points, initialised from font.
bool SystemChooseFont(HWND owner, FontRecord& font);

// The printer in use and the state of a printing run.
struct PrinterSetup {
  bool chosen = false;  // a print dialog has named a printer
  PrinterTarget target; // its names and device mode (the mode stays when the printer goes)
  bool printToFile = false;
  bool collate = false;
  int userAbort = 0;           // 1 once Cancel was pressed in the printing box
  HWND cancelBox = nullptr;    // the modeless printing box while it is up
  // The dialogs, replaceable by tests: the system ones when empty.
  PrintDialogFunction printDialog;
  ChooseFontFunction chooseFont;
};

// Result of RunPrintDialog: status 0, 23 "Cannot print" (the dialog failed
// or named an incomplete printer; showInitError then asks the caller to show
// 51 "Cannot initialise printer" first) or 109 "Print cancelled".
struct PrintDialogResult {
  int status = 0;
  bool showInitError = false;
  std::unique_ptr<PrintDevice> device;
  bool pageRange = false;
  int fromPage = 1, toPage = 1;
};
inline constexpr int kCannotPrint = 23;
inline constexpr int kPrintCancelled = 109;

// Runs the print dialog in mode; on success keeps the printer's names and
// device mode, the copy count (settings slot 29), print-to-file and
// collation. An overlay selection (chartState 1) is parked at 0 meanwhile.
// pageCount bounds the page range of mode 2.
PrintDialogResult RunPrintDialog(HWND owner, int mode, int pageCount = 0);

// The printer's device text "device,driver,port" as last chosen ("" when none).
std::string PrinterDeviceText(const PrinterSetup& printer);

// Recomputes the page geometry from the printer in use and the chart font:
// sets State().page, the printer and screen fonts, fontsState 1 when no
// printer could be measured. Without a printer (or when its context cannot
// be opened) the page is 20 columns and 12 lines per inch of the paper of the
// last device mode, or a Letter page when there is none.
PaperReport RecomputePageGeometry(ProgramState& state);

// The Birth Brief's printer font: the largest bold Courier New cell for
// which the chart (charsPerGeneration characters per generation, the page
// margins, 130 lines) fits the printer's page. Sets the printer and screen
// fonts, the printer cell and the page size. False, changing nothing, when
// the printer's context cannot be opened. The second form fits to dc.
bool FitBirthBriefOnPrinter(ProgramState& state, int charsPerGeneration);
void FitBirthBriefOnContext(ProgramState& state, HDC dc, int charsPerGeneration);

// Start-up: the default printer without a dialog, then the page geometry.
void SetUpDefaultPrinter(HWND window);

// Options, Fonts (command 16): the font chooser on the chart font, then the
// page geometry again.
void OnFonts(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
