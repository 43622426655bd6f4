#include "data/DataCommands.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <string>

#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/DataSourceDialog.h"
#include "data/DataState.h"
#include "data/GedcomWriter.h"
#include "data/viewedit/ViewEditFrame.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/MainWindow.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kSaveFilterId = 141;

// An error box with a stop icon for a string id and an optional suffix.
void ShowStop(HWND window, int id, std::string_view suffix = {}) {
  if (window) EnableWindow(window, TRUE);
  HelpContextScope help(kHelpMessageBox);
  ShowMessageBox(window, dv::MessageText(id, suffix).c_str(), "Dorvane", MB_ICONSTOP | MB_OK);
}

// The progress bar across the bottom of the main window while a file is
// written: as tall as a scroll bar, stepping once every 20 records.
class WriteProgressBar {
 public:
  explicit WriteProgressBar(HWND window) : window_(window) {}
  ~WriteProgressBar() { Remove(); }
  WriteProgressBar(const WriteProgressBar&) = delete;
  WriteProgressBar& operator=(const WriteProgressBar&) = delete;

  void operator()(int count, int phase) {
    if (phase == 0)
      Create(count);
    else if (phase == 1 && bar_ && count % 20 == 0)
      SendMessageA(bar_, PBM_STEPIT, 0, 0);
    else if (phase == 2)
      Remove();
  }

 private:
  void Create(int total) {
    if (!window_ || bar_) return;
    RECT client{};
    GetClientRect(window_, &client);
    const int height = GetSystemMetrics(SM_CYHSCROLL);
    bar_ =
        CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, client.bottom - height,
                        client.right, height, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!bar_) return;
    SendMessageA(bar_, PBM_SETRANGE32, 0, total);
    SendMessageA(bar_, PBM_SETSTEP, 20, 0);
  }
  void Remove() {
    if (bar_) DestroyWindow(bar_);
    bar_ = nullptr;
  }
  HWND window_;
  HWND bar_ = nullptr;
};

// Writes the store to path with the windows' part of saving around it: wait
// cursor and a disabled main window while the file is written; the error
// box on failure. The writer clears dataChanged only when the file was
// written, so failed data stays marked unsaved.
int WriteDataSource(HWND window, const std::string& path, bool makeBackup) {
  auto& store = Data().store;
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  EnableWindow(window, FALSE);
  int result;
  {
    WriteProgressBar progress(window);
    result = dv::SaveGedcom(store, path, makeBackup,
                            [&progress](int count, int phase) { progress(count, phase); });
  }
  EnableWindow(window, TRUE);
  SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
  if (result != 0)
    ShowStop(window, result,
             result == 25 || result == 250 ? std::string_view(path) : std::string_view());
  return result;
}

}  // namespace

void OpenDataSource(HWND window, bool automatic) {
  auto& app = State().app;
  DataSourceSession session;
  session.autoOpen = automatic;
  session.pendingPath = std::string(TextOf(app.fileNameBuffer));
  Data().openMode = automatic ? 1 : 0;
  RunDataSourceDialog(window, session);
  Data().openMode = 0;
  Data().selectedRecord = 0;
  // Opened at start-up with the auto-load preference on: straight into view mode.
  if (automatic && session.loaded && State().settings.fparam[0] != 0) {
    PostMessageA(window, WM_COMMAND, IDM_FILE_VIEW, 0);
  }
  app.resumeMode = 0;
}

void OnOpen(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  const bool automatic = app.startupKind == kStartupGedcom;
  app.startupKind = kNoStartupFile;
  CopyText(app.fileNameBuffer, "");
  OpenDataSource(window, automatic);
}

void OnOpenRecent(HWND window, WPARAM wParam, LPARAM) {
  auto& state = State();
  if (state.app.viewEditMode) return;
  const int entry = LOWORD(wParam) - IDM_FILE_RECENT_FIRST;
  if (entry < 0 || entry >= dv::kRecentFilesShown) return;
  CopyText(state.app.fileNameBuffer, state.settings.recentFiles[entry]);
  OpenDataSource(window, false);
  CopyText(state.app.fileNameBuffer, "");
}

void OnNew(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  auto& data = Data();
  if ((app.recordsLoaded || data.store.dataChanged) && showMessage(window, 134, true) != 0) return;
  data.selection = ChartSelection{};
  app.recordsLoaded = 0;
  const int result = dv::NewDataSource(data.store, dv::Today());
  if (result != 0) {
    data.store.Clear();
    app.sourceOpen = 0;
    ShowStop(window, result == 1 ? 1 : 2);
    return;
  }
  app.sourceFormat = kFormatGedcom;
  app.sourceOpen = 1;
  app.recordsLoaded = 1;
  data.store.dataChanged = 1;
  PostMessageA(window, WM_COMMAND, IDM_FILE_EDIT, 0);
  CopyText(app.currentSource, "");
  SetWindowTextA(window, "Dorvane - untitled");
  app.helpContext = kHelpNewData;
}

void OnSave(HWND window, WPARAM wParam, LPARAM lParam) {
  auto& app = State().app;
  auto& store = Data().store;
  // In edit state the page shown is taken over first; a page that stays ends the command.
  if (app.viewEditMode == 2 && !CommitViewEditPage(window)) return;
  // A data source without a file name yet (New) is saved through Save As.
  if (TextOf(app.currentSource).empty() || store.dataChanged == 1 || !app.recordsLoaded) {
    OnSaveAs(window, wParam, lParam);
    return;
  }
  if (WriteDataSource(window, std::string(TextOf(app.currentSource)), true) == 0)
    RefreshViewEdit();
}

bool ChooseSaveName(HWND window, std::string& path) {
  auto& hook = Data().hooks.chooseFile;
  if (hook) return hook(window, FileBox::kSaveAs, path);
  std::string filter(dv::StringText(kSaveFilterId));
  const char separator = filter.empty() ? '|' : filter.back();
  for (char& c : filter)
    if (c == separator) c = '\0';
  std::array<char, kFileNameBufferSize> file{};
  OPENFILENAMEA box{};
  box.lStructSize = sizeof box;
  box.hwndOwner = window;
  box.lpstrFilter = filter.c_str();
  box.nFilterIndex = 1;
  box.lpstrFile = file.data();
  box.nMaxFile = static_cast<DWORD>(file.size());
  box.lpstrDefExt = "ged";
  box.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&box)) return false;
  path = file.data();
  return true;
}

void OnSaveAs(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  std::string path;
  if (!ChooseSaveName(window, path) || path.empty()) return;
  CopyText(app.fileNameBuffer, path);
  InvalidateRect(window, nullptr, TRUE);
  PostMessageA(window, WM_COMMAND, IDM_SAVE_NAMED, 0);
}

void OnSaveNamed(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  const std::string path(TextOf(app.fileNameBuffer));
  if (path.empty()) return;
  if (WriteDataSource(window, path, false) != 0) return;
  // The written file is the data source from now on.
  CopyText(app.currentSource, UpperPath(path));
  app.sourceOpen = 1;
  app.sourceFormat = kFormatGedcom;
  SetWindowTextA(window, WindowTitle(TextOf(app.currentSource)).c_str());
  RefreshViewEdit();
}

bool LeaveViewEditFirst(HWND window) {
  auto& app = State().app;
  if (!app.viewEditMode) return true;
  app.resumeMode = app.viewEditMode;
  SendMessageA(window, WM_COMMAND, IDM_FILE_CLOSE, 0);
  return app.viewEditMode == 0;
}

}  // namespace dv::win
