#pragma once
// A page made only of controls bound to fields (Source, Repository, Header
// and the Details pages): one dialog procedure for all of them, driven by
// each page's own table of bindings.

#include <windows.h>

#include <span>

#include "data/viewedit/PageCommon.h"
#include "data/viewedit/Session.h"

namespace dv::win {

struct BoundPageSpec {
  const char* templateName;
  dv::viewedit::Tab tab;  // whose page model the controls show
  std::span<const FieldBinding> fields;
  bool recordButtons;  // New, Add and Delete (1090-1092) in edit state
  bool editColours;    // the view and edit colours of the Main pages
};

HWND CreateBoundPage(HWND parent, const BoundPageSpec& spec);
INT_PTR CALLBACK BoundPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
