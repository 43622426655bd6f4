#include "charts/selective/BirthBriefState.h"

#include <algorithm>
#include <cstring>

#include "charts/selective/BirthBriefDialogRes.h"
#include "data/RecordStore.h"
#include "data/SelectIndividualDialog.h"
#include "output/PrintSetup.h"
#include "output/PrinterDialog.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

// Settings slot of the characters per generation (dparam).
constexpr int kCharsPerGenerationSlot = 39;

BirthBriefState& Instance() {
  static BirthBriefState state;
  return state;
}

}  // namespace

BirthBriefState& BirthBrief() { return Instance(); }

void ResetBirthBriefState() {
  BirthBriefState& s = Instance();
  s.chart.Release();
  s.links = {};
}

// The record store of the open data source, while it holds GEDCOM records.
const dv::RecordStore* LoadedRecordStore() {
  return State().app.recordsLoaded != 0 ? &Data().store : nullptr;
}

// The "Select Base Individual" list; the name field shows the key chosen
// and "Run" is enabled.
bool ChooseFromIndividuals(HWND dialog, ChartSelection& selection) {
  return ChooseBaseIndividual(dialog, selection, IDC_BB_BASE_NAME, {IDC_BB_RUN});
}

// The page the chart is laid out on. With a printer, the Birth Brief's
// printer font is fitted to it first (6 W + 34 columns and 130 lines inside
// the margins). Without one, the page as last computed, widened to that
// size where it is smaller, so that no column is cut off.
dv::PageGeometry BirthBriefPageGeometry() {
  ProgramState& state = State();
  const int width = std::clamp(state.settings.dparam[kCharsPerGenerationSlot], 20, 31);
  if (FitBirthBriefOnPrinter(state, width)) return state.page;
  dv::PageGeometry g = state.page;
  g.margins = dv::PageMarginsOf(state.settings);
  g.pageColumns = std::max(g.pageColumns, dv::BirthBriefColumns(width, g.margins));
  g.pageLines = std::max(g.pageLines, dv::kBirthBriefLines + g.margins.top + g.margins.bottom);
  g.usableColumns = g.pageColumns - g.margins.left - g.margins.right;
  g.usableLines = g.pageLines - g.margins.top - g.margins.bottom;
  return g;
}

// The printer dialog of Options, Printer (command 9), owned by the chart
// dialog so that it stays modal over it.
void OpenPrinterDialog(HWND dialog) { OnPrinterDialog(dialog, 0, 0); }

std::string BaseDisplayName(const dv::RecordStore* store, std::int32_t index) {
  if (store == nullptr || index <= 0) return {};
  const dv::IndividualSummary* person = store->Individual(index);
  if (person == nullptr || person->id == 0) return {};
  return std::string(person->displayName.view());
}

}  // namespace dv::win
