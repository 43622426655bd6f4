#pragma once
// The Header page ("HEADDATA") of view/edit mode: the fields of the file header.

#include <windows.h>

namespace dv::win {

inline constexpr char kHeaderPageTemplate[] = "HEADDATA";

// The page as a child of parent, not yet filled.
HWND CreateHeaderPage(HWND parent);

}  // namespace dv::win
