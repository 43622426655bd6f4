#include "data/viewedit/BoundPage.h"

#include "data/ColumnPickerDialog.h"
#include "data/DataState.h"
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
  for (const PointerBinding& p : spec.pointers) {
    FillingScope filling;
    const std::string pointer = dv::viewedit::GetField(*page, p.field);
    SetDlgItemTextA(dialog, p.control, PointedRecordText(Data().store, p.kind, pointer).c_str());
    EnableWindow(GetDlgItem(dialog, p.chooseButton), edit);
  }
  for (const ItemBrowserSpec& b : spec.browsers) FillItemBrowser(dialog, b, *page, edit);
  if (spec.associates) FillAssociateBrowser(dialog, *spec.associates, *page, edit);
  if (!spec.submitterFields.empty())
    FillFields(dialog, ViewEditSession()->SubmitterPage(), spec.submitterFields, edit);
  if (spec.recordButtons) ShowRecordButtons(dialog, *page, edit);
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

void ChoosePointer(HWND dialog, const BoundPageSpec& spec, const PointerBinding& p,
                   dv::viewedit::RecordPage& page) {
  if (!EditState()) return;
  const auto& store = Data().store;
  const std::int32_t current = PointedIndex(store, p.kind, dv::viewedit::GetField(page, p.field));
  const std::int32_t chosen = PickRecord(dialog, p.picker, current, true);
  if (!chosen || dv::viewedit::SetField(page, p.field, store.XrefOf(p.kind, chosen)) != 0) return;
  Fill(dialog, spec);
}

void OnCommand(HWND dialog, const BoundPageSpec& spec, int id, int code) {
  auto* page = PageModel(spec);
  if (!page) return;
  for (const PointerBinding& p : spec.pointers)
    if (id == p.chooseButton && code == BN_CLICKED) {
      ChoosePointer(dialog, spec, p, *page);
      return;
    }
  for (const ItemBrowserSpec& b : spec.browsers)
    if (ItemBrowserCommand(dialog, b, *page, id, code)) return;
  if (spec.associates && AssociateBrowserCommand(dialog, *spec.associates, *page, id, code)) return;
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
  if (code == EN_CHANGE && !spec.submitterFields.empty() &&
      StoreField(dialog, ViewEditSession()->SubmitterPage(), spec.submitterFields, id))
    return;
  if ((code == EN_CHANGE || code == BN_CLICKED) && StoreField(dialog, *page, spec.fields, id) &&
      !Filling() && spec.recordButtons)
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
