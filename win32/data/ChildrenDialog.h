#pragma once
// The "Children" list of the family shown in view/edit mode. Double-clicking
// a child closes the list and names that child, whom the page then shows.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "data/Lists.h"
#include "data/RecordStore.h"

namespace dv::win {

inline constexpr char kChildrenTemplate[] = "CHILDDLG";

struct ChildrenSession {
  const dv::RecordStore* store = nullptr;
  std::int32_t family = 0;
  std::int32_t chosen = 0;  // the child double-clicked, 0 = none
  bool modal = false;
  std::vector<dv::ChildRow> rows;
};

// Runs the list over owner; the chosen child's index or 0.
std::int32_t RunChildrenDialog(HWND owner, std::int32_t family);

INT_PTR CALLBACK ChildrenDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
