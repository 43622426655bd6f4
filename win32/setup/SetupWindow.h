#pragma once
// The installer's host window ("DVWClass", "Install Dorvane"): it stays
// minimised while the wizard runs, prepares the installation when it is
// created and runs it on command 100.

#include <windows.h>

#include <string_view>

namespace dv::win::setup {

inline constexpr char kSetupWindowClass[] = "DVWClass";
inline constexpr char kSetupWindowTitle[] = "Install Dorvane";
inline constexpr UINT kRunCommand = 100;
inline constexpr int kIconResource = 300;
inline constexpr int kBannerResource = 301;

// Takes the module path and command line: decides the mode and the own
// folder and reads the switches. Returns 0, or 388 for an unknown switch.
int PrepareSetup(HINSTANCE instance, std::string_view modulePath, std::string_view commandLine);

bool RegisterSetupWindowClass(HINSTANCE instance);
HWND CreateSetupWindow(int show);

// The whole installation or uninstallation after the script is written:
// open it, run the wizard (or take the switches), and do every step.
void RunMainRoutine(HWND window);

// What the window does as it ends: start the removal of the uninstaller
// after a successful uninstall, otherwise delete the script it wrote.
void FinishSetup(HWND window);

// The banner bitmap, stretched to 76 x 140 dialog units.
HBITMAP MakeBanner(HINSTANCE instance);

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win::setup
