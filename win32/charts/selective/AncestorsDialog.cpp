#include "charts/selective/AncestorsDialog.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "charts/selective/AncestorsDialogRes.h"
#include "charts/selective/SelectiveTables.h"
#include "common/StringTable.h"
#include "data/Lists.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

AncestorsSession* SessionOf(HWND dialog) {
  return reinterpret_cast<AncestorsSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

std::string EntryText(const dv::ListEntry& e) {
  return std::string(e.text, ::strnlen(e.text, sizeof e.text));
}

// The name part of an entry (the text without its padding and year).
std::string EntryName(const dv::ListEntry& e) {
  std::string text = EntryText(e);
  text.resize(std::min<std::size_t>(text.size(), 22));
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void FillChosen(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_ANC_CHOSEN, LB_RESETCONTENT, 0, 0);
  for (const ChosenAncestor& a : SelectiveTree().chosen)
    SendDlgItemMessageA(dialog, IDC_ANC_CHOSEN, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(a.name.c_str()));
}

void UpdateButtons(HWND dialog) {
  const std::size_t n = SelectiveTree().chosen.size();
  Enable(dialog, IDC_ANC_ADD, n < std::size_t(dv::kAncestorsChosen));
  Enable(dialog, IDC_ANC_REMOVE, n > 0);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<AncestorsSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  SelectiveTreeState& st = SelectiveTree();
  SendDlgItemMessageA(dialog, IDC_ANC_SEARCH, EM_LIMITTEXT, kSearchLimit, 0);
  bool failed = false;
  if (st.ancestorsOf != session->base || st.ancestorList.empty()) {
    st.chosen.clear();
    st.ancestorsOf = session->base;
    const int count = session->store != nullptr
                          ? dv::BuildAncestorList(*session->store, session->base, st.ancestorList)
                          : -1;
    if (const int message = dv::ListBuildMessage(count)) showMessage(dialog, message, false);
    if (count < 0) {
      st.ancestorList.clear();
      failed = true;
    }
  }
  session->kept = st.chosen;
  // The base individual (number 1) is no ancestor of its own.
  session->rows.clear();
  for (std::size_t i = 0; i < st.ancestorList.size(); ++i) {
    const dv::ListEntry& e = st.ancestorList[i];
    if (!dv::ValidAncestorNumber(e.ahnentafel)) continue;
    session->rows.push_back(int(i));
    SendDlgItemMessageA(dialog, IDC_ANC_ALL, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(EntryText(e).c_str()));
  }
  FillChosen(dialog);
  UpdateButtons(dialog);
  if (failed) {
    Enable(dialog, IDC_ANC_SEARCH, false);
    Enable(dialog, IDC_ANC_ALL, false);
    Enable(dialog, IDC_ANC_CHOSEN, false);
    Enable(dialog, IDC_ANC_ADD, false);
  }
  return TRUE;
}

// The search: the first row whose text does not sort before what was typed.
void OnSearch(HWND dialog) {
  AncestorsSession* session = SessionOf(dialog);
  if (session == nullptr) return;
  std::array<char, kSearchLimit + 2> typed{};
  GetDlgItemTextA(dialog, IDC_ANC_SEARCH, typed.data(), int(typed.size()));
  const std::string text = dv::SearchText(typed.data());
  const auto& list = SelectiveTree().ancestorList;
  const auto at = std::find_if(session->rows.begin(), session->rows.end(),
                               [&](int i) { return EntryText(list[i]) >= text; });
  if (at == session->rows.end()) return;
  const WPARAM row = WPARAM(at - session->rows.begin());
  SendDlgItemMessageA(dialog, IDC_ANC_ALL, LB_SETCURSEL, row, 0);
  SendDlgItemMessageA(dialog, IDC_ANC_ALL, LB_SETTOPINDEX, row, 0);
}

void ShowNumber(HWND dialog, std::int32_t number) {
  const std::string text =
      std::string(dv::StringText(kMsgAhnentafelNumber)) + std::to_string(number);
  SetDlgItemTextA(dialog, IDC_ANC_NUMBER, text.c_str());
}

int Selected(HWND dialog, int list) {
  return int(SendDlgItemMessageA(dialog, list, LB_GETCURSEL, 0, 0));
}

void OnClickAll(HWND dialog) {
  const AncestorsSession* session = SessionOf(dialog);
  const int row = Selected(dialog, IDC_ANC_ALL);
  if (session == nullptr || row < 0 || row >= int(session->rows.size())) return;
  ShowNumber(dialog, SelectiveTree().ancestorList[session->rows[row]].ahnentafel);
}

void OnClickChosen(HWND dialog) {
  const int row = Selected(dialog, IDC_ANC_CHOSEN);
  const auto& chosen = SelectiveTree().chosen;
  if (row < 0 || row >= int(chosen.size())) return;
  ShowNumber(dialog, chosen[row].number);
}

void OnAdd(HWND dialog) {
  AncestorsSession* session = SessionOf(dialog);
  auto& chosen = SelectiveTree().chosen;
  const int row = Selected(dialog, IDC_ANC_ALL);
  if (row < 0 || row >= int(session->rows.size())) {
    showMessage(dialog, kMsgNoCurrentSelection, false);
    return;
  }
  if (chosen.size() >= std::size_t(dv::kAncestorsChosen)) return;
  const dv::ListEntry& e = SelectiveTree().ancestorList[session->rows[row]];
  chosen.push_back({EntryName(e), e.ahnentafel});
  SendDlgItemMessageA(dialog, IDC_ANC_CHOSEN, LB_ADDSTRING, 0,
                      reinterpret_cast<LPARAM>(chosen.back().name.c_str()));
  UpdateButtons(dialog);
  if (chosen.size() >= std::size_t(dv::kAncestorsChosen))
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_ANC_OK)),
                 TRUE);
}

