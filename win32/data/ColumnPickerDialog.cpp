#include "data/ColumnPickerDialog.h"

#include <commctrl.h>

#include "data/ColumnPickerDialogRes.h"
#include "data/DataState.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

PickerSession* SessionOf(HWND dialog) {
  return reinterpret_cast<PickerSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

int KindSlot(dv::PickerKind kind) { return static_cast<int>(kind); }

void Close(HWND dialog, PickerSession& session, INT_PTR result) {
  if (session.modal) {
    EndDialog(dialog, result);
  } else {
    DestroyWindow(dialog);
  }
}

void AddColumns(HWND list, dv::PickerKind kind) {
  const dv::PickerLayout& layout = dv::PickerLayoutOf(kind);
  const auto& kept = Data().pickerWidths[KindSlot(kind)];
  for (int c = 0; c < dv::kPickerColumns; ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(layout.columns[c]);
    column.cx = kept[c] > 0 ? kept[c] : layout.defaultWidths[c];
    column.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
}

void AddRows(HWND list, const PickerSession& session) {
  int preselect = -1;
  for (std::size_t r = 0; r < session.rows.size(); ++r) {
    const dv::PickerRow& row = session.rows[r];
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(r);
    item.pszText = const_cast<char*>(row.cells[0].c_str());
    item.lParam = row.index;
    const int at =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int c = 1; c < dv::kPickerColumns; ++c) {
      LVITEMA cell{};
      cell.iSubItem = c;
      cell.pszText = const_cast<char*>(row.cells[c].c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
    }
    if (row.index == session.current) preselect = at;
  }
  if (preselect < 0) return;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, preselect, reinterpret_cast<LPARAM>(&state));
  SendMessageA(list, LVM_ENSUREVISIBLE, preselect, FALSE);
}

BOOL OnInitDialog(HWND dialog, PickerSession* session) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  SetWindowTextA(dialog, dv::PickerLayoutOf(session->kind).title);
  session->rows = dv::PickerRows(*session->store, session->kind);
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddColumns(list, session->kind);
  AddRows(list, *session);
  return TRUE;
}

// The widths the user leaves stay for the next time this picker opens.
void OnDestroy(HWND dialog, PickerSession& session) {
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  auto& kept = Data().pickerWidths[KindSlot(session.kind)];
  for (int c = 0; c < dv::kPickerColumns; ++c) {
    const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
    if (width > 0) kept[c] = width;
  }
}

void OnChoose(HWND dialog, PickerSession& session) {
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  const int selected =
      static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  session.chosen = 0;
  if (session.editState && selected >= 0 && selected < static_cast<int>(session.rows.size())) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = selected;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    session.chosen = static_cast<std::int32_t>(item.lParam);
  }
  Close(dialog, session, IDOK);
}

INT_PTR OnNotify(HWND dialog, PickerSession& session, const NMHDR& header) {
  if (header.idFrom == IDC_PICK_LIST && header.code == NM_DBLCLK) OnChoose(dialog, session);
  return FALSE;
}

}  // namespace

bool RunPickerDialog(HWND owner, PickerSession& session) {
  session.modal = true;
  return DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                         kPickerTemplate, owner, PickerDialogProc,
                         reinterpret_cast<LPARAM>(&session)) == IDOK;
}

std::int32_t PickRecord(HWND owner, dv::PickerKind kind, std::int32_t current, bool editState) {
  PickerSession session;
  session.store = &Data().store;
  session.kind = kind;
  session.current = current;
  session.editState = editState;
  RunPickerDialog(owner, session);
  return session.chosen;
}

INT_PTR CALLBACK PickerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(dialog, reinterpret_cast<PickerSession*>(lParam));
  PickerSession* session = SessionOf(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK)
        OnChoose(dialog, *session);
      else if (LOWORD(wParam) == IDCANCEL)
        Close(dialog, *session, IDCANCEL);
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(dialog, *session, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
      Close(dialog, *session, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      OnDestroy(dialog, *session);
      return FALSE;
  }
  return FALSE;
}

}  // namespace dv::win
