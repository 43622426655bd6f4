#pragma once
// The Birth Brief the program holds: its chart (tables, display list,
// extent) and the links to the parts of the program it needs: the loaded
// records, the chooser of the base individual, the page geometry and the
// printer dialog. The base individual is the one the chart dialogs share
// (Data().selection). Each link has a
// default (below) and can be replaced by tests. One instance, reached
// through BirthBrief(); tests call ResetBirthBriefState().

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "charts/selective/BirthBriefChart.h"
#include "data/DataState.h"
#include "output/PageGeometry.h"

namespace dv {
class RecordStore;
}

namespace dv::win {

struct BirthBriefLinks {
  // The records of the data source, nullptr when none are loaded.
  std::function<const dv::RecordStore*()> store;
  // "List Individuals": lets the user choose the base individual over the
  // dialog; true when one was chosen (selection then holds it).
  std::function<bool(HWND dialog, ChartSelection& selection)> chooseBase;
  // The printed page the chart is laid out on, measured just before a run.
  std::function<dv::PageGeometry()> page;
  // "Printer...": the printer dialog.
  std::function<void(HWND dialog)> printerDialog;
};

struct BirthBriefState {
  dv::BirthBriefChart chart;
  BirthBriefLinks links;
};

BirthBriefState& BirthBrief();
void ResetBirthBriefState();

// The links' defaults, for callers that find a link empty.
const dv::RecordStore* LoadedRecordStore();
bool ChooseFromIndividuals(HWND dialog, ChartSelection& selection);
dv::PageGeometry BirthBriefPageGeometry();
void OpenPrinterDialog(HWND dialog);

// The display name of an individual of the store ("" when none).
std::string BaseDisplayName(const dv::RecordStore* store, std::int32_t index);

}  // namespace dv::win
