#pragma once
// The "Ancestors" dialog ("ANCLISTDLG"): every ancestor of the base
// individual with its Ahnentafel number, searchable by name, and the list of
// the (at most 18) ancestors chosen for lines of descent, in the order
// chosen. The choice is kept in SelectiveTree().chosen.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "charts/selective/SelectiveState.h"

namespace dv {
class RecordStore;
}

namespace dv::win {

inline constexpr char kAncestorsTemplate[] = "ANCLISTDLG";
inline constexpr int kMsgAhnentafelNumber = 24;  // "Ahnentafel number: "
inline constexpr int kMsgNoCurrentSelection = 56;
inline constexpr int kMsgDataCorrelation = 30;
inline constexpr int kSearchLimit = 32;

struct AncestorsSession {
  const dv::RecordStore* store = nullptr;
  std::int32_t base = 0;
  // The rows of list 106: indices into SelectiveTree().ancestorList.
  std::vector<int> rows;
  std::vector<ChosenAncestor> kept;  // the choice at opening, put back on Cancel
  bool accepted = false;
};

// Shows the dialog modally over owner for base (the ancestor list is built
// when base is not the individual listed last; the choice is then emptied).
// True when closed with OK.
bool RunAncestorsDialog(HWND owner, const dv::RecordStore* store, std::int32_t base);

INT_PTR CALLBACK AncestorsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
