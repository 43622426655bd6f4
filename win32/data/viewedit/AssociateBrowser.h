#pragma once
// The associates of the individual shown, on the Details page: a list box
// of the people the record names in its ASSO lines (each shown by its name
// and relation), the relation of the one chosen, "New" (a person chosen in
// the Individual List) and "Delete". Every change is a SetField on the page
// model ("associate.2.value", "associate.2.relation", "associate.2.delete").

#include <windows.h>

#include "data/viewedit/Pages.h"

namespace dv::win {

struct AssociateBrowserControls {
  int list;      // list box of the associates
  int relation;  // RELA of the one chosen
  int newButton;
  int deleteButton;
};

void FillAssociateBrowser(HWND dialog, const AssociateBrowserControls& controls,
                          const dv::viewedit::RecordPage& page, bool edit);
// A command of one of the browser's controls: true when it was one.
bool AssociateBrowserCommand(HWND dialog, const AssociateBrowserControls& controls,
                             dv::viewedit::RecordPage& page, int control, int code);

}  // namespace dv::win
