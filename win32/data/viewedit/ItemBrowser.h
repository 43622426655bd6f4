#pragma once
// The lists of events and attributes on the Details pages: a list box of
// the items of one kind, the fields of the item chosen in it, a kind chooser
// and New and Delete. Every change is a SetField on the page model
// ("event.2.place", "attribute.1.value", "event.3.delete").

#include <windows.h>

#include <span>
#include <string>

#include "data/viewedit/Pages.h"

namespace dv::win {

enum class ItemClass : int { kIndividualEvent, kFamilyEvent, kAttribute };

struct ItemBrowserControls {
  ItemClass itemClass;
  int list;       // list box of the items
  int kind;       // drop-down list of the kinds (event or attribute names)
  int value;      // the attribute's value (0 for events)
  int type;       // TYPE
  int date;       // DATE
  int place;      // PLAC
  int note;       // NOTE
  int newButton;  // "New"
  int deleteButton;
  int source = 0;  // "S": the chosen item's source citation (0 none)
};

// Fills the browser from the page (the item chosen before stays chosen).
void FillItemBrowser(HWND dialog, const ItemBrowserControls& controls,
                     const dv::viewedit::RecordPage& page, bool edit);
// A command of one of the browser's controls: true when it was one.
bool ItemBrowserCommand(HWND dialog, const ItemBrowserControls& controls,
                        dv::viewedit::RecordPage& page, int control, int code);

// The kind names the chooser offers, and the tag of each, for a class.
int ItemKindCount(ItemClass itemClass);
std::string ItemKindName(ItemClass itemClass, int number);
int ItemKindTag(ItemClass itemClass, int number);

}  // namespace dv::win
