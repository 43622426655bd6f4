#include "data/viewedit/ListPanel.h"

#include <commctrl.h>

#include <string>

#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/Lists.h"
#include "data/viewedit/ListPanelRes.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/ViewEditFrame.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {

using dv::viewedit::Tab;

namespace {

constexpr int kNoUnlinkedMessage = 303;
constexpr int kSourceCaption = 372;
constexpr int kRepositoryCaption = 373;
constexpr int kListWord = 374;

struct PanelState {
  dv::RecordKind kind = dv::kIndi;
  Tab tab = Tab::kIndividual;
  bool unlinkedOnly = false;
  HWND tooltips = nullptr;
};
PanelState panel;

const dv::KindIndex& Keys() { return Data().store.Kind(panel.kind); }

int RowCount() {
  auto* session = ViewEditSession();
  if (panel.unlinkedOnly && session) return session->Unlinked().Count();
  const dv::KindIndex& kind = Keys();
  return kind.exists && kind.hasKeys ? dv::KeyCount(kind) : 0;
}

// The key-list position of a row.
int KeyPosition(int row) {
  auto* session = ViewEditSession();
  if (row < 0 || row >= RowCount()) return -1;
  if (panel.unlinkedOnly && session) return session->Unlinked().Position(row);
  return row;
}

void SetRowCount(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_LIST_ROWS);
  SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(RowCount()), 0);
  InvalidateRect(list, nullptr, TRUE);
}

void OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int position = KeyPosition(static_cast<int>(item.itemID));
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (position < 0 || position >= static_cast<int>(Keys().keys.size())) return;
  const char* key = Keys().keys[static_cast<std::size_t>(position)].key;
  if (!key) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const int indent = GetSystemMetrics(SM_CXSCREEN) < 801 ? 2 : 4;
  TextOutA(dc, item.rcItem.left + indent, item.rcItem.top, key, lstrlenA(key));
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

void OnMeasureItem(HWND dialog, MEASUREITEMSTRUCT& item) {
  HDC dc = GetDC(dialog);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  if (old) SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  item.itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading);
}

// A row chosen: the record on the current tab.
void OnChoose(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_LIST_ROWS);
  const int row = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  const std::int32_t index = ListPanelRecord(row);
  auto& ve = ViewEdit();
  if (!index || !ve.session) return;
  switch (panel.tab) {
    case Tab::kFamily:
      if (EditState()) {
        ve.listIndividual = index;
        if (ve.page) SendMessageA(ve.page, kListChoice, static_cast<WPARAM>(index), 0);
      } else if (const dv::IndividualSummary* s = Data().store.Individual(index)) {
        const std::int32_t family = s->spouseFamily ? s->spouseFamily : s->parentFamily;
        if (family) NavigateTo(Tab::kFamily, family);
      }
      return;
    case Tab::kHeader:
      return;
    default:
      NavigateTo(panel.tab, index);
  }
}

void OnSearch(HWND dialog) {
  char text[64] = {};
  GetDlgItemTextA(dialog, IDC_LIST_SEARCH, text, sizeof text);
  const std::string wanted = dv::SearchText(text);
  int row = 0;
  auto* session = ViewEditSession();
  if (panel.unlinkedOnly && session)
    row = session->Unlinked().Search(Data().store, text);
  else
    row = dv::FindKeyPosition(Keys(), wanted);
  const int count = RowCount();
  if (row >= count) row = count - 1;
  if (row >= 0) SendDlgItemMessageA(dialog, IDC_LIST_ROWS, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
}

void SetUnlinked(HWND dialog, bool unlinked) {
  auto* session = ViewEditSession();
  if (unlinked && session && session->Unlinked().Empty()) {
    HelpContextScope help(kHelpMessageBox);
    ShowMessageBox(dialog, std::string(dv::StringText(kNoUnlinkedMessage)).c_str(), "Dorvane",
                   MB_OK | MB_ICONINFORMATION);
  }
  panel.unlinkedOnly = unlinked;
  {
    FillingScope filling;
    SetDlgItemTextA(dialog, IDC_LIST_SEARCH, "");
  }
  CheckRadioButton(dialog, IDC_LIST_ALL, IDC_LIST_UNLINKED, unlinked ? IDC_LIST_UNLINKED : IDC_LIST_ALL);
  SetRowCount(dialog);
}

void UpdateListTooltip(HWND dialog) {
  if (!panel.tooltips) return;
  int id = 367;
  if (panel.tab == Tab::kFamily) id = EditState() ? 369 : 368;
  std::string text(dv::StringText(id));
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = dialog;
  info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_LIST_ROWS));
  info.lpszText = text.data();
  SendMessageA(panel.tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void OnSize(HWND dialog, int width, int height) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, IDC_LIST_ALL), &r);
  const int radio = r.bottom - r.top;
  GetWindowRect(GetDlgItem(dialog, IDC_LIST_ROWS), &r);
  POINT top{r.left, r.top};
  ScreenToClient(dialog, &top);
  const int listBottom = height - 2 * radio - 12;
  MoveWindow(GetDlgItem(dialog, IDC_LIST_ROWS), top.x, top.y, width - 2 * top.x,
             listBottom - top.y, TRUE);
  MoveWindow(GetDlgItem(dialog, IDC_LIST_ALL), top.x, listBottom + 4, width - 2 * top.x, radio, TRUE);
  MoveWindow(GetDlgItem(dialog, IDC_LIST_UNLINKED), top.x, listBottom + 6 + radio,
             width - 2 * top.x, radio, TRUE);
  MoveWindow(GetDlgItem(dialog, IDC_LIST_CAPTION), top.x, listBottom + 4, width - 2 * top.x, radio,
             TRUE);
}

}  // namespace

