#pragma once
// What every view/edit page shares: controls bound to the fields of the
// page model (filled from it, written back through SetField as they are
// typed), the two page colours, the questions asked before a page is left,
// page-button tooltips and the labels kept as one string with separators.
// No record logic lives here: every change goes through the session.

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>

#include "data/viewedit/Pages.h"

namespace dv::win {

// A page dialog is asked to fill its controls from the session.
inline constexpr UINT kFillPage = WM_APP + 40;
// The list panel tells the page an individual was chosen (wParam: its index).
inline constexpr UINT kListChoice = WM_APP + 41;

// The buttons every record page may have (not 1 and 2, which Enter and
// Escape would press).
inline constexpr int kPageNew = 1090;
inline constexpr int kPageAdd = 1091;
inline constexpr int kPageDelete = 1092;

inline constexpr COLORREF kViewColour = 0xE1E1D7;
inline constexpr COLORREF kEditColour = 0xAFF4FE;

// A control bound to a field of the page model: an edit control with the
// number of characters it takes, or (limit kCheckBox) a check box for a
// field that holds "Y" or "N".
inline constexpr int kCheckBox = -1;
struct FieldBinding {
  int control;
  const char* field;
  int limit;
};

// Fills the bound controls from the page; read-only in view state.
void FillFields(HWND dialog, const dv::viewedit::RecordPage& page,
                std::span<const FieldBinding> fields, bool edit);

// EN_CHANGE (or a check box's click) of control: when it is bound, its text goes to the page through
// SetField; a refusal is shown and the control gets the page's text back.
// True when the control was bound.
bool StoreField(HWND dialog, dv::viewedit::RecordPage& page, std::span<const FieldBinding> fields,
                int control);

// The brush of the page background: view or edit colour (created once).
HBRUSH PageBrush(bool edit);
// WM_CTLCOLOR* of a page drawn in the view or edit colour.
INT_PTR PageColour(HDC dc, HWND control, bool edit);

// Part n (0-based) of a string-table text whose parts end with its last
// character ("View|Edit|...|").
std::string LabelPart(int id, int n);

// Tooltips for page buttons (control, string id), only while the tooltip
// preference is on.
// Returns the tooltip window (nullptr while they are off).
HWND AddTooltips(HWND dialog, std::initializer_list<std::pair<int, int>> tips);

// The New, Add and Delete buttons of a record page: shown in edit state,
// Add enabled only while the page is marked changed.
void ShowRecordButtons(HWND dialog, const dv::viewedit::RecordPage& page, bool edit);

// A display name as the pages show it: given names and surname without
// slashes, "_" back to spaces.
std::string PersonName(const dv::RecordStore& store, std::int32_t index);

// A Yes/No/Cancel question with a question icon: IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(HWND owner, int id);
// An error box with a stop icon.
void ShowError(HWND owner, int id, std::string_view suffix = {});

// The size class of the screen: its width in units of ten horizontal dialog
// base units, 13 counted as 12.
int ScreenSizeClass(int screenWidth, int baseUnitX);
// The point size of the page templates at a size class: the templates are
// drawn for class 12 at 8 points and scale with the class.
int PagePointSize(int sizeClass);
// True when the narrower list panel is used (class 10 with 8-unit base units).
bool NarrowListPanel();
// Creates a page dialog from its template with the font size of this screen.
HWND CreatePageDialog(const char* templateName, HWND parent, DLGPROC procedure, LPARAM param);

// Shows or hides a control.
void ShowControl(HWND dialog, int control, bool shown);

}  // namespace dv::win
