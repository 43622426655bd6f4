#include "data/viewedit/PageCommon.h"

#include <commctrl.h>

#include <vector>

#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/viewedit/ViewEditFrame.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {

using dv::viewedit::RecordPage;

namespace {

std::string ControlText(HWND dialog, int control) {
  HWND edit = GetDlgItem(dialog, control);
  const int length = GetWindowTextLengthA(edit);
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(edit, text.data(), length + 1);
  return std::string(text.data());
}

// Multi-line controls show line breaks as CR LF; the page keeps them as they are typed.
void SetControlText(HWND dialog, int control, const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) shown += '\r';
    shown += text[i];
  }
  SetDlgItemTextA(dialog, control, shown.c_str());
}

}  // namespace

void FillFields(HWND dialog, const RecordPage& page, std::span<const FieldBinding> fields,
                bool edit) {
  FillingScope filling;
  for (const FieldBinding& f : fields) {
    HWND control = GetDlgItem(dialog, f.control);
    if (!control) continue;
    if (f.limit == kCheckBox) {
      const std::string value = dv::viewedit::GetField(page, f.field);
      CheckDlgButton(dialog, f.control, value == "Y" ? BST_CHECKED : BST_UNCHECKED);
      EnableWindow(control, edit ? TRUE : FALSE);
      continue;
    }
    SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
    SetControlText(dialog, f.control, dv::viewedit::GetField(page, f.field));
    SendMessageA(control, EM_SETREADONLY, edit ? FALSE : TRUE, 0);
  }
}

bool StoreField(HWND dialog, RecordPage& page, std::span<const FieldBinding> fields, int control) {
  for (const FieldBinding& f : fields) {
    if (f.control != control) continue;
    if (Filling()) return true;
    const bool box = f.limit == kCheckBox;
    std::string text = box ? (IsDlgButtonChecked(dialog, control) == BST_CHECKED ? "Y" : "N")
                           : ControlText(dialog, control);
    const int result = dv::viewedit::SetField(page, f.field, text);
    if (result > 0) {
      showMessage(dialog, result, false);
      FillingScope filling;
      const std::string kept = dv::viewedit::GetField(page, f.field);
      if (box)
        CheckDlgButton(dialog, control, kept == "Y" ? BST_CHECKED : BST_UNCHECKED);
      else
        SetControlText(dialog, control, kept);
    }
    return true;
  }
  return false;
}

HBRUSH PageBrush(bool edit) {
  static HBRUSH view = CreateSolidBrush(kViewColour);
  static HBRUSH editing = CreateSolidBrush(kEditColour);
  return edit ? editing : view;
}

INT_PTR PageColour(HDC dc, HWND control, bool edit) {
  char cls[16] = {};
  GetClassNameA(control, cls, sizeof cls);
  // Edit boxes that can be typed in keep the window colour.
  if (lstrcmpiA(cls, "Edit") == 0 &&
      !(GetWindowLongA(control, GWL_STYLE) & ES_READONLY))
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
  SetBkColor(dc, edit ? kEditColour : kViewColour);
  return reinterpret_cast<INT_PTR>(PageBrush(edit));
}

std::string LabelPart(int id, int n) {
  std::string_view text = dv::StringText(id);
  if (text.empty()) return {};
  const char separator = text.back();
  std::size_t start = 0;
  for (int i = 0; i < n; ++i) {
    std::size_t next = text.find(separator, start);
    if (next == std::string_view::npos) return {};
    start = next + 1;
  }
  std::size_t end = text.find(separator, start);
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(start, end - start));
}

HWND AddTooltips(HWND dialog, std::initializer_list<std::pair<int, int>> tips) {
  if (!State().settings.fparam[2]) return nullptr;
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tip) return nullptr;
  for (const auto& [control, id] : tips) {
    HWND item = GetDlgItem(dialog, control);
    if (!item) continue;
    std::string text(dv::StringText(id));
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(item);
    info.lpszText = text.data();
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  return tip;
}

void ShowRecordButtons(HWND dialog, const RecordPage& page, bool edit) {
  for (int id : {kPageNew, kPageAdd, kPageDelete}) ShowControl(dialog, id, edit);
  EnableWindow(GetDlgItem(dialog, kPageAdd), edit && page.mark != 0);
  EnableWindow(GetDlgItem(dialog, kPageDelete), edit && page.record != nullptr);
}

std::string PersonName(const dv::RecordStore& store, std::int32_t index) {
  const dv::IndividualSummary* s = index ? store.Individual(index) : nullptr;
  if (!s || !s->line) return {};
  std::string name;
  for (const char* c = s->displayName; *c; ++c) {
    if (*c == '/') continue;
    name += *c == '_' ? ' ' : *c;
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(name.begin());
  return name;
}

int AskYesNoCancel(HWND owner, int id) {
  HelpContextScope help(kHelpMessageBox);
  return ShowMessageBox(owner, dv::MessageText(id).c_str(), "Dorvane",
                        MB_YESNOCANCEL | MB_ICONQUESTION);
}

void ShowError(HWND owner, int id, std::string_view suffix) {
  HelpContextScope help(kHelpMessageBox);
  ShowMessageBox(owner, dv::MessageText(id, suffix).c_str(), "Dorvane", MB_OK | MB_ICONSTOP);
}

void ShowControl(HWND dialog, int control, bool shown) {
  if (HWND item = GetDlgItem(dialog, control)) ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

}  // namespace dv::win
