#pragma once
// The Family Main page ("FAMDATA") of view/edit mode.

#include <windows.h>

namespace dv::win {

inline constexpr char kFamilyPageTemplate[] = "FAMDATA";

// The page as a child of parent, not yet filled.
HWND CreateFamilyPage(HWND parent);
INT_PTR CALLBACK FamilyPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
