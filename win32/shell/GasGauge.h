#pragma once
// "GasGauge": the progress bar of the Data Source dialog. A bar in one
// colour over a background in another, with the percentage written across
// it in inverted colours. Driven by WM_COMMAND with the ids below; the state
// lives in six 32-bit window slots.

#include <windows.h>

namespace dv::win {

inline constexpr char kGasGaugeClass[] = "GasGauge";

// Byte offsets of the window slots (GetWindowLong).
enum GasGaugeSlot : int {
  kGaugeRange = 0,     // default 100
  kGaugePosition = 4,  // default 0, never above the range
  kGaugeWidth = 8,     // client size, kept from creation and size changes
  kGaugeHeight = 12,
  kGaugeBackground = 16,  // COLORREF, default white
  kGaugeBarColour = 20,   // COLORREF, default red
  kGaugeSlotBytes = 24,
};

// WM_COMMAND wParam values; the value goes in lParam.
enum GasGaugeCommand : int {
  kGaugeSetBarColour = 100,
  kGaugeSetBackground = 101,
  kGaugeSetRange = 102,     // lowers the position to the range when above it
  kGaugeSetPosition = 103,  // clamped to the range; repaints at once
};

// What a gauge shows.
struct GaugeLook {
  int range = 100;
  int position = 0;
  int width = 0;
  int height = 0;
  COLORREF background = RGB(255, 255, 255);
  COLORREF bar = RGB(255, 0, 0);
};

bool RegisterGasGauge(HINSTANCE instance);
LRESULT CALLBACK GasGaugeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws a gauge into dc (what WM_PAINT does).
void PaintGauge(HDC dc, const GaugeLook& look);

// The percentage text of a gauge: "7%" is written " 7%", a gauge of width 0 "100%".
int GaugePercentText(const GaugeLook& look, char* text, int capacity);

}  // namespace dv::win
