#pragma once
// The Selective Tree the program holds: its chart (tables, layout, display
// list), the ancestors chosen for it and the lists its dialogs show, and the
// links to the parts of the program it needs: the loaded records, the
// chooser of the base individual, the page, the printer dialog. The base
// individual is the one the chart dialogs share (Data().selection), the
// chosen Ahnentafel numbers live beside it. Each link has a default and can
// be replaced by tests. One instance, reached through SelectiveTree(); tests
// call ResetSelectiveTreeState().

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "charts/selective/SelectiveChart.h"
#include "data/DataState.h"
#include "data/Lists.h"
#include "output/PageGeometry.h"

namespace dv {
class RecordStore;
}

namespace dv::win {

struct SelectiveTreeLinks {
  // The records of the data source, nullptr when none are loaded.
  std::function<const dv::RecordStore*()> store;
  // "List Individuals" and "List Descendants": lets the user choose the
  // base individual (from descendants when the list is given); true when
  // one was chosen (selection then holds it).
  std::function<bool(HWND dialog, ChartSelection& selection,
                     const std::vector<dv::ListEntry>* descendants)>
      chooseBase;
  // The printed page the chart is laid out on.
  std::function<dv::PageGeometry()> page;
  // "Printer...": the printer dialog.
  std::function<void(HWND dialog)> printerDialog;
};

// One chosen ancestor as the dialogs show it.
struct ChosenAncestor {
  std::string name;
  std::int32_t number = 0;
};

struct SelectiveTreeState {
  dv::SelectiveChart chart;
  SelectiveTreeLinks links;
  // The base individual whose ancestors were listed and chosen (0 none).
  std::int32_t ancestorsOf = 0;
  std::vector<dv::ListEntry> ancestorList;
  std::vector<ChosenAncestor> chosen;  // the selection, in the order chosen
  std::vector<dv::ListEntry> descendantList;
  // The manual format's shifts, kept while the program runs.
  std::vector<dv::ManualShift> manualFormat;
};

SelectiveTreeState& SelectiveTree();
void ResetSelectiveTreeState();

// The selection for the chart: the chosen ancestors' numbers, also copied
// to the shared chart selection.
std::vector<std::int32_t> ChosenNumbers();
void StoreChosen(ChartSelection& selection);
void ClearChosen(ChartSelection& selection);

// The defaults of the links.
bool ChooseBaseFromList(HWND dialog, ChartSelection& selection,
                        const std::vector<dv::ListEntry>* descendants);
dv::PageGeometry SelectiveTreePageGeometry();

// The page geometry as the Selective Tree reads it.
dv::SelectivePage SelectivePageOf(const dv::PageGeometry& geometry);

}  // namespace dv::win
