#include "data/ChildrenDialog.h"

#include <string>

#include "data/ChildrenDialogRes.h"
#include "data/DataState.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

constexpr int kMarkerSize = 8;
constexpr int kMarkerGap = 4;
constexpr COLORREF kMarkerColour = RGB(0, 128, 0);

ChildrenSession* SessionOf(HWND dialog) {
  return reinterpret_cast<ChildrenSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Close(HWND dialog, ChildrenSession& session, INT_PTR result) {
  if (session.modal) {
    EndDialog(dialog, result);
  } else {
    DestroyWindow(dialog);
  }
}

BOOL OnInitDialog(HWND dialog, ChildrenSession* session) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  session->rows = dv::ChildrenRows(*session->store, session->family);
  HWND list = GetDlgItem(dialog, IDC_CHILD_LIST);
  for (std::size_t i = 0; i < session->rows.size(); ++i)
    SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
  return TRUE;
}

// A child with children of their own gets a small filled square before the name.
void OnDrawItem(const ChildrenSession& session, const DRAWITEMSTRUCT& item) {
  if (item.itemID >= session.rows.size()) return;
  const dv::ChildRow& row = session.rows[item.itemID];
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int middle = (item.rcItem.top + item.rcItem.bottom) / 2;
  if (row.hasChildren) {
    RECT marker{item.rcItem.left + 2, middle - kMarkerSize / 2, item.rcItem.left + 2 + kMarkerSize,
                middle + kMarkerSize / 2};
    HBRUSH brush = CreateSolidBrush(kMarkerColour);
    FillRect(item.hDC, &marker, brush);
    DeleteObject(brush);
  }
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  TextOutA(item.hDC, item.rcItem.left + 2 + kMarkerSize + kMarkerGap, item.rcItem.top,
           row.text.c_str(), static_cast<int>(row.text.size()));
}

void OnDoubleClick(HWND dialog, ChildrenSession& session) {
  const int selected =
      static_cast<int>(SendDlgItemMessageA(dialog, IDC_CHILD_LIST, LB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= static_cast<int>(session.rows.size())) return;
  session.chosen = session.rows[selected].individual;
  Close(dialog, session, IDOK);
}

INT_PTR OnCommand(HWND dialog, ChildrenSession& session, int id, int code) {
  switch (id) {
    case IDC_CHILD_LIST:
      if (code == LBN_DBLCLK) OnDoubleClick(dialog, session);
      return TRUE;
    case IDOK:
    case IDCANCEL:
      Close(dialog, session, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

std::int32_t RunChildrenDialog(HWND owner, std::int32_t family) {
  ChildrenSession session;
  session.store = &Data().store;
  session.family = family;
  session.modal = true;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kChildrenTemplate, owner, ChildrenDialogProc, reinterpret_cast<LPARAM>(&session));
  return session.chosen;
}

INT_PTR CALLBACK ChildrenDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(dialog, reinterpret_cast<ChildrenSession*>(lParam));
  ChildrenSession* session = SessionOf(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
      OnDrawItem(*session, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:
      Close(dialog, *session, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace dv::win