void OnRemove(HWND dialog) {
  auto& chosen = SelectiveTree().chosen;
  const int row = Selected(dialog, IDC_ANC_CHOSEN);
  if (row < 0 || row >= int(chosen.size())) {
    showMessage(dialog, kMsgNoCurrentSelection, false);
    return;
  }
  // The list box and the selection must tell the same story.
  std::array<char, 64> shown{};
  if (SendDlgItemMessageA(dialog, IDC_ANC_CHOSEN, LB_GETTEXTLEN, WPARAM(row), 0) <
      LRESULT(shown.size()))
    SendDlgItemMessageA(dialog, IDC_ANC_CHOSEN, LB_GETTEXT, WPARAM(row),
                        reinterpret_cast<LPARAM>(shown.data()));
  if (chosen[row].name != shown.data()) showMessage(dialog, kMsgDataCorrelation, false);
  chosen.erase(chosen.begin() + row);
  SendDlgItemMessageA(dialog, IDC_ANC_CHOSEN, LB_DELETESTRING, WPARAM(row), 0);
  UpdateButtons(dialog);
  if (chosen.empty())
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_ANC_ADD)),
                 TRUE);
}

INT_PTR OnOk(HWND dialog) {
  SessionOf(dialog)->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCancel(HWND dialog) {
  SelectiveTree().chosen = SessionOf(dialog)->kept;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_ANC_SEARCH:
      if (code == EN_CHANGE) OnSearch(dialog);
      return TRUE;
    case IDC_ANC_ALL:
      if (code == LBN_SELCHANGE) OnClickAll(dialog);
      return TRUE;
    case IDC_ANC_CHOSEN:
      if (code == LBN_SELCHANGE) OnClickChosen(dialog);
      return TRUE;
    case IDC_ANC_ADD:
      OnAdd(dialog);
      return TRUE;
    case IDC_ANC_REMOVE:
      OnRemove(dialog);
      return TRUE;
    case IDC_ANC_OK:
    case IDOK:
      return OnOk(dialog);
    case IDCANCEL:
      return OnCancel(dialog);
  }
  return FALSE;
}

}  // namespace

bool RunAncestorsDialog(HWND owner, const dv::RecordStore* store, std::int32_t base) {
  AncestorsSession session;
  session.store = store;
  session.base = base;
  DialogBoxParamA(State().app.instance, kAncestorsTemplate, owner, AncestorsDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK AncestorsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