HWND CreateListPanel(HWND parent) {
  panel = PanelState{};
  return CreatePageDialog(kListPanelTemplate, parent, ListPanelProc, 0);
}

std::int32_t ListPanelRecord(int row) {
  const int position = KeyPosition(row);
  if (position < 0 || position >= static_cast<int>(Keys().keys.size())) return 0;
  return Keys().keys[static_cast<std::size_t>(position)].index;
}

int ListPanelCount(HWND panelWindow) {
  return static_cast<int>(SendDlgItemMessageA(panelWindow, IDC_LIST_ROWS, LB_GETCOUNT, 0, 0));
}

void ListPanelClearSelection(HWND panelWindow) {
  SendDlgItemMessageA(panelWindow, IDC_LIST_ROWS, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void ListPanelSetTab(HWND dialog, Tab tab) {
  const dv::RecordKind kind = tab == Tab::kSource       ? dv::kSour
                              : tab == Tab::kRepository ? dv::kRepo
                                                        : dv::kIndi;
  const bool individuals = kind == dv::kIndi;
  const bool changed = kind != panel.kind;
  panel.tab = tab;
  panel.kind = kind;
  ShowControl(dialog, IDC_LIST_ALL, individuals);
  ShowControl(dialog, IDC_LIST_UNLINKED, individuals);
  ShowControl(dialog, IDC_LIST_CAPTION, !individuals);
  if (!individuals) {
    std::string caption(dv::StringText(kind == dv::kSour ? kSourceCaption : kRepositoryCaption));
    caption += dv::StringText(kListWord);
    SetDlgItemTextA(dialog, IDC_LIST_CAPTION, caption.c_str());
  }
  if (changed || !individuals) {
    SetUnlinked(dialog, false);
  } else {
    SetRowCount(dialog);
  }
  UpdateListTooltip(dialog);
}

void ListPanelReload(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_LIST_ROWS);
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  SetRowCount(dialog);
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

INT_PTR CALLBACK ListPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      panel.tooltips = AddTooltips(
          dialog, {{IDC_LIST_ROWS, 367}, {IDC_LIST_ALL, 370}, {IDC_LIST_UNLINKED, 371}});
      CheckRadioButton(dialog, IDC_LIST_ALL, IDC_LIST_UNLINKED, IDC_LIST_ALL);
      SendDlgItemMessageA(dialog, IDC_LIST_SEARCH, EM_LIMITTEXT, 63, 0);
      ShowControl(dialog, IDC_LIST_CAPTION, false);
      SetRowCount(dialog);
      return FALSE;
    case WM_SIZE:
      OnSize(dialog, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      OnMeasureItem(dialog, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_LIST_ROWS:
          if (HIWORD(wParam) == LBN_SELCHANGE) OnChoose(dialog);
          break;
        case IDC_LIST_SEARCH:
          if (HIWORD(wParam) == EN_CHANGE && !Filling()) OnSearch(dialog);
          if (HIWORD(wParam) == EN_MAXTEXT) showMessage(dialog, 22, false);
          break;
        case IDC_LIST_ALL:
        case IDC_LIST_UNLINKED:
          if (HIWORD(wParam) == BN_CLICKED)
            SetUnlinked(dialog, LOWORD(wParam) == IDC_LIST_UNLINKED);
          break;
      }
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false);
  }
  return FALSE;
}

}  // namespace dv::win
