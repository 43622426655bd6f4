#include "data/viewedit/ViewEditFrame.h"

#include <commctrl.h>

#include <string>

#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/EditFileDialog.h"
#include "data/viewedit/FamilyDetailsPage.h"
#include "data/viewedit/FamilyPage.h"
#include "data/viewedit/HeaderPage.h"
#include "data/viewedit/IndividualDetailsPage.h"
#include "data/viewedit/IndividualPage.h"
#include "data/viewedit/ListPanel.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/PedigreePage.h"
#include "data/viewedit/PicturePage.h"
#include "data/viewedit/RepositoryPage.h"
#include "data/viewedit/SourceCitationPanel.h"
#include "data/viewedit/SourcePage.h"
#include "output/GdiGuards.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/ShowMessage.h"

namespace dv::win {

using dv::viewedit::Answer;
using dv::viewedit::Session;
using dv::viewedit::Tab;

namespace {

constexpr int kToolbarId = 90;
constexpr int kTabsId = 91;
constexpr int kSubTabsId = 92;
constexpr int kToolbarLabels = 350;
constexpr int kTabLabels = 351;
constexpr int kSubTabLabels = 352;

// Toolbar buttons in order, with the tooltip of each.
struct ToolButton {
  int command;
  int tooltip;
};
constexpr ToolButton kToolButtons[] = {
    {IDM_VIEWEDIT_TO_VIEW, 166}, {IDM_VIEWEDIT_TO_EDIT, 167}, {IDM_FILE_SAVE, 168},
    {IDM_VIEWEDIT_PREVIOUS, 169}, {IDM_VIEWEDIT_NEXT, 170},  {IDM_FILE_CLOSE, 163},
    {IDM_HELP_HELP, 171}};

bool tooltipsOn = true;

HWND CreateChild(HWND window, const char* cls, DWORD style, int id) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void InsertTab(HWND tabs, int position, const std::string& text) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  std::string copy = text;
  item.pszText = copy.data();
  SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

void CreateToolbar(HWND window, ViewEditWindows& ve) {
  ve.toolbar = CreateChild(window, TOOLBARCLASSNAMEA,
                           WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP,
                           kToolbarId);
  if (!ve.toolbar) return;
  SendMessageA(ve.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(ve.toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  // Labels only on a screen at least 100 dialog base units wide.
  const int baseX = LOWORD(GetDialogBaseUnits());
  const bool labelled = baseX > 0 && GetSystemMetrics(SM_CXSCREEN) / baseX >= 100;
  TBBUTTON buttons[std::size(kToolButtons)]{};
  for (std::size_t i = 0; i < std::size(kToolButtons); ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = kToolButtons[i].command;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    if (labelled) {
      std::string label = LabelPart(kToolbarLabels, static_cast<int>(i));
      label.push_back('\0');
      label.push_back('\0');
      buttons[i].iString =
          SendMessageA(ve.toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(label.c_str()));
    } else {
      buttons[i].iString = -1;
    }
  }
  SendMessageA(ve.toolbar, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageA(ve.toolbar, TB_AUTOSIZE, 0, 0);
}

void CreateTabs(HWND window, ViewEditWindows& ve, int mode) {
  ve.tabs = CreateChild(window, WC_TABCONTROLA, WS_VISIBLE, kTabsId);
  ve.subTabs = CreateChild(window, WC_TABCONTROLA, 0, kSubTabsId);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (HWND t : {ve.tabs, ve.subTabs}) SendMessageA(t, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  const int count = mode == 1 ? 6 : 5;
  for (int i = 0; i < count; ++i) InsertTab(ve.tabs, i, LabelPart(kTabLabels, i));
  for (int i = 0; i < 3; ++i) InsertTab(ve.subTabs, i, LabelPart(kSubTabLabels, i));
}

// The page dialog of the current tab and sub-tab.
HWND CreatePageFor(HWND window, Tab tab, int subTab) {
  switch (tab) {
    case Tab::kHeader:
      return CreateHeaderPage(window);
    case Tab::kIndividual:
      if (subTab == kSubMultimedia) return CreatePicturePage(window, tab);
      return subTab == kSubDetails ? CreateIndividualDetailsPage(window)
                                   : CreateIndividualPage(window);
    case Tab::kFamily:
      if (subTab == kSubMultimedia) return CreatePicturePage(window, tab);
      return subTab == kSubDetails ? CreateFamilyDetailsPage(window) : CreateFamilyPage(window);
    case Tab::kSource:
      return CreateSourcePage(window);
    case Tab::kRepository:
      return CreateRepositoryPage(window);
    case Tab::kPedigree:
      return CreatePedigreePage(window);
  }
  return nullptr;
}

bool HasSubTabs(Tab tab) { return tab == Tab::kIndividual || tab == Tab::kFamily; }

// The page dialog for the session's tab, laid out and filled.
void ShowCurrentTab() {
  auto& ve = ViewEdit();
  if (!ve.session) return;
  HWND window = State().app.mainWindow;
  const Tab tab = ve.session->CurrentTab();
  if (ve.tabs && SendMessageA(ve.tabs, TCM_GETCURSEL, 0, 0) != static_cast<int>(tab))
    SendMessageA(ve.tabs, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  if (!HasSubTabs(tab)) ve.subTab = kSubMain;
  if (ve.citation) DestroyWindow(ve.citation);
  ve.citation = nullptr;
  if (ve.subTabs) SendMessageA(ve.subTabs, TCM_SETCURSEL, static_cast<WPARAM>(ve.subTab), 0);
  if (ve.page) DestroyWindow(ve.page);
  ve.page = CreatePageFor(window, tab, ve.subTab);
  State().app.viewEditDialog = ve.page;
  if (ve.list) ListPanelSetTab(ve.list, tab);
  LayoutViewEdit(window);
  if (ve.page) {
    SendMessageA(ve.page, kFillPage, 0, 0);
    ShowWindow(ve.page, SW_SHOW);
  }
  UpdateToolbar();
}

// The record the mode opens on: the one chosen before, else the first in key order.
std::int32_t FirstIndividual() {
  const auto& store = Data().store;
  const std::int32_t chosen = Data().selectedRecord;
  if (chosen > 0 && store.Individual(chosen) && store.Individual(chosen)->line) return chosen;
  for (const auto& key : store.Kind(dv::kIndi).keys)
    if (key.index > 0 && store.Individual(key.index) && store.Individual(key.index)->line)
      return key.index;
  return 0;
}

void OpenMode(HWND window, int mode) {
  auto& app = State().app;
  auto& ve = ViewEdit();
  ve.session = std::make_unique<Session>(Data().store);
  if (ve.session->Open(mode) != 0) {
    ve.session.reset();
    ShowError(window, 1);
    return;
  }
  app.viewEditMode = static_cast<std::int16_t>(mode);
  app.helpContext = kHelpViewEdit;
  tooltipsOn = State().settings.fparam[2] != 0;
  ve.subTab = kSubMain;
  ve.listIndividual = 0;
  CreateToolbar(window, ve);
  CreateTabs(window, ve, mode);
  ve.list = CreateListPanel(window);
  if (std::int32_t first = FirstIndividual()) ve.session->ShowIndividual(first);
  ve.session->SetTab(Tab::kIndividual);
  ShowCurrentTab();
  InvalidateRect(window, nullptr, TRUE);
}

void DestroyFrame() {
  auto& ve = ViewEdit();
  for (HWND* w : {&ve.citation, &ve.page, &ve.list, &ve.subTabs, &ve.tabs, &ve.toolbar}) {
    if (*w) DestroyWindow(*w);
    *w = nullptr;
  }
  State().app.viewEditDialog = nullptr;
}

// Switching between view and edit: the Pedigree tab comes and goes.
void SwitchState(HWND window, int mode) {
  auto& ve = ViewEdit();
  if (!ve.session || ve.session->Mode() == mode) return;
  if (!CommitViewEditPage(window)) return;
  ve.session->SetMode(mode);
  State().app.viewEditMode = static_cast<std::int16_t>(mode);
  if (mode == 1)
    InsertTab(ve.tabs, 5, LabelPart(kTabLabels, 5));
  else
    SendMessageA(ve.tabs, TCM_DELETEITEM, 5, 0);
  ve.listIndividual = 0;
  ShowCurrentTab();
}

// The family to show when the Family tab is chosen with none on it: the
// first marriage of the individual shown, else that individual's parents.
void ShowFamilyOfIndividual(Session& session) {
  const auto& store = Data().store;
  if (session.Page(Tab::kFamily).record || session.Page(Tab::kFamily).mark) return;
  const std::int32_t person = session.Page(Tab::kIndividual).index;
  const dv::IndividualSummary* s = person ? store.Individual(person) : nullptr;
  if (!s) return;
  const std::int32_t family = s->spouseFamily ? s->spouseFamily : s->parentFamily;
  if (family) session.ShowFamily(family);
}

// A Source or Repository tab chosen with nothing on it shows the first
// record of its list.
void ShowFirstRecordOf(Session& session, Tab tab) {
  const dv::RecordKind kind = tab == Tab::kSource ? dv::kSour : dv::kRepo;
  const auto& page = session.Page(tab);
  if (page.record || page.mark) return;
  const dv::KindIndex& keys = Data().store.Kind(kind);
  if (!keys.exists || keys.keys.empty()) return;
  const std::int32_t first = keys.keys.front().index;
  if (tab == Tab::kSource)
    session.ShowSource(first);
  else
    session.ShowRepository(first);
}

}  // namespace

ViewEditWindows& ViewEdit() {
  static ViewEditWindows windows;
  return windows;
}

Session* ViewEditSession() { return ViewEdit().session.get(); }

bool EditState() { return ViewEdit().session && ViewEdit().session->Mode() == 2; }

void OnFileEdit(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  if (app.viewEditMode == 1) {
    PostMessageA(window, WM_COMMAND, IDM_VIEWEDIT_TO_EDIT, 0);
    return;
  }
  if (app.viewEditMode) return;
  // A chart file is plain text: it is edited in the text editor.
  if (app.sourceFormat != kFormatGedcom) {
    if (!TextOf(app.currentSource).empty()) RunEditFileDialog(window);
    return;
  }
  if (!app.recordsLoaded) return;
  OpenMode(window, 2);
}

void OnFileView(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  if (app.viewEditMode == 2) {
    PostMessageA(window, WM_COMMAND, IDM_VIEWEDIT_TO_VIEW, 0);
    return;
  }
  if (app.viewEditMode || app.sourceFormat != kFormatGedcom || !app.recordsLoaded) return;
  OpenMode(window, 1);
}

void OnCloseViewEdit(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  // Without its session the mode has nothing to close (and stays as it is).
  if (!app.viewEditMode || !ViewEditSession()) return;
  Data().selectedRecord = 0;
  SendMessageA(window, WM_COMMAND, IDM_VIEWEDIT_LEAVE, 0);
  if (TextOf(app.currentSource).empty()) SetWindowTextA(window, "Dorvane");
  InvalidateRect(window, nullptr, TRUE);
}

void OnSwitchToView(HWND window, WPARAM, LPARAM) { SwitchState(window, 1); }
void OnSwitchToEdit(HWND window, WPARAM, LPARAM) { SwitchState(window, 2); }

void OnPreviousRecord(HWND window, WPARAM, LPARAM) {
  auto* session = ViewEditSession();
  if (!session || !session->CanBack() || !CommitViewEditPage(window)) return;
  session->Back();
  ShowCurrentTab();
}

void OnNextRecord(HWND window, WPARAM, LPARAM) {
  auto* session = ViewEditSession();
  if (!session || !session->CanForward() || !CommitViewEditPage(window)) return;
  session->Forward();
  ShowCurrentTab();
}

void OnLeaveViewEdit(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  auto* session = ViewEditSession();
  if (!app.viewEditMode || !session) return;
  if (!CommitViewEditPage(window)) return;
  if (const int question = session->CloseQuestion()) {
    const int answer = AskYesNoCancel(window, question);
    if (answer == IDCANCEL) return;
    if (answer == IDYES) SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
  }
  DestroyFrame();
  session->Close();
  ViewEdit().session.reset();
  app.viewEditMode = 0;
  if (TextOf(app.currentSource).empty() && Data().store.dataChanged != 1)
    SetWindowTextA(window, "Dorvane");
  InvalidateRect(window, nullptr, TRUE);
}

void ResetViewEdit() {
  auto& ve = ViewEdit();
  DestroyFrame();
  if (ve.session) ve.session->Close();
  ve.session.reset();
  ve.listIndividual = 0;
  ve.subTab = kSubMain;
  State().app.viewEditMode = 0;
}

bool CommitViewEditPage(HWND owner) {
  auto* session = ViewEditSession();
  if (!session) return true;
  const int question = session->CommitQuestion();
  if (!question) return true;
  const int answer = AskYesNoCancel(owner, question);
  const Answer a = answer == IDYES ? Answer::kYes : answer == IDNO ? Answer::kNo : Answer::kCancel;
  const int result = session->Commit(a);
  if (result == -1) return false;
  if (result > 0) {
    ShowError(owner, result, result == 10 ? session->CurrentPage().missing : std::string());
    return false;
  }
  if (ViewEdit().list) ListPanelReload(ViewEdit().list);
  RefreshViewEdit();
  return true;
}

void RefreshViewEdit() {
  auto& ve = ViewEdit();
  if (!ve.session) return;
  if (ve.page) SendMessageA(ve.page, kFillPage, 0, 0);
  if (ve.citation && !Filling()) SendMessageA(ve.citation, kFillPage, 0, 0);
  UpdateToolbar();
}

void OpenCitationPanel(const char* prefix) {
  auto& ve = ViewEdit();
  if (!ve.session) return;
  HWND window = State().app.mainWindow;
  if (ve.citation) DestroyWindow(ve.citation);
  ve.citation = CreateSourceCitationPanel(window, ve.session->CurrentTab(), prefix);
  LayoutViewEdit(window);
  if (ve.citation) {
    SendMessageA(ve.citation, kFillPage, 0, 0);
    ShowWindow(ve.citation, SW_SHOW);
  }
}

void CloseCitationPanel() {
  auto& ve = ViewEdit();
  if (ve.citation) DestroyWindow(ve.citation);
  ve.citation = nullptr;
  if (ve.session) LayoutViewEdit(State().app.mainWindow);
}

void UpdateToolbar() {
  auto& ve = ViewEdit();
  if (!ve.session || !ve.toolbar) return;
  const dv::viewedit::ToolbarState t = ve.session->Toolbar();
  auto enable = [&](int id, bool on) {
    SendMessageA(ve.toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(on ? 1 : 0, 0));
  };
  enable(IDM_VIEWEDIT_TO_VIEW, t.view);
  enable(IDM_VIEWEDIT_TO_EDIT, t.edit);
  enable(IDM_VIEWEDIT_PREVIOUS, t.back);
  enable(IDM_VIEWEDIT_NEXT, t.forward);
}

bool NavigateTo(Tab tab, std::int32_t index) {
  auto& ve = ViewEdit();
  if (!ve.session || index <= 0) return false;
  HWND window = State().app.mainWindow;
  if (!CommitViewEditPage(window)) return false;
  const Tab before = ve.session->CurrentTab();
  int result = -1;
  switch (tab) {
    case Tab::kIndividual:
    case Tab::kPedigree:
      result = ve.session->ShowIndividual(index);
      break;
    case Tab::kFamily:
      result = ve.session->ShowFamily(index);
      break;
    case Tab::kSource:
      result = ve.session->ShowSource(index);
      break;
    case Tab::kRepository:
      result = ve.session->ShowRepository(index);
      break;
    case Tab::kHeader:
      result = ve.session->ShowHeader();
      break;
  }
  if (result != 0) return false;
  if (tab == Tab::kPedigree) ve.session->SetTab(Tab::kPedigree);
  if (before != ve.session->CurrentTab())
    ShowCurrentTab();
  else
    RefreshViewEdit();
  return true;
}

bool NewShownRecord(HWND owner) {
  auto* session = ViewEditSession();
  if (!session || !EditState() || !CommitViewEditPage(owner)) return false;
  session->NewRecord();
  RefreshViewEdit();
  return true;
}

bool StoreShownPage(HWND owner) {
  auto* session = ViewEditSession();
  if (!session || !session->CommitQuestion()) return false;
  const int result = session->Commit(Answer::kYes);
  if (result > 0) {
    ShowError(owner, result, result == 10 ? session->CurrentPage().missing : std::string());
    return false;
  }
  if (ViewEdit().list) ListPanelReload(ViewEdit().list);
  RefreshViewEdit();
  return true;
}

bool DeleteShownRecord(HWND owner) {
  auto* session = ViewEditSession();
  if (!session || !EditState()) return false;
  const dv::viewedit::DeleteVerdict verdict = session->CanDeleteCurrent();
  if (verdict.refusal > 0) showMessage(owner, verdict.refusal, false);
  if (verdict.refusal) return false;
  if (showMessage(owner, verdict.question, true) != 0) return false;
  const int result = session->DeleteCurrent();
  if (result > 0) {
    ShowError(owner, result);
    return false;
  }
  // A chart selection naming the deleted person goes too.
  auto& selection = Data().selection;
  if (session->LastDeletedIndividual() && selection.baseIndex == session->LastDeletedIndividual())
    selection = ChartSelection{};
  if (ViewEdit().listIndividual == session->LastDeletedIndividual()) ViewEdit().listIndividual = 0;
  if (ViewEdit().list) ListPanelReload(ViewEdit().list);
  RefreshViewEdit();
  return true;
}

LRESULT OnViewEditNotify(HWND window, const NMHDR* header) {
  auto& ve = ViewEdit();
  if (!ve.session || !header) return 0;
  if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
    if (!tooltipsOn) return 0;
    for (const ToolButton& b : kToolButtons) {
      if (static_cast<UINT_PTR>(b.command) != header->idFrom) continue;
      const std::string text(dv::StringText(b.tooltip));
      if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(header));
        lstrcpynA(info->szText, text.c_str(), static_cast<int>(std::size(info->szText)));
        info->lpszText = info->szText;
        info->hinst = nullptr;
      } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info->szText,
                            static_cast<int>(std::size(info->szText)));
        info->szText[std::size(info->szText) - 1] = L'\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
      }
    }
    return 0;
  }
  if (header->hwndFrom == ve.tabs) {
    if (header->code == TCN_SELCHANGING) return CommitViewEditPage(window) ? FALSE : TRUE;
    if (header->code == TCN_SELCHANGE) {
      const int chosen = static_cast<int>(SendMessageA(ve.tabs, TCM_GETCURSEL, 0, 0));
      if (chosen < 0) return 0;
      const Tab tab = static_cast<Tab>(chosen);
      ve.session->SetTab(tab);
      if (tab == Tab::kFamily) ShowFamilyOfIndividual(*ve.session);
      if (tab == Tab::kHeader) ve.session->ShowHeader();
      if (tab == Tab::kSource || tab == Tab::kRepository) ShowFirstRecordOf(*ve.session, tab);
      ShowCurrentTab();
      RECT client{};
      GetClientRect(window, &client);
      SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
      if (ve.page) ShowWindow(ve.page, SW_SHOW);
    }
    return 0;
  }
  if (header->hwndFrom == ve.subTabs && header->code == TCN_SELCHANGE) {
    const int chosen = static_cast<int>(SendMessageA(ve.subTabs, TCM_GETCURSEL, 0, 0));
    if (chosen < 0) return 0;
    ve.subTab = chosen;
    ShowCurrentTab();
  }
  return 0;
}

void LayoutViewEdit(HWND window) {
  auto& ve = ViewEdit();
  if (!ve.session || !ve.tabs) return;
  RECT client{};
  GetClientRect(window, &client);
  int top = 0;
  if (ve.toolbar) {
    SendMessageA(ve.toolbar, TB_AUTOSIZE, 0, 0);
    RECT r{};
    GetWindowRect(ve.toolbar, &r);
    top = r.bottom - r.top;
  }
  int bottom = client.bottom;
  if (HWND bar = State().ui.statusBar; bar && IsWindowVisible(bar)) {
    RECT r{};
    GetWindowRect(bar, &r);
    bottom -= r.bottom - r.top;
  }
  MoveWindow(ve.tabs, 0, top, client.right, bottom - top, TRUE);
  RECT area{0, top, client.right, bottom};
  SendMessageA(ve.tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const Tab tab = ve.session->CurrentTab();
  const bool panelShown = tab != Tab::kHeader;
  // The citation panel, while open, takes the list panel's place.
  HWND panel = ve.citation ? ve.citation : ve.list;
  if (ve.list && ve.citation) ShowWindow(ve.list, SW_HIDE);
  if (panel) {
    ShowWindow(panel, panelShown ? SW_SHOW : SW_HIDE);
    if (panelShown) {
      const int width = NarrowListPanel() ? kNarrowListPanelWidth : kListPanelWidth;
      MoveWindow(panel, area.left, area.top, width, area.bottom - area.top, TRUE);
      area.left += width + 4;
    }
  }
  if (HasSubTabs(tab)) {
    ShowWindow(ve.subTabs, SW_SHOW);
    MoveWindow(ve.subTabs, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    SetWindowPos(ve.subTabs, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageA(ve.subTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  } else {
    ShowWindow(ve.subTabs, SW_HIDE);
  }
  if (panel) SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (ve.page) {
    MoveWindow(ve.page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    SetWindowPos(ve.page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void SetViewEditTooltips(bool on) {
  tooltipsOn = on;
  if (HWND toolbar = ViewEdit().toolbar)
    if (HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0)))
      SendMessageA(tips, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

}  // namespace dv::win
