#pragma once
// The view/edit mode's frame inside the main window: the toolbar, the main
// tabs (Header, Individual, Family, Source, Repository and, in view state,
// Pedigree), the Main/Details/Multimedia tabs of the Individual and Family
// tabs, the list panel on the left and the page dialog shown. It holds the
// session (the engine's view/edit state machine) and carries out the main
// window's commands of the mode; the pages hold no record logic of their
// own and reach the session through here.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "data/viewedit/Session.h"

namespace dv::win {

inline constexpr int kHelpViewEdit = 326;
inline constexpr int kListPanelWidth = 236;
inline constexpr int kNarrowListPanelWidth = 190;  // small screens

// Sub-tabs of the Individual and Family tabs.
enum SubTab : int { kSubMain = 0, kSubDetails = 1, kSubMultimedia = 2 };

struct ViewEditWindows {
  std::unique_ptr<dv::viewedit::Session> session;
  HWND toolbar = nullptr;
  HWND tabs = nullptr;
  HWND subTabs = nullptr;
  HWND list = nullptr;      // the list panel
  HWND citation = nullptr;  // the source-citation panel, in place of the list panel
  HWND page = nullptr;  // the page dialog shown (State().app.viewEditDialog)
  int subTab = kSubMain;
  int filling = 0;                  // above 0 while controls are filled from the page
  std::int32_t listIndividual = 0;  // individual chosen in the list panel
};

ViewEditWindows& ViewEdit();
// The session while the mode is open, else nullptr.
dv::viewedit::Session* ViewEditSession();
// True in edit state.
bool EditState();

// While it lives, control notifications come from filling, not typing.
class FillingScope {
 public:
  FillingScope() { ++ViewEdit().filling; }
  ~FillingScope() { --ViewEdit().filling; }
  FillingScope(const FillingScope&) = delete;
  FillingScope& operator=(const FillingScope&) = delete;
};
inline bool Filling() { return ViewEdit().filling > 0; }

// Main-window commands of the mode.
void OnFileEdit(HWND window, WPARAM wParam, LPARAM lParam);        // 5
void OnCloseViewEdit(HWND window, WPARAM wParam, LPARAM lParam);   // 63
void OnFileView(HWND window, WPARAM wParam, LPARAM lParam);        // 64
void OnSwitchToView(HWND window, WPARAM wParam, LPARAM lParam);    // 65
void OnSwitchToEdit(HWND window, WPARAM wParam, LPARAM lParam);    // 66
void OnPreviousRecord(HWND window, WPARAM wParam, LPARAM lParam);  // 67
void OnNextRecord(HWND window, WPARAM wParam, LPARAM lParam);      // 68
void OnLeaveViewEdit(HWND window, WPARAM wParam, LPARAM lParam);   // 69

// WM_NOTIFY of the main window: the tabs and the toolbar's tooltips.
LRESULT OnViewEditNotify(HWND window, const NMHDR* header);
// Places toolbar, tabs, list panel and page in the main window's client area.
void LayoutViewEdit(HWND window);
// The tooltip preference changed: the toolbar follows it.
void SetViewEditTooltips(bool on);

// Takes over the edits of the page shown (asking "Save individual?" or
// "Save changes?"): false when the user stays on the page.
bool CommitViewEditPage(HWND owner);
// Fills the page shown and the toolbar again from the session.
void RefreshViewEdit();

// Drops the frame and the session without asking (the main window is
// going, or a test ends).
void ResetViewEdit();

// Used by the pages and the list panel. Each first takes over the page
// shown (false: the user stayed).
// Shows a record on its tab (switching tabs when needed).
bool NavigateTo(dv::viewedit::Tab tab, std::int32_t index);
// A new empty record on the current tab.
bool NewShownRecord(HWND owner);
// Stores the page shown without asking ("Add").
bool StoreShownPage(HWND owner);
// Deletes the record shown after its question (or shows its refusal).
bool DeleteShownRecord(HWND owner);
// Opens the source-citation panel for a citation of the page shown
// ("name.source", "note.source", "source"); closes it again.
void OpenCitationPanel(const char* prefix);
void CloseCitationPanel();
// The toolbar's buttons enabled as the session says.
void UpdateToolbar();

}  // namespace dv::win
