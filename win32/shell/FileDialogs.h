#pragma once
// The common file dialogs as the program uses them: filters from the string
// table, the chosen name exchanged through fileNameBuffer.

#include <windows.h>

#include <string>
#include <string_view>

namespace dv::win {

// A filter string from the string table: its last character stands for the
// NUL between the filter's parts ("Text (*.TXT)|*.txt|" becomes
// "Text (*.TXT)\0*.txt\0", ending in the double NUL the dialog needs).
std::string FilterFromString(std::string_view text);

// The save-file dialog (explorer style, asks before overwriting, no
// read-only box) over owner with the filter of string filterId, starting
// from and returning the name in fileNameBuffer. Returns the 1-based index
// of the filter chosen, or 0 when cancelled. Goes through the test hook
// State().hooks.saveFileDialog when one is installed.
int RunSaveFileDialog(HWND owner, int filterId, const char* defaultExtension);

}  // namespace dv::win
