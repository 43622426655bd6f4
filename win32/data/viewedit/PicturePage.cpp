#include "data/viewedit/PicturePage.h"

#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/PicturePageRes.h"
#include "data/viewedit/ViewEditFrame.h"
#include "output/GdiGuards.h"
#include "output/GdiSurface.h"
#include "output/pictures/PictureLoad.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/ShowMessage.h"

namespace dv::win {

using dv::viewedit::RecordPage;
using dv::viewedit::Tab;

namespace {

constexpr int kAskDeleteItem = 221;     // "Delete this item?"
constexpr int kPictureFilter = 227;     // the open dialog's picture types
constexpr int kLabelNoItems = 377;      // "No multimedia items"
constexpr int kLabelItemOf = 378;       // "%d of %d"
constexpr int kTitleLimit = 63, kFileLimit = 248, kFormLimit = 31;

// The page's state: one Multimedia page exists at a time.
struct PictureState {
  Tab tab = Tab::kIndividual;
  std::int32_t record = -1; // the record the items belong to
  int chosen = 0;           // 1-based place in the page's media items
  std::string loadedPath;   // the file the picture below came from
  int loadedWidth = 0, loadedHeight = 0;
  dv::PixelImage picture;   // fitted into the box
  int boxWidth = 0, boxHeight = 0;
  std::string message;      // shown beside the box
};

PictureState& Shown() {
  static PictureState state;
  return state;
}

PictureChooser chooser = nullptr;

RecordPage* PageOf() {
  auto* session = ViewEditSession();
  return session ? &session->Page(Shown().tab) : nullptr;
}

std::string FieldName(int n, const char* field) {
  return "media." + std::to_string(n) + "." + field;
}

bool Live(const RecordPage& page, int n) {
  return n >= 1 && n <= static_cast<int>(page.media.size()) &&
         !page.media[static_cast<std::size_t>(n - 1)].removed;
}

// The file's extension in lower case, without its dot ("" when none).
std::string ExtensionOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// Decodes the chosen item's picture into the box (again only when the file
// or the box changed) and sets the message beside it.
void LoadChosen(HWND dialog, const RecordPage& page) {
  PictureState& s = Shown();
  RECT box{};
  GetClientRect(GetDlgItem(dialog, IDC_PIC_BOX), &box);
  s.boxWidth = std::max<int>(0, box.right - 2);
  s.boxHeight = std::max<int>(0, box.bottom - 2);
  const std::string name =
      Live(page, s.chosen) ? dv::viewedit::GetField(page, FieldName(s.chosen, "file")) : std::string();
  const std::string path =
      name.empty() ? std::string() : dv::ResolvePicturePath(name, TextOf(State().app.currentSource));
  if (!path.empty() && path == s.loadedPath && s.boxWidth == s.loadedWidth &&
      s.boxHeight == s.loadedHeight)
    return;
  s.picture = dv::PixelImage{};
  s.message.clear();
  s.loadedPath = path;
  s.loadedWidth = s.boxWidth;
  s.loadedHeight = s.boxHeight;
  if (name.empty()) return;
  if (path.empty()) {
    s.message = std::string(dv::StringText(dv::kMsgPicCannotOpen)) + "\r\n" + name;
    return;
  }
  if (s.boxWidth <= 0 || s.boxHeight <= 0) return;
  dv::PictureFit fit;
  fit.boxWidth = s.boxWidth;
  fit.boxHeight = s.boxHeight;
  std::string detail;
  const int result = dv::LoadFittedPicture(path, fit, s.picture, detail);
  if (result == 0) return;
  s.picture = dv::PixelImage{};
  if (result < 0)
    s.message = std::string(dv::StringText(kMsgPicNotAPicture)) + name;
  else
    s.message = std::string(dv::StringText(result)) + detail;
}

void FillList(HWND dialog, const RecordPage& page) {
  PictureState& s = Shown();
  HWND list = GetDlgItem(dialog, IDC_PIC_ITEMS);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (!Live(page, s.chosen)) s.chosen = 0;
  int chosenRow = -1, place = 0, chosenPlace = 0;
  for (int n = 1; n <= static_cast<int>(page.media.size()); ++n) {
    if (!Live(page, n)) continue;
    ++place;
    if (!s.chosen) s.chosen = n;
    std::string row = dv::viewedit::GetField(page, FieldName(n, "title"));
    if (row.empty()) row = dv::viewedit::GetField(page, FieldName(n, "file"));
    const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), n);
    if (n == s.chosen) {
      chosenRow = static_cast<int>(at);
      chosenPlace = place;
    }
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chosenRow), 0);
  std::string count;
  if (place == 0) {
    count = dv::StringText(kLabelNoItems);
  } else {
    char text[64];
    std::snprintf(text, sizeof text, std::string(dv::StringText(kLabelItemOf)).c_str(), chosenPlace,
                  place);
    count = text;
  }
  SetDlgItemTextA(dialog, IDC_PIC_COUNT, count.c_str());
}

