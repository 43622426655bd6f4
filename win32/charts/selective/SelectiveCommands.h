#pragma once
// The main window's Selective Tree commands: Charts, Selective Tree (4),
// Options, Selective Tree (7), and handing the chart to the chart window
// (32), whose CANCEL (25) releases it.

#include <windows.h>

namespace dv::win {

inline constexpr int kChartKindSelectiveTree = 3;

void OnSelectiveTreeChart(HWND window, WPARAM wParam, LPARAM lParam);    // 4
void OnSelectiveTreeOptions(HWND window, WPARAM wParam, LPARAM lParam);  // 7

// Marks the Selective Tree as the chart to show (selectiveChartState 2),
// hands its draw routine, fit test and extent to the chart display and
// sends 32.
void ShowSelectiveTreeChart(HWND window);

}  // namespace dv::win
