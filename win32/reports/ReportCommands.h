#pragma once
// The Reports commands of the main window: 35 All Individuals, 36
// Descendants, 37 Ancestors. Each leaves view/edit mode first, opens the
// report dialog for its report type, and then goes back to the view/edit
// mode it left.

#include <windows.h>

namespace dv::win {

void OnReport(HWND window, WPARAM wParam, LPARAM lParam);  // 35, 36, 37

}  // namespace dv::win
