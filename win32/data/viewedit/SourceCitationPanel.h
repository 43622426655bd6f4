#pragma once
// The source-citation panel ("SRCCITN") of view/edit mode: the citation
// under one line of the page shown (the name, the notes, or the record
// itself), edited in place of the list panel. Its fields are the page
// model's fields named by a prefix ("name.source", "note.source",
// "source"); "..." opens the "Source List" picker.

#include <windows.h>

#include <string>

#include "data/viewedit/Session.h"

namespace dv::win {

inline constexpr char kSourceCitationTemplate[] = "SRCCITN";

// The panel for the citation prefix of the page of tab, not yet filled.
HWND CreateSourceCitationPanel(HWND parent, dv::viewedit::Tab tab, const std::string& prefix);
INT_PTR CALLBACK SourceCitationPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The text shown for a citation's source pointer: the source's key (its
// short title) or the pointer itself when no source has it.
std::string CitedSourceText(const dv::RecordStore& store, const std::string& pointer);

}  // namespace dv::win
