#include "output/PrintSetup.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>

#include "output/GdiSurface.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

// A movable global block as the common dialogs hand them around; freed
// unless released to someone else.
class GlobalBlock {
 public:
  GlobalBlock() = default;
  explicit GlobalBlock(HGLOBAL h) : h_(h) {}
  ~GlobalBlock() {
    if (h_) GlobalFree(h_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL get() const { return h_; }
  HGLOBAL* out() { return &h_; }

 private:
  HGLOBAL h_ = nullptr;
};

HGLOBAL BlockOf(const void* data, std::size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!h) return nullptr;
  if (void* p = GlobalLock(h)) {
    std::memcpy(p, data, size);
    GlobalUnlock(h);
  }
  return h;
}

// The DEVNAMES block of a printer: the header, then driver, device and port.
HGLOBAL DevNamesOf(const PrinterTarget& t) {
  std::vector<char> bytes(sizeof(DEVNAMES), '\0');
  auto append = [&bytes](const std::string& text) {
    WORD offset = WORD(bytes.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back('\0');
    return offset;
  };
  DEVNAMES names{};
  names.wDriverOffset = append(t.driver);
  names.wDeviceOffset = append(t.device);
  names.wOutputOffset = append(t.port);
  std::memcpy(bytes.data(), &names, sizeof names);
  return BlockOf(bytes.data(), bytes.size());
}

// Reads the names and the device mode the dialog left in its blocks.
void ReadDialogBlocks(HGLOBAL devNames, HGLOBAL devMode, PrintDialogAnswer& a) {
  if (devNames) {
    const auto* base = static_cast<const char*>(GlobalLock(devNames));
    if (base) {
      const std::size_t size = GlobalSize(devNames);
      const auto* names = reinterpret_cast<const DEVNAMES*>(base);
      auto textAt = [&](WORD offset) {
        if (offset >= size) return std::string();
        return std::string(base + offset, strnlen(base + offset, size - offset));
      };
      a.driver = textAt(names->wDriverOffset);
      a.device = textAt(names->wDeviceOffset);
      a.port = textAt(names->wOutputOffset);
      GlobalUnlock(devNames);
    }
  }
  if (devMode) {
    const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(devMode));
    if (mode) {
      const std::size_t size =
          std::min<std::size_t>(GlobalSize(devMode), std::size_t(mode->dmSize) + mode->dmDriverExtra);
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(mode);
      a.devMode.assign(bytes, bytes + size);
      GlobalUnlock(devMode);
    }
  }
}

DWORD DialogFlags(int mode) {
  switch (mode) {
    case 0:
      return PD_RETURNDEFAULT;
    case 1:
      return PD_PRINTSETUP;
    case 2:
      return PD_RETURNDC | PD_NOSELECTION;
    default:
      return PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
  }
}

int ClampedLineWidth(int value) { return value < 1 || value > 10 ? 6 : value; }

}  // namespace

GdiPrintDevice::~GdiPrintDevice() {
  if (dc_) DeleteDC(dc_);
}
int GdiPrintDevice::SetAbortProc(ABORTPROC proc) { return ::SetAbortProc(dc_, proc); }
int GdiPrintDevice::StartDoc(const char* documentName) {
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = documentName;
  return ::StartDocA(dc_, &info);
}
int GdiPrintDevice::StartPage() { return ::StartPage(dc_); }
int GdiPrintDevice::EndPage() { return ::EndPage(dc_); }
int GdiPrintDevice::EndDoc() { return ::EndDoc(dc_); }
int GdiPrintDevice::AbortDoc() { return ::AbortDoc(dc_); }

PrintDialogAnswer SystemPrintDialog(HWND owner, const PrintDialogRequest& request) {
  PrintDialogAnswer a;
  if (request.mode == 0) {
    // Without a default printer the system would put up a box of its own.
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) {
      a.dialogError = true;
      return a;
    }
  }
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = DialogFlags(request.mode);
  pd.nCopies = WORD(std::clamp(request.copies, 1, 0xFFFF));
  if (request.mode == 2) {
    pd.nMinPage = 1;
    pd.nMaxPage = WORD(std::clamp(request.pageCount, 1, 0xFFFF));
    pd.nFromPage = pd.nToPage = 1;
  }
  GlobalBlock devMode, devNames;
  if (request.current && request.mode != 0) {
    if (!request.current->devMode.empty())
      *devMode.out() = BlockOf(request.current->devMode.data(), request.current->devMode.size());
    *devNames.out() = DevNamesOf(*request.current);
  }
  pd.hDevMode = devMode.get();
  pd.hDevNames = devNames.get();
  const BOOL ok = PrintDlgA(&pd);
  // The dialog may have replaced the blocks: take ownership of what it left.
  *devMode.out() = pd.hDevMode;
  *devNames.out() = pd.hDevNames;
  if (!ok) {
    a.dialogError = CommDlgExtendedError() != 0;
    return a;
  }
  a.ok = true;
  ReadDialogBlocks(pd.hDevNames, pd.hDevMode, a);
  if (pd.hDC) a.printer = std::make_unique<GdiPrintDevice>(pd.hDC);
  a.copies = pd.nCopies;
  a.collate = (pd.Flags & PD_COLLATE) != 0;
  a.printToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
  a.pageRange = (pd.Flags & PD_PAGENUMS) != 0;
  a.fromPage = pd.nFromPage;
  a.toPage = pd.nToPage;
  return a;
}

