#include "data/viewedit/PedigreePage.h"

#include <string>
#include <vector>

#include "data/ChildrenDialog.h"
#include "data/DataState.h"
#include "data/Names.h"
#include "data/viewedit/ListPanel.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/PedigreePageRes.h"
#include "data/viewedit/ViewEditFrame.h"

namespace dv::win {

using dv::viewedit::Tab;

namespace {

constexpr int kGenerations = 5;
constexpr int kFirstOuter = 16;
constexpr int kButtonWidth = 22;
constexpr int kGap = 14;

struct PedigreeState {
  std::array<std::int32_t, kPedigreeBoxes + 1> people{};
  int selected = 0;
};
PedigreeState pedigree;

int GenerationOf(int position) {
  int g = 0;
  while ((position >> (g + 1)) != 0) ++g;
  return g;
}

// Box rectangles for a client area: generation g in column g, each box
// centred in its share of the height.
RECT BoxRect(int position, int width, int height) {
  const int g = GenerationOf(position);
  const int k = position - (1 << g);
  const int left = kButtonWidth + 8;
  const int columnWidth = (width - left - kButtonWidth - 8) / kGenerations;
  const int boxWidth = columnWidth - kGap;
  const int block = height / (1 << g);
  const int boxHeight = height / 16 - 4 > 14 ? height / 16 - 4 : 14;
  const int x = left + g * columnWidth;
  const int y = k * block + (block - boxHeight) / 2;
  return RECT{x, y, x + boxWidth, y + boxHeight};
}

void Place(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  const int width = client.right, height = client.bottom;
  for (int n = 1; n <= kPedigreeBoxes; ++n) {
    RECT r = BoxRect(n, width, height);
    MoveWindow(GetDlgItem(dialog, IDC_PED_BOX + n), r.left, r.top, r.right - r.left,
               r.bottom - r.top, TRUE);
    if (n >= kFirstOuter)
      MoveWindow(GetDlgItem(dialog, IDC_PED_FURTHER + n - kFirstOuter), r.right + 4, r.top,
                 kButtonWidth, r.bottom - r.top, TRUE);
    if (n == 1)
      MoveWindow(GetDlgItem(dialog, IDC_PED_CHILDREN), 4, r.top, kButtonWidth, r.bottom - r.top,
                 TRUE);
  }
  InvalidateRect(dialog, nullptr, TRUE);
}

void CreateControls(HWND dialog) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  auto make = [&](const char* cls, const char* text, DWORD style, int id) {
    HWND w = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  };
  for (int n = 1; n <= kPedigreeBoxes; ++n)
    make("STATIC", "", SS_NOTIFY | WS_BORDER, IDC_PED_BOX + n);
  for (int k = 0; k < kPedigreeBoxes + 1 - kFirstOuter; ++k)
    make("BUTTON", ">", BS_PUSHBUTTON, IDC_PED_FURTHER + k);
  make("BUTTON", "<", BS_PUSHBUTTON, IDC_PED_CHILDREN);
}

// The name of a box, its given names cut to initials when the whole name
// would not fit in the box's lines.
std::string FittedName(HWND box, std::int32_t person) {
  const auto& store = Data().store;
  std::string name = PersonName(store, person);
  const dv::IndividualSummary* s = person ? store.Individual(person) : nullptr;
  RECT r{};
  GetClientRect(box, &r);
  if (!s || name.empty() || r.right <= 0) return name;
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT need = r;
  DrawTextA(dc, name.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  if (need.bottom <= r.bottom && need.right <= r.right) return name;
  const int lines = metrics.tmHeight > 0 ? r.bottom / metrics.tmHeight : 1;
  const int perLine = metrics.tmAveCharWidth > 0 ? r.right / metrics.tmAveCharWidth : 10;
  std::string fitted = dv::FitName(s->displayName, (lines > 0 ? lines : 1) * perLine - 2, false);
  std::string shown;
  for (char c : fitted)
    if (c != '/') shown += c == '_' ? ' ' : c;
  return shown.empty() ? name : shown;
}

std::vector<std::int32_t> ChildrenOf(std::int32_t person) {
  std::vector<std::int32_t> children;
  const auto& store = Data().store;
  for (std::int32_t f : store.FamiliesOf(person))
    if (const dv::FamilySummary* family = store.Family(f))
      for (std::int32_t c : family->children)
        if (c) children.push_back(c);
  return children;
}

void Fill(HWND dialog) {
  auto* session = ViewEditSession();
  if (!session) return;
  const auto& store = Data().store;
  const auto people = PedigreeOf(store, session->Page(Tab::kIndividual).index);
  // A new person in the middle clears the selection; a resize keeps it.
  if (people[1] != pedigree.people[1]) pedigree.selected = 0;
  pedigree.people = people;
  Place(dialog);
  for (int n = 1; n <= kPedigreeBoxes; ++n)
    SetDlgItemTextA(dialog, IDC_PED_BOX + n,
                    FittedName(GetDlgItem(dialog, IDC_PED_BOX + n), pedigree.people[n]).c_str());
  for (int k = 0; k < kPedigreeBoxes + 1 - kFirstOuter; ++k)
    EnableWindow(GetDlgItem(dialog, IDC_PED_FURTHER + k), pedigree.people[kFirstOuter + k] != 0);
  EnableWindow(GetDlgItem(dialog, IDC_PED_CHILDREN),
               pedigree.people[1] && !ChildrenOf(pedigree.people[1]).empty());
}

// The connector lines: from the right edge of each box to its parents' boxes.
void Paint(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  RECT client{};
  GetClientRect(dialog, &client);
  FillRect(dc, &client, PageBrush(false));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int n = 1; n < kFirstOuter; ++n) {
    const RECT child = BoxRect(n, client.right, client.bottom);
    const int midX = child.right + kGap / 2;
    const int y = (child.top + child.bottom) / 2;
    MoveToEx(dc, child.right, y, nullptr);
    LineTo(dc, midX, y);
    for (int parent : {2 * n, 2 * n + 1}) {
      const RECT p = BoxRect(parent, client.right, client.bottom);
      const int py = (p.top + p.bottom) / 2;
      MoveToEx(dc, midX, y, nullptr);
      LineTo(dc, midX, py);
      LineTo(dc, p.left, py);
    }
  }
  SelectObject(dc, old);
  DeleteObject(pen);
  EndPaint(dialog, &paint);
}

void Select(HWND dialog, int position) {
  pedigree.selected = pedigree.people[position] ? position : 0;
  if (ViewEdit().list) ListPanelClearSelection(ViewEdit().list);
  for (int n = 1; n <= kPedigreeBoxes; ++n) InvalidateRect(GetDlgItem(dialog, IDC_PED_BOX + n), nullptr, TRUE);
}

void GoToChildren(HWND dialog) {
  const std::vector<std::int32_t> children = ChildrenOf(pedigree.people[1]);
  if (children.size() == 1) {
    NavigateTo(Tab::kPedigree, children.front());
    return;
  }
  if (children.empty()) return;
  const auto& store = Data().store;
  for (std::int32_t f : store.FamiliesOf(pedigree.people[1])) {
    const dv::FamilySummary* family = store.Family(f);
    if (!family || !family->children[0]) continue;
    if (std::int32_t chosen = RunChildrenDialog(dialog, f)) NavigateTo(Tab::kIndividual, chosen);
    return;
  }
}

void OnCommand(HWND dialog, int id, int code) {
  if (id > IDC_PED_BOX && id <= IDC_PED_BOX + kPedigreeBoxes) {
    const int position = id - IDC_PED_BOX;
    if (code == STN_CLICKED) Select(dialog, position);
    if (code == STN_DBLCLK && pedigree.people[position])
      NavigateTo(Tab::kPedigree, pedigree.people[position]);
    return;
  }
  if (code != BN_CLICKED) return;
  if (id >= IDC_PED_FURTHER && id < IDC_PED_FURTHER + kPedigreeBoxes + 1 - kFirstOuter) {
    const std::int32_t person = pedigree.people[kFirstOuter + id - IDC_PED_FURTHER];
    if (person) NavigateTo(Tab::kPedigree, person);
  } else if (id == IDC_PED_CHILDREN) {
    GoToChildren(dialog);
  }
}

INT_PTR BoxColour(HDC dc, HWND control) {
  const int position = GetDlgCtrlID(control) - IDC_PED_BOX;
  if (position >= 1 && position <= kPedigreeBoxes && position == pedigree.selected) {
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace

std::array<std::int32_t, kPedigreeBoxes + 1> PedigreeOf(const dv::RecordStore& store,
                                                        std::int32_t base) {
  std::array<std::int32_t, kPedigreeBoxes + 1> people{};
  const dv::IndividualSummary* s = base ? store.Individual(base) : nullptr;
  if (!s || !s->line) return people;
  people[1] = base;
  for (int n = 1; 2 * n + 1 <= kPedigreeBoxes; ++n) {
    const dv::IndividualSummary* person = people[n] ? store.Individual(people[n]) : nullptr;
    const dv::FamilySummary* family =
        person && person->parentFamily ? store.Family(person->parentFamily) : nullptr;
    if (!family || !family->line) continue;
    people[2 * n] = family->husband;
    people[2 * n + 1] = family->wife;
  }
  return people;
}

int PedigreeSelection() { return pedigree.selected; }

HWND CreatePedigreePage(HWND parent) {
  pedigree = PedigreeState{};
  return CreatePageDialog(kPedigreeTemplate, parent, PedigreePageProc,
                            0);
}

INT_PTR CALLBACK PedigreePageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CreateControls(dialog);
      return FALSE;
    case kFillPage:
      Fill(dialog);
      return TRUE;
    case WM_SIZE:
      Fill(dialog);
      return TRUE;
    case WM_PAINT:
      Paint(dialog);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return BoxColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(PageBrush(false));
  }
  return FALSE;
}

}  // namespace dv::win
