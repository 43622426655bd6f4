#pragma once
// The Soundex list: a three-column list view of every surname of the
// loaded data with its Simplified and American codes. A click on a column
// heading sorts the rows by that column; the column widths the user leaves
// are kept in the settings (lvparam slots 36-38) for the next time.

#include <windows.h>

#include <vector>

#include "soundex/Soundex.h"

namespace dv {
class RecordStore;
}

namespace dv::win {

inline constexpr char kSoundexListTemplate[] = "SOUNDXLIST";
inline constexpr int kSoundexListCaption = 348;  // "Soundex List"
inline constexpr COLORREF kSoundexListColour = RGB(215, 225, 225);

struct SoundexListSession {
  const dv::RecordStore* store = nullptr;  // nullptr: an empty list
  // While the dialog runs.
  bool modal = false;
  std::vector<dv::SoundexRow> rows;
  int sortedBy = dv::kSoundexSurnameColumn;
};

// Shows the list modally over owner.
void RunSoundexListDialog(HWND owner, const dv::RecordStore* store);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK SoundexListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
