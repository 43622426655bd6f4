#include "reports/ReportDialog.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "charts/selective/BirthBriefState.h"
#include "common/StringTable.h"
#include "data/RecordStore.h"
#include "data/SelectIndividualDialog.h"
#include "reports/ReportDialogRes.h"
#include "reports/ReportText.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/GasGauge.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kListingOrderSlot = 5;  // fparam
constexpr int kFirstCheck = IDC_REPORT_NOTES;

ReportDialogSession* SessionOf(HWND dialog) {
  return reinterpret_cast<ReportDialogSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

void Show(HWND dialog, int control, bool on) {
  ShowWindow(GetDlgItem(dialog, control), on ? SW_SHOW : SW_HIDE);
}

bool Checked(HWND dialog, int control) {
  return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

bool ByLine(const ReportDialogSession& session) { return session.reportType != dv::kReportAll; }

// The base individual's display name, "" when there is none.
std::string BaseName(const ReportDialogSession& session) {
  return BaseDisplayName(session.store, Data().selection.baseIndex);
}

// Shows the base individual and fills the heading with the default one;
// "Save as file..." only with a base individual.
void ShowBase(HWND dialog, const ReportDialogSession& session) {
  const std::string name = BaseName(session);
  SetDlgItemTextA(dialog, IDC_REPORT_BASE_NAME, dv::PlainName(name).c_str());
  const std::string label(dv::StringText(kReportBaseLabels[session.reportType]));
  SetDlgItemTextA(dialog, IDC_REPORT_HEADING, dv::DefaultReportHeading(label, name).c_str());
  Enable(dialog, IDC_REPORT_SAVE, !name.empty());
}

// The main window's caption, at most 127 characters.
std::string MainCaption() {
  char caption[kMaxCaptionHeading + 1] = {};
  if (State().app.mainWindow) GetWindowTextA(State().app.mainWindow, caption, sizeof caption);
  return caption;
}

void OpenByLine(HWND dialog, ReportDialogSession& session) {
  SetWindowTextA(dialog, std::string(dv::StringText(kReportCaptions[session.reportType])).c_str());
  for (int control : {IDC_REPORT_LISTING, IDC_REPORT_ALPHABETIC, IDC_REPORT_DATABASE})
    Show(dialog, control, false);
  SetDlgItemTextA(dialog, IDC_REPORT_BASE_LABEL,
                  std::string(dv::StringText(kReportBaseLabels[session.reportType])).c_str());
  // No base chosen yet: the individual chosen last in the main window's list.
  ChartSelection& selection = Data().selection;
  if (BaseDisplayName(session.store, selection.baseIndex).empty() && Data().selectedRecord > 0 &&
      !BaseDisplayName(session.store, Data().selectedRecord).empty()) {
    selection.baseIndex = Data().selectedRecord;
    selection.baseNumber = session.store->Individual(selection.baseIndex)->id;
  }
  ShowBase(dialog, session);
}

void OpenAllIndividuals(HWND dialog) {
  for (int control : {IDC_REPORT_BASE_LABEL, IDC_REPORT_BASE_NAME, IDC_REPORT_SELECT_BASE})
    Show(dialog, control, false);
  const bool database = State().settings.fparam[kListingOrderSlot] == 1;
  CheckRadioButton(dialog, IDC_REPORT_ALPHABETIC, IDC_REPORT_DATABASE,
                   database ? IDC_REPORT_DATABASE : IDC_REPORT_ALPHABETIC);
  Enable(dialog, IDC_REPORT_MALE_LINES, false);
  SetDlgItemTextA(dialog, IDC_REPORT_HEADING, MainCaption().c_str());
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<ReportDialogSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->reportType = std::clamp(session->reportType, 0, 2);
  SendDlgItemMessageA(dialog, IDC_REPORT_HEADING, EM_LIMITTEXT, dv::kMaxHeadingLength, 0);
  const dv::ReportOptions options = dv::ReportOptions::FromSettings(State().settings);
  for (int i = 0; i < dv::ReportOptions::kCount; ++i)
    CheckDlgButton(dialog, kFirstCheck + i, options.Get(i) ? BST_CHECKED : BST_UNCHECKED);
  if (ByLine(*session) && session->store != nullptr)
    OpenByLine(dialog, *session);
  else if (ByLine(*session))
    Enable(dialog, IDC_REPORT_SAVE, false);
  else
    OpenAllIndividuals(dialog);
  Enable(dialog, IDC_REPORT_VIEW, false);
  Show(dialog, IDC_REPORT_GAUGE, false);
  return TRUE;
}

void StoreOptions(HWND dialog) {
  dv::ReportOptions options;
  for (int i = 0; i < dv::ReportOptions::kCount; ++i)
    options.Set(i, Checked(dialog, kFirstCheck + i));
  options.StoreIn(State().settings);
}

void OnSelectBase(HWND dialog, ReportDialogSession& session) {
  ChartSelection& selection = Data().selection;
  const bool chosen =
      session.chooseBase
          ? session.chooseBase(dialog, selection)
          : ChooseBaseIndividual(dialog, selection, IDC_REPORT_BASE_NAME, {IDC_REPORT_SAVE});
  if (!chosen || selection.baseIndex <= 0) return;
  ShowBase(dialog, session);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_REPORT_SAVE)),
               TRUE);
}

