#pragma once
// The main window: class "Dorvane", its window procedure and the work done
// when it is created, closed and destroyed.

#include <windows.h>

#include <string>

namespace dv::win {

inline constexpr char kMainWindowClass[] = "Dorvane";
inline constexpr char kAccelerators[] = "DVAccelerators";
inline constexpr char kIconName[] = "wicon";
inline constexpr UINT kHelpKeyMessage = WM_USER + 1;  // F1 pressed in a dialog or menu
inline constexpr int kStatusBarId = 201;

bool RegisterMainWindowClass(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// programDir\Dorvane.ini.
std::string SettingsPath();

// "Dorvane", or "Dorvane - NAME" with the file name after the last backslash.
std::string WindowTitle(std::string_view sourcePath);

}  // namespace dv::win
