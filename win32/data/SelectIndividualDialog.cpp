#include "data/SelectIndividualDialog.h"

#include <algorithm>
#include <string>

#include "common/StringTable.h"
#include "data/SelectIndividualDialogRes.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kSearchLimit = 40;

SelectIndividualSession* SessionOf(HWND dialog) {
  return reinterpret_cast<SelectIndividualSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

int ItemCount(const SelectIndividualSession& s) {
  if (s.descendants) return static_cast<int>(s.descendants->size());
  if (s.subset) return static_cast<int>(s.subset->size());
  return dv::KeyCount(s.store->Kind(dv::kIndi));
}

// The text and individual index of list item i.
std::string ItemText(const SelectIndividualSession& s, int i, std::int32_t* index = nullptr) {
  if (i < 0 || i >= ItemCount(s)) return {};
  if (s.descendants) {
    const dv::ListEntry& e = (*s.descendants)[i];
    if (index) *index = e.individual;
    return std::string(e.text, strnlen(e.text, sizeof e.text));
  }
  const int position = s.subset ? (*s.subset)[i] : i;
  const dv::KeyEntry& k = s.store->Kind(dv::kIndi).keys[position];
  if (index) *index = k.index;
  return k.key ? std::string(k.key) : std::string();
}

void Close(HWND dialog, SelectIndividualSession& session, INT_PTR result) {
  session.accepted = result == IDOK;
  if (session.modal) {
    EndDialog(dialog, result);
  } else {
    DestroyWindow(dialog);
  }
}

BOOL OnInitDialog(HWND dialog, SelectIndividualSession* session) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  // A fixed-pitch font keeps the birth years of the keys in one column.
  session->font =
      CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
  session->background = CreateSolidBrush(kListBackground);
  HWND list = GetDlgItem(dialog, IDC_SEL_LIST);
  if (HDC dc = GetDC(list)) {
    HGDIOBJ old = SelectObject(dc, session->font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + metrics.tmExternalLeading);
  }
  SendMessageA(list, LB_SETCOUNT, ItemCount(*session), 0);
  SendDlgItemMessageA(dialog, IDC_SEL_SEARCH, EM_LIMITTEXT, kSearchLimit, 0);
  return TRUE;
}

void OnDestroy(SelectIndividualSession& session) {
  if (session.font) DeleteObject(session.font);
  if (session.background) DeleteObject(session.background);
  session.font = nullptr;
  session.background = nullptr;
}

void OnDrawItem(const SelectIndividualSession& session, const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(item.hDC, TRANSPARENT);
  HGDIOBJ old = SelectObject(item.hDC, session.font);
  const int indent = GetSystemMetrics(SM_CXSCREEN) < 801 ? 2 : 4;
  const std::string text = ItemText(session, static_cast<int>(item.itemID));
  TextOutA(item.hDC, item.rcItem.left + indent, item.rcItem.top, text.c_str(),
           static_cast<int>(text.size()));
  SelectObject(item.hDC, old);
}

// Moves the list to the first item not sorting before the search text.
void OnSearchChanged(HWND dialog, SelectIndividualSession& session) {
  char field[kSearchLimit + 1] = {};
  GetDlgItemTextA(dialog, IDC_SEL_SEARCH, field, sizeof field);
  const std::string text = dv::SearchText(field);
  HWND list = GetDlgItem(dialog, IDC_SEL_LIST);
  const int count = ItemCount(session);
  if (count == 0) return;
  int found;
  if (session.descendants) {
    const int current = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    found = dv::StepToEntry(*session.descendants, current < 0 ? 0 : current, text);
  } else {
    found = dv::FindKeyPosition(session.store->Kind(dv::kIndi), text);
    if (session.subset) {
      found =
          static_cast<int>(std::lower_bound(session.subset->begin(), session.subset->end(), found) -
                           session.subset->begin());
    }
  }
  found = std::min(found, count - 1);
  SendMessageA(list, LB_SETCURSEL, found, 0);
  SendMessageA(list, LB_SETTOPINDEX, found, 0);
}

void OnOk(HWND dialog, SelectIndividualSession& session) {
  const int selected =
      static_cast<int>(SendDlgItemMessageA(dialog, IDC_SEL_LIST, LB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= ItemCount(session)) {
    const std::string prompt(dv::StringText(kSelectNamePrompt));
    ShowMessageBox(dialog, prompt.c_str(), "Dorvane", MB_ICONEXCLAMATION | MB_OK);
    return;
  }
  session.chosenKey = ItemText(session, selected, &session.chosenIndex);
  Close(dialog, session, IDOK);
}

INT_PTR OnCommand(HWND dialog, SelectIndividualSession& session, int id, int code) {
  switch (id) {
    case IDC_SEL_SEARCH:
      if (code == EN_CHANGE) OnSearchChanged(dialog, session);
      if (code == EN_MAXTEXT || code == EN_ERRSPACE) showMessage(dialog, 22, false);
      return TRUE;
    case IDC_SEL_LIST:
      if (code == LBN_DBLCLK) OnOk(dialog, session);
      return TRUE;
    case IDOK:
    case IDC_SEL_OK:
      OnOk(dialog, session);
      return TRUE;
    case IDCANCEL:
    case IDC_SEL_CANCEL:
      Close(dialog, session, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunSelectIndividualDialog(HWND owner, SelectIndividualSession& session) {
  session.modal = true;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kSelectIndividualTemplate, owner, SelectIndividualDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK SelectIndividualDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(dialog, reinterpret_cast<SelectIndividualSession*>(lParam));
  SelectIndividualSession* session = SessionOf(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
      OnDrawItem(*session, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), kListBackground);
      return reinterpret_cast<INT_PTR>(session->background);
    case WM_CLOSE:
      return OnCommand(dialog, *session, IDCANCEL, 0);
    case WM_DESTROY:
      OnDestroy(*session);
      return FALSE;
  }
  return FALSE;
}

bool ChooseBaseIndividual(HWND chartDialog, ChartSelection& selection, int nameField,
                          std::initializer_list<int> runButtons,
                          const std::vector<dv::ListEntry>* descendants) {
  const auto& store = Data().store;
  SelectIndividualSession session;
  session.store = &store;
  session.descendants = descendants;
  if (!RunSelectIndividualDialog(chartDialog, session)) return false;
  const dv::IndividualSummary* person = store.Individual(session.chosenIndex);
  selection.baseIndex = session.chosenIndex;
  selection.baseNumber = person ? person->id : 0;
  selection.baseName = session.chosenKey;
  SetDlgItemTextA(chartDialog, nameField, session.chosenKey.c_str());
  for (int button : runButtons) EnableWindow(GetDlgItem(chartDialog, button), TRUE);
  return true;
}

std::vector<std::int32_t> UnlinkedOnly(HWND owner, const dv::RecordStore& store) {
  std::vector<std::int32_t> table = dv::UnlinkedIndividuals(store);
  if (table.empty()) {
    const std::string text(dv::StringText(kNoUnlinked));
    ShowMessageBox(owner, text.c_str(), "Dorvane", MB_ICONINFORMATION | MB_OK);
  }
  return table;
}

}  // namespace dv::win
