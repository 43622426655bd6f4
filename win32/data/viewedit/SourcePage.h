#pragma once
// The Source page ("SRCDATA") of view/edit mode: the fields of a source record.

#include <windows.h>

namespace dv::win {

inline constexpr char kSourcePageTemplate[] = "SRCDATA";

// The page as a child of parent, not yet filled.
HWND CreateSourcePage(HWND parent);

}  // namespace dv::win
