#pragma once
// The program's one message routine, and the message-box call every
// "Dorvane" box goes through (replaceable by tests through State().hooks).

#include <windows.h>

#include <string_view>

namespace dv::win {

// Shows the string-table text of id (ids outside 1-258 show "Undetermined
// error") followed by suffix, in a box captioned "Dorvane" with an
// exclamation icon; OK alone, or OK and Cancel when ask is true. The owner
// is enabled first. While the box is up the help context is 319.
// Returns 0 for OK, 1 for Cancel.
int showMessage(HWND window, int id, bool ask, std::string_view suffix = {});

// MessageBoxA, or the test hook when one is installed.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace dv::win
