#include "soundex/SoundexListDialog.h"

#include <commctrl.h>

#include <string>

#include "common/StringTable.h"
#include "shell/AppState.h"
#include "soundex/SoundexListDialogRes.h"

namespace dv::win {
namespace {

SoundexListSession* SessionOf(HWND dialog) {
  return reinterpret_cast<SoundexListSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Close(HWND dialog, const SoundexListSession& session, INT_PTR result) {
  if (session.modal)
    EndDialog(dialog, result);
  else
    DestroyWindow(dialog);
}

void AddColumns(HWND list) {
  const auto& widths = State().settings.lvparam;
  for (int c = 0; c < dv::kSoundexColumnCount; ++c) {
    const std::string title(dv::StringText(dv::kSoundexColumnLabels[c]));
    const int kept = widths[dv::kSoundexWidthSlots[c]];
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(title.c_str());
    column.cx = kept > 0 ? kept : dv::kSoundexDefaultWidths[c];
    column.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
}

// Fills the list view from the session's rows, in their order.
void FillRows(HWND list, const SoundexListSession& session) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t r = 0; r < session.rows.size(); ++r) {
    const dv::SoundexRow& row = session.rows[r];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = const_cast<char*>(row.surname.c_str());
    const int at =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int c = 1; c < dv::kSoundexColumnCount; ++c) {
      LVITEMA cell{};
      cell.iSubItem = c;
      cell.pszText = const_cast<char*>(dv::SoundexCell(row, c).c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
    }
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

INT_PTR OnInitDialog(HWND dialog, SoundexListSession* session) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  SetWindowTextA(dialog, std::string(dv::StringText(kSoundexListCaption)).c_str());
  HWND list = GetDlgItem(dialog, IDC_SOUNDEX_ROWS);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessageA(list, LVM_SETBKCOLOR, 0, kSoundexListColour);
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, kSoundexListColour);
  AddColumns(list);
  session->rows = session->store ? dv::SoundexList(*session->store) : std::vector<dv::SoundexRow>{};
  session->sortedBy = dv::kSoundexSurnameColumn;
  FillRows(list, *session);
  return TRUE;
}

void OnColumnClick(HWND dialog, SoundexListSession& session, int column) {
  if (column < 0 || column >= dv::kSoundexColumnCount) return;
  dv::SortSoundexRows(session.rows, column);
  session.sortedBy = column;
  FillRows(GetDlgItem(dialog, IDC_SOUNDEX_ROWS), session);
}

// The widths the user leaves are used the next time.
void OnDestroy(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SOUNDEX_ROWS);
  auto& widths = State().settings.lvparam;
  for (int c = 0; c < dv::kSoundexColumnCount; ++c) {
    const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
    if (width > 0) widths[dv::kSoundexWidthSlots[c]] = width;
  }
}

INT_PTR OnNotify(HWND dialog, SoundexListSession& session, const NMHDR& header) {
  if (header.idFrom == IDC_SOUNDEX_ROWS && header.code == LVN_COLUMNCLICK)
    OnColumnClick(dialog, session, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
  return FALSE;
}

}  // namespace

void RunSoundexListDialog(HWND owner, const dv::RecordStore* store) {
  SoundexListSession session;
  session.store = store;
  session.modal = true;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kSoundexListTemplate, owner, SoundexListDialogProc,
                  reinterpret_cast<LPARAM>(&session));
}

INT_PTR CALLBACK SoundexListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(dialog, reinterpret_cast<SoundexListSession*>(lParam));
  SoundexListSession* session = SessionOf(dialog);
  if (session == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SOUNDEX_LIST_OK:
        case IDOK:
          Close(dialog, *session, IDOK);
          return TRUE;
        case IDC_SOUNDEX_LIST_CANCEL:
        case IDCANCEL:
          Close(dialog, *session, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    case WM_NOTIFY:
      return OnNotify(dialog, *session, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
      Close(dialog, *session, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      OnDestroy(dialog);
      return FALSE;
  }
  return FALSE;
}

}  // namespace dv::win
