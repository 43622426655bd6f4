#pragma once
// The Individual Details page ("INDIXTRA") of view/edit mode: the name prefix and suffix, the cause of death, the reference number and the adoption mark of the individual shown.

#include <windows.h>

namespace dv::win {

inline constexpr char kIndividualDetailsPageTemplate[] = "INDIXTRA";

// The page as a child of parent, not yet filled.
HWND CreateIndividualDetailsPage(HWND parent);

}  // namespace dv::win
