#pragma once
// The record pickers ("Individual List", "Family List", "Source List",
// "Repository List"): a four-column list of the records of one kind, opened
// by the view/edit pages to choose a linked record. The column widths the
// user leaves are kept for the next time the same picker opens.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "data/Lists.h"
#include "data/RecordStore.h"

namespace dv::win {

inline constexpr char kPickerTemplate[] = "PICKDLG";

struct PickerSession {
  const dv::RecordStore* store = nullptr;
  dv::PickerKind kind = dv::PickerKind::kIndividual;
  std::int32_t current = 0;  // the page's current link, preselected
  bool editState = false;    // only the edit state takes a choice
  // Results.
  std::int32_t chosen = 0;  // record index, 0 = none
  // While the dialog runs.
  bool modal = false;
  std::vector<dv::PickerRow> rows;
};

// Runs the picker; the chosen record index, or 0 on Cancel or in view state.
std::int32_t PickRecord(HWND owner, dv::PickerKind kind, std::int32_t current, bool editState);

bool RunPickerDialog(HWND owner, PickerSession& session);
INT_PTR CALLBACK PickerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
