#pragma once
// The Pedigree page ("PEDIGREE") of view/edit mode: 31 name boxes for the
// Ahnentafel positions 1-31 of the person shown, connector lines between
// the generations, a button beside each of the 16 outermost boxes that
// re-centres on that ancestor, and a button beside the person that goes to
// the children. Every re-centring goes into the individual history.

#include <windows.h>

#include <array>
#include <cstdint>

#include "data/RecordStore.h"

namespace dv::win {

inline constexpr char kPedigreeTemplate[] = "PEDIGREE";
inline constexpr int kPedigreeBoxes = 31;

HWND CreatePedigreePage(HWND parent);
INT_PTR CALLBACK PedigreePageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The individual at each Ahnentafel position 1-31 of base (slot 0 unused,
// 0 for an empty position).
std::array<std::int32_t, kPedigreeBoxes + 1> PedigreeOf(const dv::RecordStore& store,
                                                        std::int32_t base);

// The box selected on the page (Ahnentafel position), 0 when none.
int PedigreeSelection();

}  // namespace dv::win
