#pragma once
// The Family Details page ("FAMXTRA") of view/edit mode: the number of children, the reference number and the notes of the family shown.

#include <windows.h>

namespace dv::win {

inline constexpr char kFamilyDetailsPageTemplate[] = "FAMXTRA";

// The page as a child of parent, not yet filled.
HWND CreateFamilyDetailsPage(HWND parent);

}  // namespace dv::win
