#pragma once
// The Printer dialog ("PRNDLG", command 9): the printer's name and port,
// the paper and orientation from a fresh page computation, the paper size
// (shown when the printer tells it, typed in millimetres when no page size
// is known at all), the number of copies (1 to 100 on the arrows), and
// "Settings..." for the printer set-up dialog.

#include <windows.h>

#include <functional>
#include <string>

#include "output/PageGeometry.h"

namespace dv::win {

inline constexpr char kPrinterTemplate[] = "PRNDLG";

// What the dialog shows about the printer in use.
struct PrinterPanel {
  std::string device, port;
  PaperReport paper;       // name, orientation, size in millimetres (0: unknown)
  bool pageKnown = false;  // the page size in cells is known
};

// The dialog's state, passed as the creation parameter.
struct PrinterDialogState {
  int copies = 1;                // updated as the field is typed in
  int lengthMm = 0, widthMm = 0; // the paper size shown or typed
  // Recomputes the page geometry and describes the printer (on opening and
  // after "Settings...").
  std::function<PrinterPanel()> refresh;
  // The printer set-up dialog, owned by the dialog.
  std::function<void(HWND dialog)> setup;
  // Sets the page size in cells from the typed paper size.
  std::function<void(int columns, int lines)> setPage;
  PrinterPanel panel;  // as last refreshed
  int ended = 0;       // IDOK or IDCANCEL once closed
};

// Shows the dialog over owner; returns how it ended (IDOK, IDCANCEL).
int RunPrinterDialog(HWND owner, PrinterDialogState& state);

INT_PTR CALLBACK PrinterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Command 9: the dialog on the printer in use; the copies go to the settings.
void OnPrinterDialog(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
