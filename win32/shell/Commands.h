#pragma once
// The main window's commands: one table row per command id (resource.h),
// naming the function that carries it out. Commands whose dialogs are not
// part of the program yet are routed to Inert, which does nothing.
//
// To add a command: write its handler in the unit that owns the dialog
// (void OnSomething(HWND window, WPARAM wParam, LPARAM lParam)), declare it in
// that unit's header, and put it in the command's row in Commands.cpp.

#include <windows.h>

#include <span>

namespace dv::win {

using CommandHandler = void (*)(HWND window, WPARAM wParam, LPARAM lParam);

struct CommandEntry {
  int id;
  CommandHandler handler;
  const char* name;
};

// Every command, ordered by id.
std::span<const CommandEntry> CommandTable();

// The row of id, or nullptr.
const CommandEntry* FindCommand(int id);

// WM_COMMAND of the main window.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);

// A command whose owner is not in the program yet.
void Inert(HWND window, WPARAM wParam, LPARAM lParam);

// The shell's own commands.
void OnExit(HWND window, WPARAM wParam, LPARAM lParam);          // 10
void OnHelp(HWND window, WPARAM wParam, LPARAM lParam);          // 17
void OnHelpContents(HWND window, WPARAM wParam, LPARAM lParam);  // 19
void OnAbout(HWND window, WPARAM wParam, LPARAM lParam);         // 8
void OnRebuildRecentFiles(HWND window, WPARAM wParam,
                          LPARAM lParam);                      // 50: lParam's low word = last index
void OnRecentFile(HWND window, WPARAM wParam, LPARAM lParam);  // 51-59

}  // namespace dv::win