bool SystemChooseFont(HWND owner, FontRecord& font) {
  LOGFONTA logFont = ToLogFont(font);
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &logFont;
  choose.Flags = CF_SCREENFONTS | CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_SCRIPTSONLY;
  choose.nSizeMin = 3;
  choose.nSizeMax = 20;
  if (!ChooseFontA(&choose)) return false;
  static_assert(sizeof logFont == sizeof font.bytes);
  std::memcpy(font.bytes.data(), &logFont, sizeof logFont);
  return true;
}

PrintDialogResult RunPrintDialog(HWND owner, int mode, int pageCount) {
  auto& state = State();
  auto& printer = state.printer;
  auto& copies = state.settings.dparam[29];
  PrintDialogRequest request;
  request.mode = mode;
  request.copies = std::max(1, int(copies));
  request.pageCount = pageCount;
  request.current = printer.chosen ? &printer.target : nullptr;

  const std::int16_t parked = state.app.chartState;
  if (parked == 1) state.app.chartState = 0;
  PrintDialogAnswer answer = printer.printDialog ? printer.printDialog(owner, request)
                                                 : SystemPrintDialog(owner, request);
  if (parked == 1) state.app.chartState = parked;

  PrintDialogResult result;
  if (!answer.ok) {
    result.showInitError = answer.dialogError;
    result.status = answer.dialogError ? kCannotPrint : kPrintCancelled;
    return result;
  }
  PrinterNames names;
  if (SplitDeviceNames(answer.device, answer.driver, answer.port, names) != 0) {
    result.showInitError = true;
    result.status = kCannotPrint;
    return result;
  }
  printer.chosen = true;
  printer.target.device = names.device;
  printer.target.driver = names.driver;
  printer.target.port = names.port;
  if (!answer.devMode.empty()) printer.target.devMode = std::move(answer.devMode);
  if (mode >= 2) printer.printToFile = answer.printToFile;
  if (answer.copies >= 1) copies = answer.copies;
  printer.collate = answer.collate;
  result.device = std::move(answer.printer);
  result.pageRange = answer.pageRange;
  result.fromPage = answer.fromPage;
  result.toPage = answer.toPage;
  return result;
}

std::string PrinterDeviceText(const PrinterSetup& printer) {
  if (!printer.chosen) return {};
  return printer.target.device + "," + printer.target.driver + "," + printer.target.port;
}

PaperReport RecomputePageGeometry(ProgramState& state) {
  auto& settings = state.settings;
  auto& app = state.app;
  const PrinterTarget* target = state.printer.chosen ? &state.printer.target : nullptr;
  PrinterFonts fonts;
  int fontsState = settings.fontsState;
  PageSetup& page = state.page;
  // Without the printer's own context the page comes from the paper: the
  // display's size says nothing about what will be printed.
  PaperReport report = ComputePrinterPage(target, *app.chartFont, PageMarginsOf(settings), fontsState,
                                          page, fonts, WithoutPrinterContext::kPaperOnly);
  settings.fontsState = fontsState;
  *app.printerFont = fonts.printerFont;
  *app.screenFont = fonts.screenFont;
  settings.dparam[27] = page.pageColumns;
  settings.dparam[28] = page.pageLines;
  settings.fparam[3] = page.paperLengthTwips;
  settings.fparam[4] = page.paperWidthTwips;
  page.lineWidth = ClampedLineWidth(settings.bparam[0]);
  page.paper = report;
  return report;
}

void FitBirthBriefOnContext(ProgramState& state, HDC dc, int charsPerGeneration) {
  const DeviceCaps caps = CapsOf(dc);
  PageSetup& page = state.page;
  const Margins margins = PageMarginsOf(state.settings);
  BirthBriefFit fit = FitBirthBriefPrinterFont(
      caps.horzRes, caps.vertRes, charsPerGeneration, margins,
      [dc](const FontRecord& font) { return GdiSurface(dc).SelectFont(font); });
  *state.app.printerFont = fit.font;
  *state.app.screenFont = fit.font;
  page.printerCharWidth = fit.printerCharWidth;
  page.printerLineHeight = fit.printerLineHeight;
  page.pageColumns = fit.pageColumns;
  page.pageLines = fit.pageLines;
  // The usable area follows the new page, or printing would compare the
  // page against the area of the previous font.
  page.margins = margins;
  page.usableColumns = page.pageColumns - margins.left - margins.right;
  page.usableLines = page.pageLines - margins.top - margins.bottom;
  state.settings.dparam[27] = page.pageColumns;
  state.settings.dparam[28] = page.pageLines;
}

bool FitBirthBriefOnPrinter(ProgramState& state, int charsPerGeneration) {
  if (!state.printer.chosen) return false;
  const PrinterTarget& t = state.printer.target;
  HDC dc = CreateDCA(t.driver.c_str(), t.device.c_str(), t.port.c_str(), t.mode());
  if (!dc) return false;
  FitBirthBriefOnContext(state, dc, charsPerGeneration);
  DeleteDC(dc);
  return true;
}

void SetUpDefaultPrinter(HWND window) {
  // A machine without a printer is not an error at start: the page then
  // comes from the fallback paper.
  RunPrintDialog(window, 0);
  RecomputePageGeometry(State());
}

void OnFonts(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  if (state.settings.fontsState == 1) return;
  const int savedContext = state.app.helpContext;
  state.app.helpContext = 315;
  FontRecord font = *state.app.chartFont;
  const bool chosen = state.printer.chooseFont ? state.printer.chooseFont(window, font)
                                               : SystemChooseFont(window, font);
  state.app.helpContext = savedContext;
  if (!chosen) return;
  *state.app.chartFont = font;
  state.settings.fontsState = -1;
  *state.app.screenFont = font;
  RecomputePageGeometry(state);
}

}  // namespace dv::win
