#include "data/viewedit/BoundPage.h"

#include "data/viewedit/ViewEditFrame.h"

namespace dv::win {

namespace {

const BoundPageSpec* SpecOf(HWND dialog) {
  return reinterpret_cast<const BoundPageSpec*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

dv::viewedit::RecordPage* PageModel(const BoundPageSpec& spec) {
  auto* session = ViewEditSession();
  return session ? &session->Page(spec.tab) : nullptr;
}

void Fill(HWND dialog, const BoundPageSpec& spec) {
  auto* page = PageModel(spec);
  if (!page) return;
  const bool edit = EditState();
  FillFields(dialog, *page, spec.fields, edit);
  if (spec.recordButtons) ShowRecordButtons(dialog, *page, edit);
  InvalidateRect(dialog, nullptr, TRUE);
}

void OnCommand(HWND dialog, const BoundPageSpec& spec, int id, int code) {
  auto* page = PageModel(spec);
  if (!page) return;
  if (code == BN_CLICKED) {
    switch (id) {
      case kPageNew:
        NewShownRecord(dialog);
        return;
      case kPageAdd:
        StoreShownPage(dialog);
        return;
      case kPageDelete:
        DeleteShownRecord(dialog);
        return;
    }
  }
  if ((code == EN_CHANGE || code == BN_CLICKED) && StoreField(dialog, *page, spec.fields, id) &&
      !Filling() && spec.recordButtons)
    ShowRecordButtons(dialog, *page, EditState());
}

}  // namespace

HWND CreateBoundPage(HWND parent, const BoundPageSpec& spec) {
  return CreatePageDialog(spec.templateName, parent, BoundPageProc,
                            reinterpret_cast<LPARAM>(&spec));
}

INT_PTR CALLBACK BoundPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return FALSE;
  }
  const BoundPageSpec* spec = SpecOf(dialog);
  if (!spec) return FALSE;
  switch (message) {
    case kFillPage:
      Fill(dialog, *spec);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, *spec, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                        spec->editColours && EditState());
  }
  return FALSE;
}

}  // namespace dv::win
