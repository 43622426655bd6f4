#pragma once
// The data source the program has open: its record store, how the Data
// Source dialog was opened, the chart selections that a new data source
// clears, and the widths the record pickers keep while the program runs.
// One instance, reached through Data(); tests call ResetDataState().

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "data/Lists.h"
#include "data/RecordStore.h"

namespace dv::win {

// The base individual and ancestors chosen in the chart dialogs.
struct ChartSelection {
  std::int32_t baseIndex = 0;                // individual index, 0 = none
  std::int32_t baseNumber = 0;               // its cross-reference number
  std::string baseName;                      // its key text
  std::array<std::int32_t, 18> ancestors{};  // Ahnentafel numbers chosen for lines of descent
  int ancestorCount = 0;
};

// Which file box a hook is asked to stand in for.
enum class FileBox : int { kDataSource = 0, kSaveAs = 1 };

// Calls that open system dialogs or start programs, replaceable by tests.
struct DataHooks {
  // Stands in for the open- and save-file boxes: true and the path, or false when cancelled.
  std::function<bool(HWND owner, FileBox box, std::string& path)> chooseFile;
  // Stands in for the colour chooser: true on OK; error is CommDlgExtendedError's value.
  std::function<bool(HWND owner, std::array<COLORREF, 16>& colours, DWORD& error)> chooseColour;
  // Stands in for starting a program: WinExec's result.
  std::function<UINT(const std::string& commandLine)> runProgram;
};

struct DataState {
  dv::RecordStore store;
  int openMode = 0;  // 1 while the Data Source dialog was opened automatically at start-up
  ChartSelection selection;
  std::array<std::array<int, kPickerColumns>, 4> pickerWidths{};  // 0 = the default width
  std::int32_t selectedRecord = 0;  // record chosen in the view/edit list
  DataHooks hooks;
};

DataState& Data();
void ResetDataState();

}  // namespace dv::win
