#include "shell/MainWindow.h"

#include <commctrl.h>

#include <cstdlib>

#include "charts/full/OverlayCommands.h"
#include "output/ChartWindow.h"
#include "output/PrintSetup.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/Help.h"
#include "data/DataState.h"
#include "data/viewedit/ViewEditFrame.h"
#include "shell/MainMenus.h"
#include "shell/OptionCommands.h"

namespace dv::win {
namespace {

// Gets F1 out of modal dialogs, message boxes and menus, whose own loops
// never reach the accelerators: the key becomes WM_USER+1 to the main window
// (which posts Help for the context of the moment) and goes no further.
LRESULT CALLBACK MessageFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  const bool modalLoop = code == MSGF_DIALOGBOX || code == MSGF_MESSAGEBOX || code == MSGF_MENU;
  if (modalLoop && msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
    PostMessageA(State().app.mainWindow, kHelpKeyMessage, 0, 0);
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The main menu with the recent files at the end of File.
void LoadMenus(HWND window, ProgramState& state) {
  auto& ui = state.ui;
  ui.accelerators = LoadAcceleratorsA(state.app.instance, kAccelerators);
  ui.mainMenu = LoadMenuA(state.app.instance, kMainMenuName);
  if (ui.mainMenu) {
    AppendRecentFileItems(GetSubMenu(ui.mainMenu, kFilePopup), state.settings.recentFiles);
    SetMenu(window, ui.mainMenu);
  }
  ui.contextMenu = BuildChartContextMenu();
  ui.chartMenuBar = BuildChartMenuBar(ui.chartBarBitmaps);
}

// Every common control the program's windows and dialog templates use: the
// status bar, list views, tabs, the toolbar with tooltips, up-down controls.
void InitCommonControlClasses() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

void CreateStatusBar(HWND window, ProgramState& state) {
  state.ui.statusBar = CreateWindowExA(
      0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), state.app.instance, nullptr);
}

// A file named on the command line: its name in the title, and the command
// that opens it posted for the first loop turn.
void OpenStartupFile(HWND window, AppState& app) {
  const int command = app.startupKind == kStartupGedcom       ? IDM_FILE_OPEN
                      : app.startupKind == kStartupBirthBrief ? IDM_CHARTS_BIRTH_BRIEF
                      : app.startupKind == kStartupTree       ? IDM_CHARTS_SELECTIVE_TREE
                                                              : 0;
  if (!command) return;
  SetWindowTextA(window, WindowTitle(TextOf(app.currentSource)).c_str());
  if (app.startupKind == kStartupBirthBrief) app.sourceFormat = kFormatBirthBrief;
  if (app.startupKind == kStartupTree) app.sourceFormat = kFormatTree;
  PostMessageA(window, WM_COMMAND, command, 0);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create) {
  auto& state = State();
  auto& app = state.app;
  app.instance = create->hInstance;
  app.mainWindow = window;
  BindFontRoles(app, state.settings);
  app.windowReady = 1;
  state.ui.messageFilterHook =
      SetWindowsHookExA(WH_MSGFILTER, MessageFilterHook, nullptr, GetCurrentThreadId());
  app.helpContext = kHelpMain;
  LoadMenus(window, state);
  if (state.settings.fontsState == 0) state.settings.setDefaultFonts();
  SetUpDefaultPrinter(window);
  state.view.zoomLevel = 4;
  state.view.maxZoomLevel = 7;
  state.view.displayEnabled = 1;
  // The title setting stays negative while the program runs; saving the
  // settings gives it back its sign.
  state.settings.dparam[41] = -std::abs(state.settings.dparam[41]);
  state.view.scrollX = state.view.scrollY = 0;
  state.view.chartColumns = state.view.chartLines = 10;
  InitCommonControlClasses();
  CreateStatusBar(window, state);
  OpenStartupFile(window, app);
  return 0;
}

LRESULT OnClose(HWND window) {
  auto& state = State();
  if (state.app.viewEditMode) SendMessageA(window, WM_COMMAND, IDM_VIEWEDIT_LEAVE, 0);
  RECT r{};
  GetWindowRect(window, &r);
  dv::SaveSettings(state.settings, SettingsPath(), TextOf(state.app.currentSource),
                   {r.left, r.top, r.right - r.left, r.bottom - r.top});
  // The user cancelled leaving view/edit mode: the window stays.
  if (state.app.viewEditMode) return 0;
  DestroyWindow(window);
  return 0;
}

LRESULT OnDestroy(HWND window) {
  auto& state = State();
  auto& ui = state.ui;
  if (ui.messageFilterHook) UnhookWindowsHookEx(ui.messageFilterHook);
  ui.messageFilterHook = nullptr;
  ui.scannerFilter = nullptr;
  // The data source goes with the window (view/edit mode first).
  ResetViewEdit();
  Data().store.Clear();
  state.app.recordsLoaded = 0;
  DestroyShellMenus(window, ui);
  if (ui.statusBar) DestroyWindow(ui.statusBar);
  ui.statusBar = nullptr;
  ui.accelerators = nullptr;  // freed with the module
  state.app.windowReady = 0;
  PostQuitMessage(0);
  return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
  auto& state = State();
  state.view.clientWidth = LOWORD(lParam);
  state.view.clientHeight = HIWORD(lParam);
  if (HWND bar = state.ui.statusBar) {
    RECT barRect{};
    GetWindowRect(bar, &barRect);
    const int height = barRect.bottom - barRect.top;
    MoveWindow(bar, 0, state.view.clientHeight - height, state.view.clientWidth, height, TRUE);
  }
  if (state.app.viewEditMode) LayoutViewEdit(window);
  SendMessageA(window, WM_COMMAND, IDM_SCROLL_RANGES, 0);
  return 0;
}

LRESULT OnEraseBackground(HWND window, HDC dc, WPARAM wParam, LPARAM lParam) {
  if (!State().app.viewEditMode) return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
  RECT clip{};
  GetClipBox(dc, &clip);
  FillRect(dc, &clip, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  return 1;
}

void SetItemEnabled(HMENU menu, int id, bool enabled) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Grays the main-menu items that do not apply in the current state.
LRESULT OnInitMenuPopup(HMENU popup) {
  const auto& state = State();
  const auto& app = state.app;
  if (!state.ui.mainMenu) return 0;
  const bool viewEdit = app.viewEditMode != 0;
  const bool gedcomOpen = app.sourceOpen && app.sourceFormat == kFormatGedcom;
  const bool specialOpen = app.sourceOpen && app.sourceFormat != kFormatGedcom;
  if (popup == GetSubMenu(state.ui.mainMenu, kFilePopup)) {
    SetItemEnabled(popup, IDM_FILE_OPEN, !viewEdit);
    SetItemEnabled(popup, IDM_FILE_NEW, !viewEdit);
    for (int id = IDM_FILE_RECENT_FIRST; id <= IDM_FILE_RECENT_LAST; ++id)
      SetItemEnabled(popup, id, !viewEdit);
    SetItemEnabled(popup, IDM_FILE_SAVE, viewEdit);
    SetItemEnabled(popup, IDM_FILE_SAVE_AS, viewEdit);
    SetItemEnabled(popup, IDM_FILE_CLOSE, viewEdit);
    SetItemEnabled(popup, IDM_FILE_VIEW, app.recordsLoaded && app.viewEditMode != 1);
    // Extracting writes a chart file from a chart selection of GEDCOM data.
    SetItemEnabled(popup, IDM_FILE_EXTRACT, gedcomOpen && app.recordsLoaded && Data().selection.baseIndex != 0);
    SetItemEnabled(popup, IDM_FILE_EDIT,
                   (app.sourceFormat == kFormatGedcom && app.recordsLoaded) || specialOpen);
  } else if (popup == GetSubMenu(state.ui.mainMenu, 1)) {
    SetItemEnabled(popup, IDM_CHARTS_BIRTH_BRIEF,
                   app.sourceOpen && app.sourceFormat != kFormatTree);
    SetItemEnabled(popup, IDM_CHARTS_SELECTIVE_TREE,
                   app.sourceOpen && app.sourceFormat != kFormatBirthBrief);
    SetItemEnabled(popup, IDM_CHARTS_BOX_CHART, gedcomOpen);
    SetItemEnabled(popup, IDM_CHARTS_TREE, gedcomOpen);
  } else if (popup == GetSubMenu(state.ui.mainMenu, 2)) {
    for (int id : {IDM_REPORTS_ALL_INDIVIDUALS, IDM_REPORTS_DESCENDANTS, IDM_REPORTS_ANCESTORS})
      SetItemEnabled(popup, id, gedcomOpen);
  } else if (popup == GetSubMenu(state.ui.mainMenu, 4)) {
    SetItemEnabled(popup, IDM_OPTIONS_FONTS, state.settings.fontsState != 1);
  }
  return 0;
}

LRESULT OnHelpKey(HWND window) {
  PostMessageA(window, WM_COMMAND, IDM_HELP_HELP, 0);
  return 0;
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA main{};
  main.style = CS_HREDRAW | CS_VREDRAW;
  main.lpfnWndProc = MainWindowProc;
  main.hInstance = instance;
  main.hIcon = LoadIconA(instance, kIconName);
  main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  main.lpszClassName = kMainWindowClass;
  return RegisterClassA(&main) != 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_CLOSE:
      return OnClose(window);
    case WM_DESTROY:
      return OnDestroy(window);
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_SIZE:
      return OnSize(window, lParam);
    case WM_PAINT:
      return OnPaint(window);
    case WM_PRINTCLIENT:
      return OnPrintClient(window, reinterpret_cast<HDC>(wParam));
    case WM_HSCROLL:
      return OnChartScroll(window, false, wParam);
    case WM_VSCROLL:
      return OnChartScroll(window, true, wParam);
    case WM_ERASEBKGND:
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam), wParam, lParam);
    case WM_NOTIFY:
      return OnViewEditNotify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_INITMENUPOPUP:
      return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    case WM_KEYDOWN:
      return OnKeyDown(window, wParam);
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
      return OnOverlayMouse(window, message, wParam, lParam);
    case kHelpKeyMessage:
      return OnHelpKey(window);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::string SettingsPath() {
  std::string path(TextOf(State().work.programDir));
  path += "\\Dorvane.ini";
  return path;
}

std::string WindowTitle(std::string_view sourcePath) {
  if (sourcePath.empty()) return "Dorvane";
  const std::size_t slash = sourcePath.rfind('\\');
  std::string title = "Dorvane - ";
  title += slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
  return title;
}

}  // namespace dv::win
