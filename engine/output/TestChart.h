#pragma once
// A small chart used only by the tests of the drawing surfaces, the renderers
// and the image export, until the real charts draw through them: texts, rules
// of the chart pen, a filled box and opaque text on a colour, spread over the
// whole grid so that every image strip has something in it. Header-only and
// included by tests alone; it is not a feature of the program.

#include <string>

#include "output/DrawSurface.h"

namespace dv::testing {

inline constexpr int kTestChartColumns = 40;
inline constexpr int kTestChartLines = 30;
inline constexpr Colour kTestChartBoxColour = Rgb(0x20, 0x60, 0xC0);

inline int DrawTestChart(DrawSurface& s, int cw, int ch, int page, int screen) {
  auto x = [cw](int column) { return column * cw; };
  auto y = [ch](int line) { return line * ch; };
  s.SetTextColour(kBlack);
  s.SetBackground(Background::kTransparent, kWhite);
  s.SetPen({RulePenWidth(6, ch, 25, screen), PenStyle::kSolid, kBlack});

  s.Text(x(2), y(1), "Dorvane test chart");
  // A bracket as the ancestor charts draw them: two horizontal rules joined
  // by a vertical one, each half a line above its text line.
  s.Text(x(4), y(4), "Father");
  s.Text(x(4), y(10), "Mother");
  s.HorizontalRule(x(1), x(4), y(4) - ch / 2);
  s.HorizontalRule(x(1), x(4), y(10) - ch / 2);
  s.VerticalRule(x(1), y(4) - ch / 2, y(10) - ch / 2);

  s.FillBox(x(20), y(12), x(32), y(18), kTestChartBoxColour);
  s.SetBackground(Background::kOpaque, kTestChartBoxColour);
  s.SetTextColour(kWhite);
  s.Text(x(21), y(14), "Boxed");
  s.SetBackground(Background::kTransparent, kWhite);
  s.SetTextColour(kBlack);

  s.SetPen({1, PenStyle::kDash, Rgb(0xFF, 0, 0)});
  s.HorizontalRule(x(0), x(kTestChartColumns), y(22) - ch / 2);
  s.Text(x(kTestChartColumns - 6), y(kTestChartLines - 1), "bottom");
  return 0;
}

}  // namespace dv::testing