void FillChosen(HWND dialog, const RecordPage& page, bool edit) {
  PictureState& s = Shown();
  const bool any = Live(page, s.chosen);
  {
    FillingScope filling;
    const struct {
      int control;
      const char* field;
      int limit;
    } fields[] = {{IDC_PIC_TITLE, "title", kTitleLimit},
                  {IDC_PIC_FILE, "file", kFileLimit},
                  {IDC_PIC_FORM, "form", kFormLimit}};
    for (const auto& f : fields) {
      HWND box = GetDlgItem(dialog, f.control);
      SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
      SetWindowTextA(box, any ? dv::viewedit::GetField(page, FieldName(s.chosen, f.field)).c_str() : "");
      SendMessageA(box, EM_SETREADONLY, edit && any ? FALSE : TRUE, 0);
    }
  }
  EnableWindow(GetDlgItem(dialog, IDC_PIC_NEW),
               edit && static_cast<int>(page.media.size()) < dv::viewedit::kMaxMedia);
  EnableWindow(GetDlgItem(dialog, IDC_PIC_DELETE), edit && any);
  LoadChosen(dialog, page);
  SetDlgItemTextA(dialog, IDC_PIC_MESSAGE, s.message.c_str());
  InvalidateRect(GetDlgItem(dialog, IDC_PIC_BOX), nullptr, TRUE);
}

void Fill(HWND dialog) {
  const RecordPage* page = PageOf();
  if (!page) return;
  // Another record shown: its first item is chosen.
  if (page->index != Shown().record) Shown().chosen = 0;
  Shown().record = page->index;
  FillList(dialog, *page);
  FillChosen(dialog, *page, EditState());
}

