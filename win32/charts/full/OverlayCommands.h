#pragma once
// Pictures and text on the full chart shown: the items and the mouse editor
// of the chart, the full chart's draw routine with the items, the mouse
// messages of the main window and commands 26, 38 (for a full chart) and
// 200 to 207.

#include <windows.h>

#include <functional>
#include <string>

#include "charts/full/OverlayEditor.h"

namespace dv::win {

struct OverlayState {
  dv::Overlays overlays;
  dv::OverlayEditor editor{overlays};
  // Picks the picture for Insert Image into fileNameBuffer; true on OK.
  // Empty: the open-file dialog "Insert Picture". Tests put their own here.
  std::function<bool(HWND owner)> choosePicture;
};

// The one instance (while a full chart is shown), and its reset for tests.
OverlayState& Overlay();
void ResetOverlayState();

// Enables the chart context menu's items for the editor's state: Insert
// Image and Insert Text for a selected free rectangle, Delete Image for a
// selected picture, Edit text and Delete Text for a selected text item.
void EnableContextItems(HMENU menu, const OverlayState& o);

// A full chart is about to be shown: the items of an earlier one go and the
// obstacles are taken from the new chart.
void StartOverlays();

// The rendering context from the settings (fonts, picture options, the
// data source's folder).
dv::OverlayContext OverlayContextNow();

// The full chart's draw routine with the items drawn on it.
int DrawFullChartWithOverlays(dv::DrawSurface& surface, int cellWidth, int cellHeight, int page,
                              int screen);

// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP and WM_RBUTTONDOWN of the main
// window: handled only with insertion enabled, a full chart shown at a zoom
// above 0 and the window ready. Always returns 0.
LRESULT OnOverlayMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void OnOverlayEnd(HWND window, WPARAM wParam, LPARAM lParam);      // 26
void OnContextClosed(HWND window, WPARAM wParam, LPARAM lParam);   // 200
void OnInsertImage(HWND window, WPARAM wParam, LPARAM lParam);     // 201
void OnDeleteItem(HWND window, WPARAM wParam, LPARAM lParam);      // 202, 206
void OnInsertText(HWND window, WPARAM wParam, LPARAM lParam);      // 204
void OnEditText(HWND window, WPARAM wParam, LPARAM lParam);        // 205
void OnOverlayRefit(HWND window, WPARAM wParam, LPARAM lParam);    // 207, after a zoom
// Command 38 on a full chart: "Image options"; a change of the scaling
// re-renders every item (command 207).
void RunOverlayImageOptions(HWND window);

}  // namespace dv::win
