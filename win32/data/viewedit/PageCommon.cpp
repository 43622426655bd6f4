#include "data/viewedit/PageCommon.h"

#include <commctrl.h>

#include <cstring>
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

int ScreenSizeClass(int screenWidth, int baseUnitX) {
  if (baseUnitX <= 0) return 12;
  const int sizeClass = screenWidth / (10 * baseUnitX);
  return sizeClass == 13 ? 12 : sizeClass;
}

int PagePointSize(int sizeClass) {
  const int points = (8 * sizeClass + 6) / 12;
  return points < 6 ? 6 : points > 16 ? 16 : points;
}

namespace {

int ThisScreenClass() {
  return ScreenSizeClass(GetSystemMetrics(SM_CXSCREEN), LOWORD(GetDialogBaseUnits()));
}

// Skips a menu or class field of a dialog template (none, an ordinal or a string).
std::size_t SkipNameOrOrdinal(const std::vector<BYTE>& t, std::size_t at) {
  if (at + 2 > t.size()) return t.size();
  const WORD first = static_cast<WORD>(t[at] | (t[at + 1] << 8));
  if (first == 0) return at + 2;
  if (first == 0xFFFF) return at + 4;
  while (at + 2 <= t.size() && (t[at] | t[at + 1])) at += 2;
  return at + 2;
}

}  // namespace

bool NarrowListPanel() { return ThisScreenClass() == 10 && LOWORD(GetDialogBaseUnits()) == 8; }

HWND CreatePageDialog(const char* templateName, HWND parent, DLGPROC procedure, LPARAM param) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(instance, templateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = found ? SizeofResource(instance, found) : 0;
  if (!data || size < 26) return CreateDialogParamA(instance, templateName, parent, procedure, param);
  std::vector<BYTE> copy(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  // An extended template with a font: the point size follows the screen.
  const bool extended = copy[2] == 0xFF && copy[3] == 0xFF;
  DWORD style = 0;
  std::memcpy(&style, copy.data() + 12, sizeof style);
  if (extended && (style & DS_SETFONT)) {
    std::size_t at = SkipNameOrOrdinal(copy, 26);  // menu
    at = SkipNameOrOrdinal(copy, at);             // class
    while (at + 2 <= copy.size() && (copy[at] | copy[at + 1])) at += 2;  // title
    at += 2;
    if (at + 2 <= copy.size()) {
      const WORD points = static_cast<WORD>(PagePointSize(ThisScreenClass()));
      copy[at] = static_cast<BYTE>(points & 0xFF);
      copy[at + 1] = static_cast<BYTE>(points >> 8);
    }
  }
  return CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), parent,
                                    procedure, param);
}

void ShowControl(HWND dialog, int control, bool shown) {
  if (HWND item = GetDlgItem(dialog, control)) ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

}  // namespace dv::win
