#pragma once
// The main window's Birth Brief commands: Charts, BirthBrief (3), Options,
// BirthBrief (6), IMAGES on a chart that takes none (38), and handing the
// Birth Brief to the chart window (32), whose CANCEL (25) releases it.

#include <windows.h>

namespace dv::win {

inline constexpr int kChartKindBirthBrief = 2;
inline constexpr int kMsgNoImages = 225;           // "You cannot add images to this chart."
inline constexpr int kPreferenceOptionsFirst = 1;  // fparam: options dialogs before charts

void OnBirthBriefChart(HWND window, WPARAM wParam, LPARAM lParam);    // 3
void OnBirthBriefOptions(HWND window, WPARAM wParam, LPARAM lParam);  // 6
void OnChartImages(HWND window, WPARAM wParam, LPARAM lParam);        // 38

// Marks the Birth Brief as the chart to show (birthBriefChartState 2),
// hands its draw routine and extent to the chart display and sends 32.
void ShowBirthBriefChart(HWND window);

}  // namespace dv::win
