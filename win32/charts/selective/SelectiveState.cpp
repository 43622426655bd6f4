#include "charts/selective/SelectiveState.h"

#include <algorithm>

#include "charts/selective/SelectiveDialogRes.h"
#include "data/SelectIndividualDialog.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

SelectiveTreeState& Instance() {
  static SelectiveTreeState state;
  return state;
}

}  // namespace

SelectiveTreeState& SelectiveTree() { return Instance(); }

void ResetSelectiveTreeState() {
  SelectiveTreeState& s = Instance();
  s.chart.Release();
  s.links = {};
  s.ancestorsOf = 0;
  s.ancestorList.clear();
  s.chosen.clear();
  s.manualFormat.clear();
  s.descendantList.clear();
}

std::vector<std::int32_t> ChosenNumbers() {
  std::vector<std::int32_t> out;
  for (const ChosenAncestor& a : Instance().chosen) out.push_back(a.number);
  return out;
}

void StoreChosen(ChartSelection& selection) {
  selection.ancestors.fill(0);
  const auto& chosen = Instance().chosen;
  selection.ancestorCount = int(std::min<std::size_t>(chosen.size(), selection.ancestors.size()));
  for (int i = 0; i < selection.ancestorCount; ++i) selection.ancestors[i] = chosen[i].number;
}

void ClearChosen(ChartSelection& selection) {
  Instance().chosen.clear();
  Instance().descendantList.clear();
  StoreChosen(selection);
}

// The "Select Base Individual" list (or the descendants); the name field
// shows the key chosen. "Run" stays as the dialog sets it: a new base needs
// its ancestors chosen first.
bool ChooseBaseFromList(HWND dialog, ChartSelection& selection,
                        const std::vector<dv::ListEntry>* descendants) {
  return ChooseBaseIndividual(dialog, selection, IDC_ST_BASE_NAME, {}, descendants);
}

// The page as last computed for the printer, with the margins of the settings.
dv::PageGeometry SelectiveTreePageGeometry() {
  ProgramState& state = State();
  dv::PageGeometry g = state.page;
  g.margins = dv::PageMarginsOf(state.settings);
  return g;
}

dv::SelectivePage SelectivePageOf(const dv::PageGeometry& geometry) {
  dv::SelectivePage p;
  p.pageColumns = geometry.pageColumns;
  p.pageLines = geometry.pageLines;
  p.marginTop = geometry.margins.top;
  p.marginBottom = geometry.margins.bottom;
  p.marginLeft = geometry.margins.left;
  p.marginRight = geometry.margins.right;
  return p;
}

}  // namespace dv::win
