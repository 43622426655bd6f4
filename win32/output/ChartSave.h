#pragma once
// Saving the chart on show (SAVE, command 24): the save-file dialog, then a
// PNG rendered on a worker thread (commands 28 and 29) while the main window
// is disabled and a progress bar moves, or an enhanced metafile (30).

#include <windows.h>

#include <string>

#include "output/ChartImageExport.h"

namespace dv::win {

inline constexpr char kPngDialogTemplate[] = "PNGDLG";
inline constexpr int kHelpSave = 378;
inline constexpr int kImageFilterString = 142;
inline constexpr int kPageBreaksQuestion = 144;
inline constexpr int kProgressBarId = 202;

void OnChartSave(HWND window, WPARAM wParam, LPARAM lParam);       // 24
void OnExportPng(HWND window, WPARAM wParam, LPARAM lParam);       // 28
void OnExportFinished(HWND window, WPARAM wParam, LPARAM lParam);  // 29
void OnExportMetafile(HWND window, WPARAM wParam, LPARAM lParam);  // 30

// The export job of the chart shown at the current cell size: for a PNG
// with the chart's image-mode page and screen arguments and its strip plan,
// for a metafile with page 0 and screen 1.
ChartImageJob ShownChartJob(bool png);

// The running PNG export's box and progress bar (nullptr when none runs).
HWND PngExportDialog();
HWND PngExportProgressBar();

INT_PTR CALLBACK PngDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
