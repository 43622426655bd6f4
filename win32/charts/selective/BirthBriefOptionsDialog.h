#pragma once
// The "Birth Brief Options" dialog ("OPT2DLG"): edits the Birth Brief
// settings (eparam 0-6, the characters per generation in dparam 39) and the
// graphics line width shared by all charts (bparam 0). "All capitals" is one
// setting with the Selective Tree's (dparam 14): OK stores both.

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kBirthBriefOptionsTemplate[] = "OPT2DLG";
inline constexpr int kHelpBirthBriefOptions = 311;

// Messages of the dialog.
inline constexpr int kMsgEditOutOfSpace = 22;          // "Edit control out of space"
inline constexpr int kMsgMaxCharsPerGeneration = 116;  // "Maximum 31 characters per generation"

// Limits of the edited values.
inline constexpr int kMinLineWidth = 1;
inline constexpr int kMaxLineWidth = 10;
inline constexpr int kMinCharsPerGeneration = 20;
inline constexpr int kMaxCharsPerGeneration = 31;
// The edit fields take at most this many characters.
inline constexpr int kOptionEditLimit = 29;

// One opening of the dialog. The radios and edit fields write through to
// settings while the dialog is open; Cancel puts their opening values back.
struct BirthBriefOptionsSession {
  dv::Settings* settings = nullptr;
  bool accepted = false;  // OK was pressed
  // The values at opening.
  int keptGenerations = 1;
  int keptLineWidth = 6;
  int keptWidth = 23;
};

// Shows the dialog modally over owner, with the help context 311. On OK the
// options are stored in inOut and true is returned; on Cancel inOut is as it
// was. The caller makes the new width the one the charts use.
bool RunBirthBriefOptionsDialog(HWND owner, dv::Settings& inOut);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK BirthBriefOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam);

// The width stored for what was typed: below 20 becomes 20, above 31 becomes
// 31 (tooWide is then set: the user is told).
int ClampCharsPerGeneration(int typed, bool& tooWide);

}  // namespace dv::win
