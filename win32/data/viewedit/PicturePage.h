#pragma once
// The Multimedia page ("PICTUREDLG") of view/edit mode, on the Individual
// and Family tabs: a list of the multimedia items of the record shown (its
// OBJE lines), the title, file and format of the item chosen, and that
// item's picture decoded and fitted into the box below (keeping its
// proportions). A file that cannot be found or read, or is no picture,
// leaves the box empty and says why beside it. In edit state the fields
// can be changed, "New" adds an item for a picture file chosen in the open
// dialog, and "Delete" removes the chosen item; every change goes to the
// page model, stored like the other pages of the record.

#include <windows.h>

#include <string>

#include "data/viewedit/Session.h"

namespace dv::win {

inline constexpr char kPicturePageTemplate[] = "PICTUREDLG";

HWND CreatePicturePage(HWND parent, dv::viewedit::Tab tab);
INT_PTR CALLBACK PicturePageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// What the page shows now: the fitted picture's size in pixels (0 x 0 for
// none) and the text beside the box.
struct PictureShown {
  int width = 0, height = 0;
  int boxWidth = 0, boxHeight = 0;
  std::string message;
};
PictureShown PicturePageShown();

// The open dialog behind "New" (tests put their own in): true and path set
// when a file was chosen. nullptr restores the dialog.
using PictureChooser = bool (*)(HWND owner, std::string& path);
void SetPicturePageChooser(PictureChooser chooser);

}  // namespace dv::win
