#pragma once
// The Repository page ("REPODATA") of view/edit mode: the fields of a repository record.

#include <windows.h>

namespace dv::win {

inline constexpr char kRepositoryPageTemplate[] = "REPODATA";

// The page as a child of parent, not yet filled.
HWND CreateRepositoryPage(HWND parent);

}  // namespace dv::win
