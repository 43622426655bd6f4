#pragma once
// The Soundex calculator ("SOUNDXDLG", Tools, Soundex Calculator): shows
// the code of the name typed in the chosen variant, and opens the Soundex
// list of the loaded data.

#include <windows.h>

#include <functional>

namespace dv::win {

inline constexpr char kSoundexTemplate[] = "SOUNDXDLG";
inline constexpr int kSoundexVariantSlot = 21;  // fparam
inline constexpr int kMaxSoundexName = 32;

struct SoundexDialogSession {
  // "List All Names"; empty: the Soundex list of the loaded records.
  std::function<void(HWND dialog)> listNames;
};

// Shows the calculator modally over owner.
void RunSoundexDialog(HWND owner);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK SoundexDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Command 43 (Tools, Soundex Calculator).
void OnSoundexCalculator(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
