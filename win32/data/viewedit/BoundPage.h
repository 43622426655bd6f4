#pragma once
// A page made only of controls bound to fields (Source, Repository, Header
// and the Details pages): one dialog procedure for all of them, driven by
// each page's own table of bindings.

#include <windows.h>

#include <span>
#include <string>

#include "data/Lists.h"
#include "data/viewedit/AssociateBrowser.h"
#include "data/viewedit/ItemBrowser.h"

#include "data/viewedit/PageCommon.h"
#include "data/viewedit/Session.h"

namespace dv::win {

// A field that points at another record: shown as that record's key in a
// read-only box, chosen with a "..." button through a record picker.
struct PointerBinding {
  int control;
  int chooseButton;
  const char* field;
  dv::PickerKind picker;
  dv::RecordKind kind;
};

struct BoundPageLayout {
  const char* templateName;
  dv::viewedit::Tab tab;  // whose page model the controls show
  std::span<const FieldBinding> fields;
  bool recordButtons;  // New, Add and Delete (1090-1092) in edit state
  bool editColours;    // the view and edit colours of the Main pages
  std::span<const PointerBinding> pointers = {};
  std::span<const ItemBrowserControls> browsers = {};
  const AssociateBrowserControls* associates = nullptr;
  // Fields of the submitter record, shown beside the header's on its tab.
  std::span<const FieldBinding> submitterFields = {};
};

// The key text of the record a pointer names (the pointer itself when no
// record of the kind has it).
std::string PointedRecordText(const dv::RecordStore& store, dv::RecordKind kind,
                              const std::string& pointer);

HWND CreateBoundPage(HWND parent, const BoundPageLayout& layout);
INT_PTR CALLBACK BoundPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