std::string HeadingText(HWND dialog) {
  char heading[dv::kMaxHeadingLength + 1] = {};
  GetDlgItemTextA(dialog, IDC_REPORT_HEADING, heading, sizeof heading);
  return heading;
}

// Writes the report with the gauge moving; 0 or the status of the writer.
int Write(HWND dialog, ReportDialogSession& session, const std::string& path) {
  dv::ReportRequest request;
  request.kind = dv::ReportKindOf(session.reportType, State().settings.fparam[kListingOrderSlot]);
  request.base = ByLine(session) ? Data().selection.baseIndex : 0;
  request.rtf = session.fileType == kReportFileTypeRtf;
  request.heading = HeadingText(dialog);
  request.options = dv::ReportOptions::FromSettings(State().settings);
  if (!ByLine(session)) request.options.maleLinesOnly = false;
  request.page = session.page ? session.page() : MeasureReportPage();

  HWND gauge = GetDlgItem(dialog, IDC_REPORT_GAUGE);
  const auto progress = [gauge](std::int32_t done, std::int32_t total) {
    if (done == 0) {
      SendMessageA(gauge, WM_COMMAND, kGaugeSetRange, std::max(total, 1));
      ShowWindow(gauge, SW_SHOW);
    }
    SendMessageA(gauge, WM_COMMAND, kGaugeSetPosition, done);
  };
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const int status = session.store == nullptr
                         ? dv::kReportNoList
                         : dv::WriteReport(*session.store, request, path, progress);
  SetCursor(previous);
  ShowWindow(gauge, SW_HIDE);
  return status;
}

void OnSave(HWND dialog, ReportDialogSession& session) {
  const int type = RunSaveFileDialog(dialog, kReportFilter, nullptr);
  if (type != kReportFileTypeRtf && type != kReportFileTypeText) return;
  session.fileType = type;
  const std::string path =
      dv::ReportFileName(TextOf(State().app.fileNameBuffer), type == kReportFileTypeRtf);
  CopyText(State().app.fileNameBuffer, path);
  session.lastStatus = Write(dialog, session, path);
  // Only a report written whole can be viewed; a failure is said.
  session.writtenFile = session.lastStatus == 0 ? path : std::string();
  Enable(dialog, IDC_REPORT_VIEW, session.lastStatus == 0);
  if (session.lastStatus == dv::kReportCannotOpen)
    showMessage(dialog, dv::kReportCannotOpen, false);
  else if (session.lastStatus == dv::kReportWriteFailed)
    showMessage(dialog, dv::kReportWriteFailed, false, path);
}

void OnView(HWND dialog, ReportDialogSession& session) {
  if (session.writtenFile.empty()) return;
  if (session.openFile) {
    session.openFile(dialog, session.writtenFile);
    return;
  }
  ShellExecuteA(dialog, "open", session.writtenFile.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

INT_PTR OnClose(HWND dialog) {
  StoreOptions(dialog);
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, ReportDialogSession& session, int control, int code) {
  if (control >= kFirstCheck && control < kFirstCheck + dv::ReportOptions::kCount) {
    StoreOptions(dialog);
    return TRUE;
  }
  switch (control) {
    case IDC_REPORT_ALPHABETIC:
    case IDC_REPORT_DATABASE:
      State().settings.fparam[kListingOrderSlot] = Checked(dialog, IDC_REPORT_DATABASE) ? 1 : 0;
      return TRUE;
    case IDC_REPORT_HEADING:
      if (code == EN_MAXTEXT) showMessage(dialog, kMsgEditFull, false);
      return TRUE;
    case IDC_REPORT_SELECT_BASE:
      OnSelectBase(dialog, session);
      return TRUE;
    case IDC_REPORT_SAVE:
      OnSave(dialog, session);
      return TRUE;
    case IDC_REPORT_VIEW:
      OnView(dialog, session);
      return TRUE;
    case IDC_REPORT_CLOSE:
    case IDCANCEL:
      return OnClose(dialog);
  }
  return FALSE;
}

}  // namespace

void RunReportDialog(HWND owner, int reportType) {
  ReportDialogSession session;
  session.reportType = reportType;
  session.store = LoadedRecordStore();
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kReportTemplate, owner, ReportDialogProc, reinterpret_cast<LPARAM>(&session));
}

INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(dialog, lParam);
  ReportDialogSession* session = SessionOf(dialog);
  if (session == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
      return OnClose(dialog);
  }
  return FALSE;
}

dv::ReportPage MeasureReportPage() {
  const dv::Settings& settings = State().settings;
  dv::ReportPage page = dv::ReportPageOf(settings, 96);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return page;
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  page.font = dv::ReportFontOf(settings.fonts[dv::kChartFont], dpiY);
  // "Children: " measured in the chart font at the report's size.
  LOGFONTA logFont{};
  static_assert(sizeof(LOGFONTA) == sizeof(dv::FontRecord::bytes));
  std::memcpy(&logFont, settings.fonts[dv::kChartFont].bytes.data(), sizeof logFont);
  logFont.lfHeight = -MulDiv(page.font.pointSize, dpiY, 72);
  logFont.lfWidth = 0;
  HFONT font = CreateFontIndirectA(&logFont);
  if (font != nullptr) {
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    if (GetTextExtentPoint32A(screen, "Children: ", 10, &size) && dpiX > 0)
      page.font.childrenWidthTwips = MulDiv(size.cx, 1440, dpiX);
    SelectObject(screen, old);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, screen);
  return page;
}

}  // namespace dv::win
