#include "data/DataSourceDialog.h"

#include <commdlg.h>

#include <string>

#include "charts/selective/ChartFileFormat.h"
#include "common/StringTable.h"
#include "data/DataSourceDialogRes.h"
#include "data/DataState.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/GasGauge.h"
#include "shell/Help.h"
#include "shell/MainWindow.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kPathLimit = 256;  // currentSource holds 255 characters and its NUL

DataSourceSession* SessionOf(HWND dialog) {
  return reinterpret_cast<DataSourceSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Post(HWND dialog, int command) { PostMessageA(dialog, WM_COMMAND, command, 0); }

void Close(HWND dialog, DataSourceSession& session, INT_PTR result) {
  session.ended = result == IDOK;
  if (session.modal) {
    EndDialog(dialog, result);
  } else {
    DestroyWindow(dialog);
  }
}

std::string FieldText(HWND dialog, int id) {
  char buffer[kPathLimit + 1] = {};
  GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
  return buffer;
}

void SelectFormat(HWND dialog, int format) {
  CheckRadioButton(dialog, IDC_DS_GEDCOM, IDC_DS_TREE, IDC_DS_BIRTH_BRIEF - format);
}

void SetBusy(HWND dialog, bool busy) {
  EnableWindow(GetDlgItem(dialog, IDC_DS_CANCEL), !busy);
  EnableWindow(dialog, !busy);
  SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// Tells the main window to rebuild its recent-file items; both words of
// lParam carry the index of the last entry now present.
void AnnounceRecentFiles(int last) {
  if (HWND main = State().app.mainWindow) {
    SendMessageA(main, WM_COMMAND, IDM_RECENT_REBUILD, MAKELPARAM(last, last));
  }
}

void AddToRecentFiles(std::string_view path) {
  AnnounceRecentFiles(dv::AddRecentFile(State().settings, path));
}

void SetMainTitle(const std::string& title) {
  if (HWND main = State().app.mainWindow) SetWindowTextA(main, title.c_str());
}

// The data source is gone: nothing open, nothing loaded.
void ForgetDataSource() {
  auto& app = State().app;
  app.recordsLoaded = 0;
  app.sourceOpen = 0;
  CopyText(app.currentSource, "");
  SetMainTitle("Dorvane");
}

BOOL OnInitDialog(HWND dialog, DataSourceSession* session) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  const auto& app = State().app;
  std::string path = session->pendingPath.empty() ? std::string(TextOf(app.currentSource))
                                                  : UpperPath(session->pendingPath);
  SendDlgItemMessageA(dialog, IDC_DS_PATH, EM_LIMITTEXT, kPathLimit - 1, 0);
  SetDlgItemTextA(dialog, IDC_DS_PATH, path.c_str());
  SelectFormat(dialog, path.empty() ? app.sourceFormat : ChartFormatOfPath(path));
  if (!path.empty()) State().app.sourceFormat = ChartFormatOfPath(path);
  ShowWindow(GetDlgItem(dialog, IDC_DS_GAUGE), SW_HIDE);
  if (session->autoOpen) Post(dialog, IDC_DS_OK);
  return TRUE;
}

// OK: closes the current data source and starts loading the named file.
void OnOk(HWND dialog, DataSourceSession& session) {
  auto& app = State().app;
  auto& data = Data();
  if (data.store.dataChanged != 0 && showMessage(dialog, 134, true) != 0) return;
  data.store.dataChanged = 0;
  data.selection = ChartSelection{};
  const std::string field = FieldText(dialog, IDC_DS_PATH);
  if (!field.empty()) {
    // The file open so far goes to the front of the recent files.
    std::string_view current = TextOf(app.currentSource);
    if (!current.empty() && current != State().settings.recentFiles[0]) AddToRecentFiles(current);
    CopyText(app.currentSource, UpperPath(field));
    app.sourceOpen = 1;
    app.sourceFormat = ChartFormatOfPath(TextOf(app.currentSource));
  } else {
    app.sourceOpen = 0;
  }
  if (app.sourceOpen && app.sourceFormat == kFormatGedcom) {
    Post(dialog, IDC_DS_LOAD_START);
    return;
  }
  // A chart file or no file: the GEDCOM data held so far is closed too, so
  // that nothing offers to view or chart records that no longer belong to
  // the data source.
  data.store.Clear();
  app.recordsLoaded = 0;
  Post(dialog, IDC_DS_LOAD_END);
}

void OnBrowse(HWND dialog) {
  std::string path;
  auto& hook = Data().hooks.chooseFile;
  if (hook) {
    if (!hook(dialog, FileBox::kDataSource, path)) return;
  } else {
    std::string filter(dv::StringText(kBrowseFilterId));
    const char separator = filter.empty() ? '|' : filter.back();
    for (char& c : filter)
      if (c == separator) c = '\0';
    std::string title(dv::StringText(kBrowseTitleId));
    char file[kPathLimit + 1] = {};
    OPENFILENAMEA box{};
    box.lStructSize = sizeof box;
    box.hwndOwner = dialog;
    box.lpstrFilter = filter.c_str();
    box.nFilterIndex = 1;
    box.lpstrFile = file;
    box.nMaxFile = sizeof file;
    box.lpstrTitle = title.c_str();
    box.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&box)) return;
    path = file;
  }
  path = UpperPath(path);
  SetDlgItemTextA(dialog, IDC_DS_PATH, path.c_str());
  State().app.sourceFormat = ChartFormatOfPath(path);
  SelectFormat(dialog, State().app.sourceFormat);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_DS_OK)),
               TRUE);
}

