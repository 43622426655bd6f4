#pragma once
// The main window's full chart commands: Charts, FullChart, BoxChart (11)
// and Tree (12), Options, FullChart (14), and handing the full chart to the
// chart window (32) with its pages, its strip plan and its item orders for
// printing and image export; CANCEL (25) releases it.

#include <windows.h>

namespace dv::win {

void OnFullChartBox(HWND window, WPARAM wParam, LPARAM lParam);      // 11
void OnFullChartTree(HWND window, WPARAM wParam, LPARAM lParam);     // 12
void OnFullChartOptions(HWND window, WPARAM wParam, LPARAM lParam);  // 14

// Marks the full chart as the chart to show (fullChartState 2), registers
// it with the chart display and sends 32.
void ShowFullChart(HWND window);

}  // namespace dv::win
