#include "data/viewedit/SourceCitationPanel.h"

#include <array>

#include "data/ColumnPickerDialog.h"
#include "data/DataState.h"
#include "data/Lists.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/SourceCitationPanelRes.h"
#include "data/viewedit/ViewEditFrame.h"

namespace dv::win {

using dv::viewedit::Tab;

namespace {

// The citation shown: whose page, and the field names under its prefix.
struct CitationState {
  Tab tab = Tab::kIndividual;
  std::string prefix;
  std::array<std::string, 7> names;
  std::array<FieldBinding, 7> fields{};
};
CitationState citation;

void Bind(Tab tab, const std::string& prefix) {
  static constexpr std::pair<int, const char*> kParts[] = {
      {IDC_CIT_PAGE, ".page"},   {IDC_CIT_EVENT, ".event"},     {IDC_CIT_ROLE, ".role"},
      {IDC_CIT_DATE, ".date"},   {IDC_CIT_TEXT, ".text"},       {IDC_CIT_QUALITY, ".quality"},
      {IDC_CIT_NOTE, ".note"}};
  citation.tab = tab;
  citation.prefix = prefix;
  for (std::size_t i = 0; i < std::size(kParts); ++i) {
    citation.names[i] = prefix + kParts[i].second;
    const bool longText = kParts[i].first == IDC_CIT_TEXT || kParts[i].first == IDC_CIT_NOTE;
    citation.fields[i] = {kParts[i].first, citation.names[i].c_str(), longText ? 16000 : 248};
  }
}

dv::viewedit::RecordPage* PageModel() {
  auto* session = ViewEditSession();
  return session ? &session->Page(citation.tab) : nullptr;
}

void Fill(HWND dialog) {
  auto* page = PageModel();
  if (!page) return;
  const bool edit = EditState();
  FillFields(dialog, *page, citation.fields, edit);
  FillingScope filling;
  SetDlgItemTextA(dialog, IDC_CIT_SOURCE,
                  CitedSourceText(Data().store, dv::viewedit::GetField(*page, citation.prefix))
                      .c_str());
  EnableWindow(GetDlgItem(dialog, IDC_CIT_CHOOSE), edit);
}

// The index of the source a pointer names, 0 when none.
std::int32_t SourceIndex(const dv::RecordStore& store, const std::string& pointer) {
  const dv::KindIndex& sources = store.Kind(dv::kSour);
  if (!sources.exists || pointer.empty()) return 0;
  for (std::int32_t i = 1; i <= sources.count; ++i)
    if (store.RecordLine(dv::kSour, i) && store.XrefOf(dv::kSour, i) == pointer) return i;
  return 0;
}

void ChooseSource(HWND dialog) {
  auto* page = PageModel();
  if (!page || !EditState()) return;
  const auto& store = Data().store;
  const std::int32_t current =
      SourceIndex(store, dv::viewedit::GetField(*page, citation.prefix));
  const std::int32_t chosen = PickRecord(dialog, dv::PickerKind::kSource, current, true);
  if (!chosen) return;
  if (dv::viewedit::SetField(*page, citation.prefix, store.XrefOf(dv::kSour, chosen)) == 0) {
    Fill(dialog);
    if (ViewEdit().page) SendMessageA(ViewEdit().page, kFillPage, 0, 0);
  }
}

}  // namespace

std::string CitedSourceText(const dv::RecordStore& store, const std::string& pointer) {
  if (pointer.empty()) return {};
  const dv::KindIndex& sources = store.Kind(dv::kSour);
  if (sources.exists)
    for (const auto& key : sources.keys)
      if (key.key && store.XrefOf(dv::kSour, key.index) == pointer) return key.key;
  return pointer;
}

HWND CreateSourceCitationPanel(HWND parent, Tab tab, const std::string& prefix) {
  Bind(tab, prefix);
  return CreatePageDialog(kSourceCitationTemplate, parent,
                            SourceCitationPanelProc, 0);
}

INT_PTR CALLBACK SourceCitationPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return FALSE;
    case kFillPage:
      Fill(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IDC_CIT_CLOSE && code == BN_CLICKED) {
        CloseCitationPanel();
        return TRUE;
      }
      if (id == IDC_CIT_CHOOSE && code == BN_CLICKED) {
        ChooseSource(dialog);
        return TRUE;
      }
      auto* page = PageModel();
      // The page shows its changed mark (Add enabled) as the citation is typed.
      if (page && code == EN_CHANGE && StoreField(dialog, *page, citation.fields, id) &&
          !Filling() && ViewEdit().page)
        SendMessageA(ViewEdit().page, kFillPage, 0, 0);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false);
  }
  return FALSE;
}

}  // namespace dv::win
