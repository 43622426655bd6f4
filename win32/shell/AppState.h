#pragma once
// The program's process-wide state: the handles, flags and buffers that every
// window, dialog and command reads and writes, grouped by what they are for.
// There is exactly one instance, reached through State(); tests call
// ResetState() to start from the values the program has before WinMain.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/PrintSetup.h"
#include "shell/Settings.h"
#include "shell/StartupFile.h"

namespace dv::win {

// Capacities of the long-lived text buffers.
inline constexpr std::size_t kTextBufferSize = 512;
inline constexpr std::size_t kPathBufferSize = 512;
inline constexpr std::size_t kDirBufferSize = 544;
inline constexpr std::size_t kCurrentSourceSize = 256;
inline constexpr std::size_t kFileNameBufferSize = 544;

// The work area: paths and scratch text that live for the whole run.
struct WorkArea {
  std::array<char, kTextBufferSize> textBuffer{};  // scratch for messages and help lines
  std::array<char, kPathBufferSize>
      pathBuffer{};  // settings path at start; later the editor command line
  std::array<char, kDirBufferSize> programDir{};  // folder of the executable, no trailing backslash
  std::array<char, kDirBufferSize> helpFilePath{};  // folder of the help pages (programDir\help)
  std::array<char, kDirBufferSize> spareBuffer{};   // used by the view/edit pages
};

// Kinds of start-up file named on the command line (dv::StartupKind).
using dv::kNoStartupFile;
using dv::kStartupBirthBrief;
using dv::kStartupGedcom;
using dv::kStartupTree;

// Values of sourceFormat.
enum SourceFormat : int { kFormatTree = -1, kFormatBirthBrief = 0, kFormatGedcom = 1 };

// Flags and handles shared by the main window, the dialogs and the charts.
struct AppState {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  std::array<char, kCurrentSourceSize> currentSource{};    // path of the data source; "" when none
  std::array<char, kFileNameBufferSize> fileNameBuffer{};  // file name exchanged with file dialogs
  int startupKind = kNoStartupFile;  // start-up file kind found on the command line
  // View/edit mode to resume after a chart or report: 0 none, 1 view, 2 edit.
  std::int16_t resumeMode = 0;
  std::int16_t sourceOpen = 0;       // 1 once a data source has been named or loaded
  std::int16_t recordsLoaded = 0;    // non-zero while the record store holds GEDCOM records
  int sourceFormat = kFormatGedcom;  // 1 GEDCOM, 0 Birth Brief chart file, -1 Tree chart file
  std::int16_t viewEditMode = 0;     // 0 off, 1 view, 2 edit
  HWND viewEditDialog = nullptr;     // modeless page dialog of view/edit mode
  std::int16_t windowReady = 0;      // 0 creating, 1 ready, 2 context menu tracked
  std::int16_t chartState = 0;       // 0 none, 1 shown, 2..9 overlay editing, -1/-2 exporting
  std::int16_t selectiveChartState = 0;
  std::int16_t birthBriefChartState = 0;
  std::int16_t fullChartState = 0;
  int helpContext = 301;     // help topic of the current window state
  int birthBriefWidth = 23;  // Birth Brief characters per generation in use (20..31)
  int chartKind = 0;         // chart chosen last from the Charts menu: 2 Birth Brief, 3 Selective Tree

