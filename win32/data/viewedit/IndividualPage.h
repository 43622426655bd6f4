#pragma once
// The Individual Main page ("INDIDATA") of view/edit mode.

#include <windows.h>

namespace dv::win {

inline constexpr char kIndividualPageTemplate[] = "INDIDATA";

// The page as a child of parent, not yet filled.
HWND CreateIndividualPage(HWND parent);
INT_PTR CALLBACK IndividualPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
