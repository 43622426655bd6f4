#pragma once
// Main-window commands of the shell's own options and tools: Preferences
// (20), Colours (34), the external editor (33), and the keys that scroll
// the chart.

#include <windows.h>

#include <array>
#include <cstdint>

namespace dv::win {

inline constexpr int kHelpColours = 382;
inline constexpr int kCannotRunNotepad = 38;

void OnPreferences(HWND window, WPARAM wParam, LPARAM lParam);  // 20
void OnColours(HWND window, WPARAM wParam, LPARAM lParam);      // 34
void OnRunEditor(HWND window, WPARAM wParam, LPARAM lParam);    // 33

// The colour chooser over the sixteen custom colours, owned by owner (the
// Options command and the Boxchart Options dialog).
void ChooseCustomColours(HWND owner, std::array<std::uint32_t, 16>& colours);

// What the colour chooser's answer does to the custom colours: OK keeps the
// chooser's colours; a cancel without error changes nothing; a cancel with
// a dialog error puts back the default colours.
void ApplyColourChoice(bool ok, unsigned long error, const std::array<COLORREF, 16>& chosen,
                       std::array<std::uint32_t, 16>& customColours);

// WM_KEYDOWN of the main window.
LRESULT OnKeyDown(HWND window, WPARAM key);

}  // namespace dv::win
