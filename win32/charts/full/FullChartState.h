#pragma once
// The full chart the program holds and the links to the parts of the
// program it needs: the loaded records, the chooser of the base individual
// (shared with the other chart dialogs, Data().selection), the page it is
// laid out on, whether a printer can be reached, and the printer dialog.
// Each link has a default and can be replaced by tests. One instance,
// reached through Full(); tests call ResetFullChartState().

#include <windows.h>

#include <functional>

#include "charts/full/FullChart.h"
#include "data/DataState.h"

namespace dv {
class RecordStore;
}

namespace dv::win {

struct FullChartLinks {
  std::function<const dv::RecordStore*()> store;
  std::function<bool(HWND dialog, ChartSelection& selection)> chooseBase;
  // The page the chart is laid out on, fetched when the dialog opens and
  // when the Format changes.
  std::function<dv::FullChartPage()> page;
  // Whether a printer device can be opened (without one, only a chart
  // without page breaks can be made, measured on the screen).
  std::function<bool()> printerReached;
  std::function<void(HWND dialog)> printerDialog;
};

struct FullChartState {
  dv::FullChart chart;
  FullChartLinks links;
  dv::FullChartPage page;  // fetched for the next run
};

FullChartState& Full();
void ResetFullChartState();

// The page from the program's page geometry and the settings' chart
// margins; the printer's pixels per inch when it can be asked, else those
// of 20 columns and 12 lines to the inch.
dv::FullChartPage FullChartPageGeometry();
bool FullChartPrinterReached();

// Settings slots of the full chart.
inline constexpr int kSlotBoxChart = 26;      // dparam: 1 BoxChart, 0 Tree
inline constexpr int kSlotNoPageBreaks = 42;  // dparam
inline constexpr int kSlotTitle = 41;         // dparam

}  // namespace dv::win
