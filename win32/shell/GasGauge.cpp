#include "shell/GasGauge.h"

#include <cstdio>

#include "output/GdiGuards.h"

namespace dv::win {
namespace {

constexpr COLORREF kBarOutline = RGB(255, 0, 0);
constexpr COLORREF kBackgroundOutline = RGB(255, 255, 255);
constexpr COLORREF kPercentColour = RGB(0, 255, 255);  // cyan; XOR-combined onto the bar

int Slot(HWND window, int slot) { return static_cast<int>(GetWindowLongA(window, slot)); }
void SetSlot(HWND window, int slot, int value) {
  SetWindowLongA(window, slot, static_cast<LONG>(value));
}

GaugeLook LookOf(HWND window) {
  GaugeLook look;
  look.range = Slot(window, kGaugeRange);
  look.position = Slot(window, kGaugePosition);
  look.width = Slot(window, kGaugeWidth);
  look.height = Slot(window, kGaugeHeight);
  look.background = static_cast<COLORREF>(Slot(window, kGaugeBackground));
  look.bar = static_cast<COLORREF>(Slot(window, kGaugeBarColour));
  return look;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create) {
  SetSlot(window, kGaugeRange, 100);
  SetSlot(window, kGaugePosition, 0);
  SetSlot(window, kGaugeWidth, create->cx);
  SetSlot(window, kGaugeHeight, create->cy);
  SetSlot(window, kGaugeBackground, static_cast<int>(RGB(255, 255, 255)));
  SetSlot(window, kGaugeBarColour, static_cast<int>(RGB(255, 0, 0)));
  return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
  SetSlot(window, kGaugeWidth, LOWORD(lParam));
  SetSlot(window, kGaugeHeight, HIWORD(lParam));
  return 0;
}

LRESULT OnGaugeCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const int value = static_cast<int>(lParam);
  switch (wParam) {
    case kGaugeSetBarColour:
      SetSlot(window, kGaugeBarColour, value);
      break;
    case kGaugeSetBackground:
      SetSlot(window, kGaugeBackground, value);
      break;
    case kGaugeSetRange:
      SetSlot(window, kGaugeRange, value);
      if (Slot(window, kGaugePosition) > value) SetSlot(window, kGaugePosition, value);
      break;
    case kGaugeSetPosition:
      SetSlot(window, kGaugePosition,
              value > Slot(window, kGaugeRange) ? Slot(window, kGaugeRange) : value);
      InvalidateRect(window, nullptr, FALSE);
      UpdateWindow(window);
      break;
  }
  return 0;
}

LRESULT OnPaint(HWND window) {
  PaintDc paint(window);
  PaintGauge(paint.get(), LookOf(window));
  return 0;
}

int BarWidth(const GaugeLook& look) {
  const double width = static_cast<double>(look.position) / look.range * look.width;
  if (width > look.width) return look.width;
  return width < 0 ? 0 : static_cast<int>(width);
}

void FillFramed(HDC dc, RECT area, COLORREF fill, COLORREF outline) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  GdiObject<HBRUSH> fillBrush(CreateSolidBrush(fill));
  GdiObject<HBRUSH> outlineBrush(CreateSolidBrush(outline));
  FillRect(dc, &area, fillBrush.get());
  FrameRect(dc, &area, outlineBrush.get());
}

// Writes the percentage in cyan on black into a bitmap and XORs it onto the
// gauge, centred: the text shows in contrasting colours over bar and
// background alike.
void DrawPercent(HDC dc, const GaugeLook& look) {
  char text[16];
  const int length = GaugePercentText(look, text, sizeof text);
  SIZE size{};
  GetTextExtentPoint32A(dc, text, length, &size);
  if (size.cx <= 0 || size.cy <= 0) return;
  MemoryDc memory(dc);
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, size.cx, size.cy));
  if (!memory || !bitmap) return;
  SelectGuard selectBitmap(memory.get(), bitmap.get());
  SelectGuard selectFont(memory.get(), GetCurrentObject(dc, OBJ_FONT));
  SetTextColor(memory.get(), kPercentColour);
  SetBkColor(memory.get(), RGB(0, 0, 0));
  SetBkMode(memory.get(), OPAQUE);
  TextOutA(memory.get(), 0, 0, text, length);
  BitBlt(dc, (look.width - size.cx) / 2, (look.height - size.cy) / 2, size.cx, size.cy,
         memory.get(), 0, 0, SRCINVERT);
}

}  // namespace

int GaugePercentText(const GaugeLook& look, char* text, int capacity) {
  if (look.width == 0 || look.range == 0) return std::snprintf(text, capacity, "100%%");
  const int percent = BarWidth(look) * 100 / look.width;
  return std::snprintf(text, capacity, percent < 10 ? " %d%%" : "%d%%", percent);
}

void PaintGauge(HDC dc, const GaugeLook& look) {
  if (look.range == 0) return;
  const int barWidth = BarWidth(look);
  FillFramed(dc, RECT{0, 0, barWidth, look.height}, look.bar, kBarOutline);
  FillFramed(dc, RECT{barWidth, 0, look.width, look.height}, look.background, kBackgroundOutline);
  DrawPercent(dc, look);
}

bool RegisterGasGauge(HINSTANCE instance) {
  WNDCLASSA gauge{};
  gauge.style = CS_HREDRAW | CS_VREDRAW;
  gauge.lpfnWndProc = GasGaugeProc;
  gauge.cbWndExtra = kGaugeSlotBytes;
  gauge.hInstance = instance;
  gauge.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  gauge.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  gauge.lpszClassName = kGasGaugeClass;
  return RegisterClassA(&gauge) != 0;
}

LRESULT CALLBACK GasGaugeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
      return OnSize(window, lParam);
    case WM_COMMAND:
      return OnGaugeCommand(window, wParam, lParam);
    case WM_PAINT:
      return OnPaint(window);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;  // 1
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace dv::win
