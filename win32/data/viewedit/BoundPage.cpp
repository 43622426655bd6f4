#include "data/viewedit/BoundPage.h"

#include "data/ColumnPickerDialog.h"
#include "data/DataState.h"
#include "data/viewedit/ViewEditFrame.h"

namespace dv::win {

namespace {

const BoundPageLayout* LayoutOf(HWND dialog) {
  return reinterpret_cast<const BoundPageLayout*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

dv::viewedit::RecordPage* PageModel(const BoundPageLayout& layout) {
  auto* session = ViewEditSession();
  return session ? &session->Page(layout.tab) : nullptr;
}

void Fill(HWND dialog, const BoundPageLayout& layout) {
  auto* page = PageModel(layout);
  if (!page) return;
  const bool edit = EditState();
  FillFields(dialog, *page, layout.fields, edit);
  for (const PointerBinding& p : layout.pointers) {
    FillingScope filling;
    const std::string pointer = dv::viewedit::GetField(*page, p.field);
    SetDlgItemTextA(dialog, p.control, PointedRecordText(Data().store, p.kind, pointer).c_str());
    EnableWindow(GetDlgItem(dialog, p.chooseButton), edit);
  }
  for (const ItemBrowserControls& b : layout.browsers) FillItemBrowser(dialog, b, *page, edit);
  if (layout.associates) FillAssociateBrowser(dialog, *layout.associates, *page, edit);
  if (!layout.submitterFields.empty())
    FillFields(dialog, ViewEditSession()->SubmitterPage(), layout.submitterFields, edit);
  if (layout.recordButtons) ShowRecordButtons(dialog, *page, edit);
  InvalidateRect(dialog, nullptr, TRUE);
}

// The index of the record a pointer names, 0 when none.
std::int32_t PointedIndex(const dv::RecordStore& store, dv::RecordKind kind,
                          const std::string& pointer) {
  const dv::KindIndex& records = store.Kind(kind);
  if (!records.exists || pointer.empty()) return 0;
  for (std::int32_t i = 1; i <= records.count; ++i)
    if (store.RecordLine(kind, i) && store.XrefOf(kind, i) == pointer) return i;
  return 0;
}

void ChoosePointer(HWND dialog, const BoundPageLayout& layout, const PointerBinding& p,
                   dv::viewedit::RecordPage& page) {
  if (!EditState()) return;
  const auto& store = Data().store;
  const std::int32_t current = PointedIndex(store, p.kind, dv::viewedit::GetField(page, p.field));
  const std::int32_t chosen = PickRecord(dialog, p.picker, current, true);
  if (!chosen || dv::viewedit::SetField(page, p.field, store.XrefOf(p.kind, chosen)) != 0) return;
  Fill(dialog, layout);
}

void OnCommand(HWND dialog, const BoundPageLayout& layout, int id, int code) {
  auto* page = PageModel(layout);
  if (!page) return;
  for (const PointerBinding& p : layout.pointers)
    if (id == p.chooseButton && code == BN_CLICKED) {
      ChoosePointer(dialog, layout, p, *page);
      return;
    }
  for (const ItemBrowserControls& b : layout.browsers)
    if (ItemBrowserCommand(dialog, b, *page, id, code)) return;
  if (layout.associates && AssociateBrowserCommand(dialog, *layout.associates, *page, id, code))
    return;
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
  if (code == EN_CHANGE && !layout.submitterFields.empty() &&
      StoreField(dialog, ViewEditSession()->SubmitterPage(), layout.submitterFields, id))
    return;
  if ((code == EN_CHANGE || code == BN_CLICKED) && StoreField(dialog, *page, layout.fields, id) &&
      !Filling() && layout.recordButtons)
    ShowRecordButtons(dialog, *page, EditState());
}

}  // namespace

std::string PointedRecordText(const dv::RecordStore& store, dv::RecordKind kind,
                              const std::string& pointer) {
  if (pointer.empty()) return {};
  const dv::KindIndex& records = store.Kind(kind);
  if (records.exists)
    for (const auto& key : records.keys)
      if (key.key && store.XrefOf(kind, key.index) == pointer) return key.key;
  return pointer;
}

HWND CreateBoundPage(HWND parent, const BoundPageLayout& layout) {
  return CreatePageDialog(layout.templateName, parent, BoundPageProc,
                          reinterpret_cast<LPARAM>(&layout));
}

INT_PTR CALLBACK BoundPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return FALSE;
  }
  const BoundPageLayout* layout = LayoutOf(dialog);
  if (!layout) return FALSE;
  switch (message) {
    case kFillPage:
      Fill(dialog, *layout);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, *layout, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                        layout->editColours && EditState());
  }
  return FALSE;
}

}  // namespace dv::win
