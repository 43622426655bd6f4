#include "charts/selective/BirthBriefState.h"

#include <algorithm>
#include <cstring>

#include "charts/selective/BirthBriefDialogRes.h"
#include "data/RecordStore.h"
#include "data/SelectIndividualDialog.h"
#include "resources/resource.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

// Settings slots read here (dparam).
constexpr int kLastPageColumnsSlot = 27;
constexpr int kLastPageLinesSlot = 28;
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

// The page the chart is laid out on: the margins of the settings and the
// page the Birth Brief printer font gives (6 W + 34 columns and 130 lines
// inside the margins), or the last printer's page when that is larger.
dv::PageGeometry BirthBriefPageGeometry() {
  const dv::Settings& settings = State().settings;
  dv::PageGeometry g;
  g.margins = dv::PageMarginsOf(settings);
  const int width = std::clamp(settings.dparam[kCharsPerGenerationSlot], 20, 31);
  g.pageColumns =
      std::max(settings.dparam[kLastPageColumnsSlot], dv::BirthBriefColumns(width, g.margins));
  g.pageLines = std::max(settings.dparam[kLastPageLinesSlot],
                         dv::kBirthBriefLines + g.margins.top + g.margins.bottom);
  g.usableColumns = g.pageColumns - g.margins.left - g.margins.right;
  g.usableLines = g.pageLines - g.margins.top - g.margins.bottom;
  return g;
}

void OpenPrinterDialog(HWND) {
  if (HWND main = State().app.mainWindow)
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS_PRINTER, 0), 0);
}

std::string BaseDisplayName(const dv::RecordStore* store, std::int32_t index) {
  if (store == nullptr || index <= 0) return {};
  const dv::IndividualSummary* person = store->Individual(index);
  if (person == nullptr || person->id == 0) return {};
  return std::string(person->displayName,
                     ::strnlen(person->displayName, sizeof person->displayName));
}

}  // namespace dv::win
