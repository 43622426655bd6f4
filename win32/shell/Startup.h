#pragma once
// Process start-up and the message loop. RunProgram is all of it in order;
// the steps are separate so tests can run them without entering the loop.

#include <windows.h>

#include <string_view>

namespace dv::win {

// Declares "Dorvane" and "GasGauge", prepares the state, creates the main
// window and runs the loop. Returns the quit message's wParam; 0 when the
// main window class cannot be declared or the window cannot be created; the
// last Windows error when "GasGauge" cannot be declared.
int RunProgram(HINSTANCE instance, std::string_view commandLine, int showState);

// Everything before the main window exists: the program directory (made the
// current directory), the help and settings paths, the settings, the Birth
// Brief width clamp and the start-up file from the command line.
void PrepareStartup(HINSTANCE instance, std::string_view commandLine);

// Creates the main window (maximised, client edge, both scroll bars) at the
// stored rectangle and shows it. nullptr on failure.
HWND CreateMainWindow(int showState);

// What the loop does with a message before translating and dispatching it:
// accelerators, the view/edit page dialog, the scanner. True when taken.
bool PreTranslate(MSG& msg);

int RunMessageLoop();

}  // namespace dv::win
