#pragma once
// The Margins dialog ("MARGINDLG", command 13): the page margins (settings
// slots 15 to 18: top and bottom in lines, left and right in characters)
// and the chart margins (slots 19 to 22). Every change of a field is kept
// in a working copy; OK hands the copy back, Cancel drops it. Typed values
// are not limited to the arrows' range of 0 to 50.

#include <windows.h>

#include "output/PageGeometry.h"

namespace dv::win {

inline constexpr char kMarginsTemplate[] = "MARGINDLG";

struct MarginValues {
  Margins page;
  Margins chart;
  bool operator==(const MarginValues& o) const {
    return page.top == o.page.top && page.bottom == o.page.bottom && page.left == o.page.left &&
           page.right == o.page.right && chart.top == o.chart.top &&
           chart.bottom == o.chart.bottom && chart.left == o.chart.left &&
           chart.right == o.chart.right;
  }
};

MarginValues MarginsOf(const Settings& settings);
void StoreMargins(Settings& settings, const MarginValues& margins);

// Shows the dialog over owner; on OK inOut holds the new values and the
// result is true.
bool RunMarginsDialog(HWND owner, MarginValues& inOut);

// The dialog's state, passed as the creation parameter: the working copy,
// where OK puts it, and how the dialog ended (0 while open).
struct MarginsDialogState {
  MarginValues working;
  MarginValues* result = nullptr;
  int ended = 0;
};
INT_PTR CALLBACK MarginsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Command 13: the dialog on the settings; OK stores them and recomputes
// the page geometry.
void OnMargins(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