// Start: closes the data source, reads and numbers the file's records.
void OnLoadStart(HWND dialog, DataSourceSession& session) {
  auto& app = State().app;
  auto& data = Data();
  const auto& fparam = State().settings.fparam;
  app.recordsLoaded = 0;
  SetBusy(dialog, true);
  dv::LoadOptions options;
  options.namesLast = fparam[20] != 0;
  options.combineSources = fparam[19] != 0;
  session.loader = std::make_unique<dv::DataSourceLoader>(data.store);
  const int result = session.loader->Start(std::string(TextOf(app.currentSource)), options);
  if (result != 0) {
    session.loader.reset();
    data.store.Clear();
    ForgetDataSource();
    SetBusy(dialog, false);
    showMessage(dialog, result, false);
    return;
  }
  HWND gauge = GetDlgItem(dialog, IDC_DS_GAUGE);
  SendMessageA(gauge, WM_COMMAND, kGaugeSetRange, session.loader->Total());
  SendMessageA(gauge, WM_COMMAND, kGaugeSetPosition, 0);
  ShowWindow(gauge, SW_SHOW);
  Post(dialog, IDC_DS_LOAD_STEP);
}

void OnLoadStep(HWND dialog, DataSourceSession& session) {
  if (!session.loader) return;
  const std::int32_t progress = session.loader->Step();
  if (progress < 0) {
    Post(dialog, IDC_DS_LOAD_FINISH);
    return;
  }
  SendDlgItemMessageA(dialog, IDC_DS_GAUGE, WM_COMMAND, kGaugeSetPosition, progress);
  Post(dialog, IDC_DS_LOAD_STEP);
}

void OnLoadFinish(HWND dialog, DataSourceSession& session) {
  if (!session.loader) return;
  SetBusy(dialog, false);
  ShowWindow(GetDlgItem(dialog, IDC_DS_GAUGE), SW_HIDE);
  session.summary = session.loader->Finish();
  // Memory ran out while the summaries were built: the loader has closed
  // the data source, as after a failed start.
  if (const int failure = session.loader->Failure()) {
    session.loader.reset();
    Data().store.Clear();
    ForgetDataSource();
    showMessage(dialog, failure, false);
    return;
  }
  const int warning = session.loader->Warning();
  session.loader.reset();
  session.loaded = true;
  State().app.recordsLoaded = 1;
  // Shown even when the summary is not: the file was read only in part.
  if (warning) showMessage(dialog, warning, false);
  const bool quiet = session.autoOpen && State().settings.fparam[0] != 0;
  if (!quiet)
    ShowMessageBox(dialog, session.summary.c_str(), "Dorvane", MB_ICONINFORMATION | MB_OK);
  Post(dialog, IDC_DS_LOAD_END);
}

// End: the title and the recent files follow the data source; the dialog closes.
void OnLoadEnd(HWND dialog, DataSourceSession& session) {
  auto& app = State().app;
  if (app.sourceOpen && !TextOf(app.currentSource).empty()) {
    SetMainTitle(WindowTitle(TextOf(app.currentSource)));
    AddToRecentFiles(TextOf(app.currentSource));
  } else {
    app.sourceOpen = 0;
    SetMainTitle("Dorvane");
  }
  Close(dialog, session, IDOK);
}

void OnPathNotify(HWND dialog, int code) {
  if (code == EN_ERRSPACE || code == EN_MAXTEXT) showMessage(dialog, 22, false);
}

INT_PTR OnCommand(HWND dialog, DataSourceSession& session, int id, int code) {
  switch (id) {
    case IDC_DS_PATH:
      OnPathNotify(dialog, code);
      return TRUE;
    case IDC_DS_GEDCOM:
    case IDC_DS_BIRTH_BRIEF:
    case IDC_DS_TREE:
      State().app.sourceFormat = IDC_DS_BIRTH_BRIEF - id;
      return TRUE;
    case IDC_DS_OK:
      OnOk(dialog, session);
      return TRUE;
    case IDC_DS_BROWSE:
      OnBrowse(dialog);
      return TRUE;
    case IDCANCEL:
    case IDC_DS_CANCEL:
      if (!session.loader) Close(dialog, session, IDCANCEL);
      return TRUE;
    case IDC_DS_LOAD_START:
      OnLoadStart(dialog, session);
      return TRUE;
    case IDC_DS_LOAD_STEP:
      OnLoadStep(dialog, session);
      return TRUE;
    case IDC_DS_LOAD_FINISH:
      OnLoadFinish(dialog, session);
      return TRUE;
    case IDC_DS_LOAD_END:
      OnLoadEnd(dialog, session);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

std::string UpperPath(std::string_view path) {
  std::string text(path.substr(0, kPathLimit - 1));
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool RunDataSourceDialog(HWND owner, DataSourceSession& session) {
  HelpContextScope help(kHelpDataSource);
  session.modal = true;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kDataSourceTemplate, owner, DataSourceDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.ended;
}

INT_PTR CALLBACK DataSourceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(dialog, reinterpret_cast<DataSourceSession*>(lParam));
  DataSourceSession* session = SessionOf(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
      return OnCommand(dialog, *session, IDCANCEL, 0);
  }
  return FALSE;
}

}  // namespace dv::win
