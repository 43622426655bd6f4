#pragma once
// The three menus of the main window: the main menu bar (resource
// "DORVANE") with the recent files at the end of its File popup, the chart
// menu bar of bitmap words shown while a chart is on screen, and the chart's
// context menu.

#include <windows.h>

#include <array>
#include <string>

namespace dv::win {

struct ShellResources;

inline constexpr char kMainMenuName[] = "DORVANE";
inline constexpr int kFilePopup = 0;  // position of File in the main menu bar

// The words of the chart menu bar, in order, with their commands.
struct ChartBarWord {
  const char* text;
  int command;
};
extern const std::array<ChartBarWord, 6> kChartBarWords;

// Appends a separator and one item per non-empty recent file, at most nine
// (commands 51 to 59, the path as text). Nothing when the list is empty.
void AppendRecentFileItems(HMENU filePopup, const std::array<std::string, 10>& recentFiles);

// Command 50: brings the recent-file items up to date after the loader put a
// file at the front of the list. last is the index of the last entry now
// present. Existing recent items (and their separator) are replaced, so
// reopening the only recent file does not duplicate its item.
void RebuildRecentFileItems(HMENU filePopup, const std::array<std::string, 10>& recentFiles,
                            int last);

// The popup shown on a right click on a chart: Insert Image, Delete Image,
// separator, Insert Text, Edit text, Delete Text (commands 201 to 206).
HMENU BuildChartContextMenu();

// The chart menu bar: one monochrome bitmap per word, black on white, in
// "Arial Bold" at the height of the display's system font. The bitmaps go
// into bitmaps (the caller deletes them after the menu).
HMENU BuildChartMenuBar(std::array<HBITMAP, 6>& bitmaps);

// Destroys the chart menu bar, the context menu, the word bitmaps and the
// main menu when it is not the window's menu (the window destroys that one).
void DestroyShellMenus(HWND window, ShellResources& ui);

}  // namespace dv::win