bool DefaultChooser(HWND owner, std::string& path) {
  const std::string filter = FilterFromString(dv::StringText(kPictureFilter));
  char buffer[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = "Insert Picture";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return false;
  path = buffer;
  return true;
}

// "New": an item for a chosen picture file, its format from the extension.
void AddItem(HWND dialog, RecordPage& page) {
  std::string path;
  if (!(chooser ? chooser : DefaultChooser)(dialog, path) || path.empty()) return;
  const int n = static_cast<int>(page.media.size()) + 1;
  int result = dv::viewedit::SetField(page, FieldName(n, "file"), path);
  if (result == 0) {
    const std::string form = ExtensionOf(path);
    if (!form.empty()) dv::viewedit::SetField(page, FieldName(n, "form"), form);
    Shown().chosen = n;
  }
  if (result > 0) showMessage(dialog, result, false);
}

void DeleteItem(HWND dialog, RecordPage& page) {
  PictureState& s = Shown();
  if (!Live(page, s.chosen) || showMessage(dialog, kAskDeleteItem, true) != 0) return;
  dv::viewedit::SetField(page, FieldName(s.chosen, "delete"), "Y");
  s.chosen = 0;
}

// A typed field goes to the page; a refusal puts the page's text back.
void StoreTyped(HWND dialog, RecordPage& page, int control, const char* field) {
  PictureState& s = Shown();
  if (Filling() || !Live(page, s.chosen)) return;
  std::vector<char> buffer(
      static_cast<std::size_t>(GetWindowTextLengthA(GetDlgItem(dialog, control))) + 1);
  GetDlgItemTextA(dialog, control, buffer.data(), static_cast<int>(buffer.size()));
  const std::string name = FieldName(s.chosen, field);
  const int result = dv::viewedit::SetField(page, name, buffer.data());
  if (result > 0) {
    showMessage(dialog, result, false);
    FillingScope filling;
    SetDlgItemTextA(dialog, control, dv::viewedit::GetField(page, name).c_str());
  }
  FillList(dialog, page);  // the row shows the title or the file
  if (control == IDC_PIC_FILE) {
    LoadChosen(dialog, page);
    SetDlgItemTextA(dialog, IDC_PIC_MESSAGE, s.message.c_str());
    InvalidateRect(GetDlgItem(dialog, IDC_PIC_BOX), nullptr, TRUE);
  }
}

void OnCommand(HWND dialog, int control, int code) {
  RecordPage* page = PageOf();
  if (!page) return;
  const bool edit = EditState();
  switch (control) {
    case IDC_PIC_ITEMS:
      if (code == LBN_SELCHANGE) {
        HWND list = GetDlgItem(dialog, IDC_PIC_ITEMS);
        const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (row != LB_ERR) Shown().chosen = static_cast<int>(SendMessageA(list, LB_GETITEMDATA, row, 0));
        FillList(dialog, *page);
        FillChosen(dialog, *page, edit);
      }
      return;
    case IDC_PIC_NEW:
    case IDC_PIC_DELETE:
      if (!edit || Filling() || code != BN_CLICKED) return;
      if (control == IDC_PIC_NEW)
        AddItem(dialog, *page);
      else
        DeleteItem(dialog, *page);
      RefreshViewEdit();  // fills this page again, and the toolbar
      return;
    case IDC_PIC_TITLE:
      if (code == EN_CHANGE) StoreTyped(dialog, *page, control, "title");
      return;
    case IDC_PIC_FILE:
      if (code == EN_CHANGE) StoreTyped(dialog, *page, control, "file");
      return;
    case IDC_PIC_FORM:
      if (code == EN_CHANGE) StoreTyped(dialog, *page, control, "form");
      return;
  }
}

// The box: framed, with the fitted picture centred in it.
void DrawBox(const DRAWITEMSTRUCT& item) {
  const PictureState& s = Shown();
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  if (s.picture.empty()) return;
  const int left = r.left + 1 + (s.boxWidth - s.picture.width) / 2;
  const int top = r.top + 1 + (s.boxHeight - s.picture.height) / 2;
  GdiSurface surface(item.hDC);
  surface.Picture(left, top, left + s.picture.width, top + s.picture.height, s.picture, {});
}

}  // namespace

HWND CreatePicturePage(HWND parent, Tab tab) {
  Shown() = PictureState{};
  Shown().tab = tab;
  return CreatePageDialog(kPicturePageTemplate, parent, PicturePageProc, 0);
}

INT_PTR CALLBACK PicturePageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return FALSE;
    case kFillPage:
      Fill(dialog);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!item || item->CtlID != IDC_PIC_BOX) return FALSE;
      DrawBox(*item);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false);
  }
  return FALSE;
}

PictureShown PicturePageShown() {
  const PictureState& s = Shown();
  return {s.picture.width, s.picture.height, s.boxWidth, s.boxHeight, s.message};
}

void SetPicturePageChooser(PictureChooser c) { chooser = c; }

}  // namespace dv::win
