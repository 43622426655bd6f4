#pragma once
// The "Select Base Individual" dialog: the individuals of the data source
// in key order (or a chart's list of descendants), drawn on demand from the
// key list, with a search field that moves the list to the first key not
// sorting before what was typed. ChooseBaseIndividual is what the chart
// dialogs call.

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "data/DataState.h"
#include "data/Lists.h"
#include "data/RecordStore.h"

namespace dv::win {

inline constexpr char kSelectIndividualTemplate[] = "SELINDDLG";
inline constexpr int kSelectNamePrompt = 302;  // "Select a name from the list by clicking on it"
inline constexpr int kNoUnlinked = 303;        // "There are no unlinked individuals"
inline constexpr COLORREF kListBackground = 0xE1E1D7;

struct SelectIndividualSession {
  const dv::RecordStore* store = nullptr;
  // A chart's list of descendants to show instead of the key list.
  const std::vector<dv::ListEntry>* descendants = nullptr;
  // Key-list positions to show instead of every individual (unlinked only).
  const std::vector<std::int32_t>* subset = nullptr;
  // Results.
  std::int32_t chosenIndex = 0;  // individual index
  std::string chosenKey;         // its key (or list) text
  bool accepted = false;
  // While the dialog runs.
  bool modal = false;
  HFONT font = nullptr;
  HBRUSH background = nullptr;
};

bool RunSelectIndividualDialog(HWND owner, SelectIndividualSession& session);
INT_PTR CALLBACK SelectIndividualDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);

// Opens the dialog over a chart dialog; on OK the chosen individual becomes
// the selection's base individual (index, number, key text), the chart
// dialog's name field shows the key and its run buttons are enabled.
bool ChooseBaseIndividual(HWND chartDialog, ChartSelection& selection, int nameField,
                          std::initializer_list<int> runButtons,
                          const std::vector<dv::ListEntry>* descendants = nullptr);

// The unlinked individuals (key-list positions); when there are none the
// information box "There are no unlinked individuals" is shown.
std::vector<std::int32_t> UnlinkedOnly(HWND owner, const dv::RecordStore& store);

}  // namespace dv::win
