#pragma once
// The "Insert Text" dialog (commands 204 and 205): the text and alignment of
// a text item on a full chart, at most 2047 characters.

#include <windows.h>

#include <string>

namespace dv::win {

inline constexpr char kInsertTextTemplate[] = "INTXTDLG";

// The record the dialog edits: the text (CR LF line ends, as an edit field
// holds them) and the alignment, 1 left or 2 centred.
struct OverlayTextRecord {
  std::string text;
  int alignment = 1;
};

// Shows the dialog over owner filled from record; on OK with a text that is
// not empty stores text and alignment and returns true.
bool RunInsertTextDialog(HWND owner, OverlayTextRecord& record);

INT_PTR CALLBACK InsertTextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
