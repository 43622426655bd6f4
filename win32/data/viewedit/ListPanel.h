#pragma once
// The list panel at the left of view/edit mode ("LISTPANEL", controls
// 101-110): the key list of the kind the current tab shows, drawn on demand;
// "Search:" moves it to the first key not sorting before what was typed;
// "Unlinked individuals only" narrows it to the session's unlinked table.
// Choosing a row shows that record on the current tab (or, on the Family
// tab in edit state, names the person to add to the family).

#include <windows.h>

#include <cstdint>

#include "data/viewedit/Session.h"

namespace dv::win {

inline constexpr char kListPanelTemplate[] = "LISTPANEL";

HWND CreateListPanel(HWND parent);
INT_PTR CALLBACK ListPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The tab shown changed: individuals, sources or repositories, and the
// controls that go with them.
void ListPanelSetTab(HWND panel, dv::viewedit::Tab tab);
// The records changed: the row count again.
void ListPanelReload(HWND panel);
// The record index of a row as shown, 0 when none.
std::int32_t ListPanelRecord(int row);
// The number of rows shown and the top row.
int ListPanelCount(HWND panel);
void ListPanelClearSelection(HWND panel);

}  // namespace dv::win