  // Font records in the settings, by role (point into State().settings.fonts).
  FontRecord* screenFont = nullptr;
  FontRecord* printerFont = nullptr;
  FontRecord* chartFont = nullptr;
  FontRecord* font2 = nullptr;
  FontRecord* titleFont = nullptr;
  FontRecord* font4 = nullptr;
};

// Screen view of a chart: its size in cells, the zoom and cell size, the
// scroll position and ranges, and the client area (chart-output code).
struct ChartView {
  std::int16_t zoomLevel = 4;       // 0 overview, 1 to 7 font sizes
  std::int16_t maxZoomLevel = 7;    // highest level whose cell fits the chart
  std::int16_t minZoomLevel = 0;    // 1 for a chart laid out without page breaks
  std::int16_t displayEnabled = 1;  // 0 when no level fits
  int chartColumns = 10;
  int chartLines = 10;
  std::int16_t pagesAcross = 1;  // the full chart's page grid
  std::int16_t pagesDown = 1;
  std::vector<dv::PageListEntry> pageList;
  int cellWidth = 0;  // screen pixels of one column and one line at zoomLevel
  int cellHeight = 0;
  int maxCellWidth = 32767;  // 32767 / chartColumns
  int maxCellHeight = 32767;
  int scrollX = 0;  // cells at zoom 1 to 7, pixels in the overview
  int scrollY = 0;
  int scrollMaxX = 0;
  int scrollMaxY = 0;
  int overviewPageWidth = 0;
  int screenDpiX = 96;
  int screenDpiY = 96;
  int clientWidth = 0;
  int clientHeight = 0;
  // 1 once "Cannot display" was shown for the chart at this zoom.
  std::int16_t displayFailureShown = 0;
};

// Menus, accelerators and child windows owned by the main window.
struct ShellResources {
  HACCEL accelerators = nullptr;
  HMENU mainMenu = nullptr;
  HMENU chartMenuBar = nullptr;
  HMENU contextMenu = nullptr;
  std::array<HBITMAP, 6> chartBarBitmaps{};
  HWND statusBar = nullptr;
  HHOOK messageFilterHook = nullptr;
  // Offered every message of the loop while a scanner acquisition is open;
  // returns true when it consumed the message. Empty while none is open.
  std::function<bool(MSG&)> scannerFilter;
};

// Calls that leave the process (message boxes, launching the help viewer)
// go through here so that tests can watch them instead.
struct ShellHooks {
  std::function<int(HWND owner, const char* text, const char* caption, UINT type)> messageBox;
  std::function<void(HWND owner, const std::string& target)> openHelp;
  // The save-file dialog: shows filter (parts separated by NULs), and on OK
  // leaves the chosen name in fileName and returns the 1-based filter index;
  // 0 when cancelled. Empty: the common dialog.
  std::function<int(HWND owner, const std::string& filter, const char* defaultExtension,
                    std::array<char, kFileNameBufferSize>& fileName)>
      saveFileDialog;
  // Folder of the executable; empty uses the module's own path.
  std::string programDirOverride;
};

struct ProgramState {
  AppState app;
  WorkArea work;
  dv::Settings settings;
  ChartView view;
  ShellResources ui;
  ShellHooks hooks;
  PageSetup page;        // the printed page in cells of the chart font
  PrinterSetup printer;  // the printer in use and the printing run
};

// The one instance.
ProgramState& State();
// Puts every value back to its start-of-process default (tests).
void ResetState();

// Points the named font records of app at the slots of settings.fonts.
void BindFontRoles(AppState& app, dv::Settings& settings);

// The text held in a fixed buffer, up to its NUL (or the whole buffer).
template <std::size_t N>
std::string_view TextOf(const std::array<char, N>& buffer) {
  std::size_t n = 0;
  while (n < N && buffer[n] != '\0') ++n;
  return std::string_view(buffer.data(), n);
}

// Bounded copy of text into a fixed buffer, always NUL-terminated.
template <std::size_t N>
void CopyText(std::array<char, N>& to, std::string_view text) {
  std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  text.copy(to.data(), n);
  to[n] = '\0';
}
// Bounded append, always NUL-terminated.
template <std::size_t N>
void AppendText(std::array<char, N>& to, std::string_view text) {
  std::size_t used = TextOf(to).size();
  if (used >= N) return;
  std::size_t n = text.size() < N - 1 - used ? text.size() : N - 1 - used;
  text.copy(to.data() + used, n);
  to[used + n] = '\0';
}

}  // namespace dv::win
