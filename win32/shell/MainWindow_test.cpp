#include "shell/MainWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "resources/resource.h"
#include "shell/AboutDialogRes.h"
#include "shell/Commands.h"
#include "shell/MainMenus.h"
#include "data/DataTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

std::string ItemText(HMENU menu, int position) {
  char text[600] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(menu, position, TRUE, &info);
  return (info.fType & MFT_SEPARATOR) != 0;
}

// The recent-file items of the File popup as "id text" lines.
std::string RecentItems(HMENU file) {
  std::string out;
  for (int i = 0; i < GetMenuItemCount(file); ++i) {
    const int id = static_cast<int>(GetMenuItemID(file, i));
    if (id >= IDM_FILE_RECENT_FIRST && id <= IDM_FILE_RECENT_LAST)
      out += std::to_string(id) + " " + ItemText(file, i) + "\n";
  }
  return out;
}

int CountSeparators(HMENU menu) {
  int n = 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) n += IsSeparator(menu, i);
  return n;
}

HMENU FilePopup() { return GetSubMenu(State().ui.mainMenu, kFilePopup); }

using MainWindowCreateTest = ShellTest;

TEST_F(MainWindowCreateTest, SetsStartValues) {
  HWND window = Start("");
  ASSERT_NE(window, nullptr);
  const auto& state = State();
  EXPECT_EQ(state.app.mainWindow, window);
  EXPECT_EQ(state.app.windowReady, 1);
  EXPECT_EQ(state.app.helpContext, 301);
  EXPECT_EQ(state.view.zoomLevel, 4);
  EXPECT_EQ(state.view.maxZoomLevel, 7);
  EXPECT_EQ(state.view.chartColumns, 10);
  EXPECT_EQ(state.view.chartLines, 10);
  EXPECT_EQ(GetMenu(window), state.ui.mainMenu);
  EXPECT_NE(state.ui.accelerators, nullptr);
  EXPECT_NE(state.ui.messageFilterHook, nullptr);
  EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0u);  // "wicon"
}

TEST_F(MainWindowCreateTest, TitleSettingIsNegativeWhileRunning) {
  Start("");
  EXPECT_EQ(State().settings.dparam[41], -1);
}

TEST_F(MainWindowCreateTest, StatusBarIsChild201) {
  HWND window = Start("");
  HWND bar = GetDlgItem(window, kStatusBarId);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, State().ui.statusBar);
  char className[64] = {};
  GetClassNameA(bar, className, sizeof className);
  EXPECT_STREQ(className, STATUSCLASSNAMEA);
}

TEST_F(MainWindowCreateTest, DefaultFontsWhenSettingsHadNone) {
  Start("");
  const auto& app = State().app;
  EXPECT_EQ(app.chartFont->faceName(), "Courier New");
  EXPECT_EQ(app.chartFont->height(), 7);
  EXPECT_EQ(app.chartFont->weight(), 700);
  // The page computation at start makes the screen font a copy of the
  // chart font (each zoom level then sizes and weighs it).
  EXPECT_EQ(*app.screenFont, *app.chartFont);
  EXPECT_EQ(app.titleFont->faceName(), "Times New Roman");
  EXPECT_EQ(app.titleFont->height(), 32);
}

TEST_F(MainWindowCreateTest, RecentFilesOfTenShowNine) {
  PrepareStartup(instance_, "");
  for (int i = 0; i < 10; ++i)
    State().settings.recentFiles[i] = "C:\\F" + std::to_string(i) + ".GED";
  ASSERT_NE(CreateMainWindow(SW_HIDE), nullptr);
  HMENU file = FilePopup();
  EXPECT_EQ(RecentItems(file),
            "51 C:\\F0.GED\n52 C:\\F1.GED\n53 C:\\F2.GED\n54 C:\\F3.GED\n55 C:\\F4.GED\n"
            "56 C:\\F5.GED\n57 C:\\F6.GED\n58 C:\\F7.GED\n59 C:\\F8.GED\n");
  // Exit, a separator, then the nine files.
  EXPECT_EQ(GetMenuItemID(file, 8), static_cast<UINT>(IDM_FILE_EXIT));
  EXPECT_TRUE(IsSeparator(file, 9));
  EXPECT_EQ(GetMenuItemCount(file), 19);
}

TEST_F(MainWindowCreateTest, NoRecentFilesNoSeparator) {
  Start("");
  EXPECT_EQ(GetMenuItemCount(FilePopup()), 9);
  EXPECT_EQ(CountSeparators(FilePopup()), 0);
}

TEST_F(MainWindowCreateTest, ContextMenuItemsFromStringTable) {
  Start("");
  HMENU menu = State().ui.contextMenu;
  ASSERT_EQ(GetMenuItemCount(menu), 6);
  const int ids[] = {201, 202, 0, 204, 205, 206};
  const char* texts[] = {"Insert &Image...", "&Delete Image", "",
                         "Insert &Text...",  "&Edit text...", "Delete Te&xt"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(IsSeparator(menu, i), i == 2) << i;
    if (i == 2) continue;
    EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, i)), ids[i]);
    EXPECT_EQ(ItemText(menu, i), texts[i]);
  }
}

TEST_F(MainWindowCreateTest, ChartMenuBarHasSixMonochromeWords) {
  Start("");
  HMENU bar = State().ui.chartMenuBar;
  ASSERT_EQ(GetMenuItemCount(bar), 6);
  const int ids[] = {21, 22, 23, 24, 38, 25};
  int widths[6] = {};
  for (int i = 0; i < 6; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(bar, i, TRUE, &info));
    EXPECT_EQ(static_cast<int>(info.wID), ids[i]);
    HBITMAP bitmap = State().ui.chartBarBitmaps[i];
    ASSERT_NE(bitmap, nullptr);
    BITMAP bits{};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof bits, &bits));
    EXPECT_EQ(bits.bmBitsPixel, 1);
    EXPECT_GT(bits.bmHeight, 0);
    widths[i] = bits.bmWidth;
  }
  // Each bitmap is as wide as its word: " MAGNIFY " is the widest, " SAVE " the narrowest.
  EXPECT_GT(widths[0], widths[3]);
  EXPECT_GT(widths[5], widths[3]);
}

using MainWindowHelpTest = ShellTest;

TEST_F(MainWindowHelpTest, F1InDialogBecomesHelpCommand) {
  HWND window = Start("");
  TakeMessages();
  MSG key{nullptr, WM_KEYDOWN, VK_F1, 0, 0, {}};
  EXPECT_TRUE(CallMsgFilterA(&key, MSGF_DIALOGBOX));
  auto posted = TakeMessages();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].hwnd, window);
  EXPECT_EQ(posted[0].message, kHelpKeyMessage);
  DispatchMessageA(&posted[0]);
  EXPECT_EQ(PostedCommands(window), std::vector<int>{IDM_HELP_HELP});
}

TEST_F(MainWindowHelpTest, F1InMenuIsTakenOtherKeysPass) {
  Start("");
  TakeMessages();
  MSG f1{nullptr, WM_KEYDOWN, VK_F1, 0, 0, {}};
  EXPECT_TRUE(CallMsgFilterA(&f1, MSGF_MENU));
  MSG other{nullptr, WM_KEYDOWN, VK_F2, 0, 0, {}};
  EXPECT_FALSE(CallMsgFilterA(&other, MSGF_DIALOGBOX));
  EXPECT_EQ(TakeMessages().size(), 1u);
}

TEST_F(MainWindowHelpTest, HelpOpensCurrentContextContentsOpens301) {
  HWND window = Start("");
  State().app.helpContext = 383;
  SendMessageA(window, WM_COMMAND, IDM_HELP_HELP, 0);
  SendMessageA(window, WM_COMMAND, IDM_HELP_CONTENTS, 0);
  ASSERT_EQ(helpOpened_.size(), 2u);
  EXPECT_EQ(helpOpened_[0], dir_ + "\\help\\383.html");
  EXPECT_EQ(helpOpened_[1], dir_ + "\\help\\301.html");
  EXPECT_EQ(State().app.helpContext, 383);
}

using MainWindowCloseTest = ShellTest;

TEST_F(MainWindowCloseTest, CloseWritesSettingsAndDestroysWindow) {
  HWND window = Start(R"("C:\DATA\family.ged")");
  SetWindowPos(window, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r{};
  GetWindowRect(window, &r);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));

  std::ifstream in(dir_ + "\\Dorvane.ini", std::ios::binary);
  ASSERT_TRUE(in.good());
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "[Sources]");
  std::string second;
  std::getline(in, second);
  EXPECT_EQ(second, R"(LastFile=C:\DATA\FAMILY.GED)");

  dv::Settings reread;
  ASSERT_EQ(
      dv::LoadSettings(reread, dir_ + "\\Dorvane.ini", [](const std::string&) { return true; }), 0);
  EXPECT_EQ(reread.recentFiles[0], R"(C:\DATA\FAMILY.GED)");
  const std::array<std::int32_t, 4> expected{r.left, r.top, r.right - r.left, r.bottom - r.top};
  EXPECT_EQ(reread.window, expected);
}

TEST_F(MainWindowCloseTest, DestroyUnhooksAndEndsTheLoop) {
  HWND window = Start("");
  TakeMessages();
  DestroyWindow(window);
  EXPECT_EQ(State().ui.messageFilterHook, nullptr);
  EXPECT_EQ(State().ui.chartMenuBar, nullptr);
  EXPECT_EQ(State().ui.chartBarBitmaps[0], nullptr);
  MSG f1{nullptr, WM_KEYDOWN, VK_F1, 0, 0, {}};
  EXPECT_FALSE(CallMsgFilterA(&f1, MSGF_DIALOGBOX));
  bool quit = false;
  for (const MSG& msg : TakeMessages()) quit |= msg.message == WM_QUIT;
  EXPECT_TRUE(quit);
}

TEST_F(MainWindowCloseTest, ExitCommandPostsClose) {
  HWND window = Start("");
  TakeMessages();
  SendMessageA(window, WM_COMMAND, IDM_FILE_EXIT, 0);
  auto posted = TakeMessages();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_CLOSE));
}

using RecentFilesRebuildTest = ShellTest;

TEST_F(RecentFilesRebuildTest, FirstFileAddsSeparatorAndItem) {
  HWND window = Start("");
  State().settings.recentFiles[0] = R"(C:\A.GED)";
  SendMessageA(window, WM_COMMAND, IDM_RECENT_REBUILD, MAKELPARAM(0, 0));
  EXPECT_EQ(RecentItems(FilePopup()), "51 C:\\A.GED\n");
  EXPECT_EQ(CountSeparators(FilePopup()), 1);
  EXPECT_TRUE(IsSeparator(FilePopup(), 9));
}

TEST_F(RecentFilesRebuildTest, ReopeningTheOnlyFileKeepsOneItem) {
  HWND window = Start("");
  State().settings.recentFiles[0] = R"(C:\A.GED)";
  SendMessageA(window, WM_COMMAND, IDM_RECENT_REBUILD, MAKELPARAM(0, 0));
  SendMessageA(window, WM_COMMAND, IDM_RECENT_REBUILD, MAKELPARAM(0, 0));
  EXPECT_EQ(RecentItems(FilePopup()), "51 C:\\A.GED\n");
  EXPECT_EQ(CountSeparators(FilePopup()), 1);
}

TEST_F(RecentFilesRebuildTest, NewFileGoesToTheFront) {
  PrepareStartup(instance_, "");
  State().settings.recentFiles[0] = R"(C:\A.GED)";
  HWND window = CreateMainWindow(SW_HIDE);
  State().settings.recentFiles[0] = R"(C:\B.GED)";
  State().settings.recentFiles[1] = R"(C:\A.GED)";
  SendMessageA(window, WM_COMMAND, IDM_RECENT_REBUILD, MAKELPARAM(1, 1));
  EXPECT_EQ(RecentItems(FilePopup()), "51 C:\\B.GED\n52 C:\\A.GED\n");
  EXPECT_EQ(CountSeparators(FilePopup()), 1);
}

TEST_F(RecentFilesRebuildTest, IndexBeyondNineNeverTouchesNew) {
  PrepareStartup(instance_, "");
  for (int i = 0; i < 10; ++i)
    State().settings.recentFiles[i] = "C:\\F" + std::to_string(i) + ".GED";
  HWND window = CreateMainWindow(SW_HIDE);
  SendMessageA(window, WM_COMMAND, IDM_RECENT_REBUILD, MAKELPARAM(9, 9));
  EXPECT_EQ(GetMenuItemID(FilePopup(), 0), static_cast<UINT>(IDM_FILE_NEW));
  EXPECT_EQ(GetMenuItemCount(FilePopup()), 19);
}

using MenuEnablingTest = ShellTest;

UINT StateOf(HMENU menu, int id) { return GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED; }

TEST_F(MenuEnablingTest, ChartsFollowTheSourceFormat) {
  HWND window = Start(R"(C:\X\smith.dva)");
  HMENU charts = GetSubMenu(State().ui.mainMenu, 1);
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(charts), 1);
  EXPECT_EQ(StateOf(charts, IDM_CHARTS_BIRTH_BRIEF), 0u);
  EXPECT_EQ(StateOf(charts, IDM_CHARTS_SELECTIVE_TREE), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(StateOf(charts, IDM_CHARTS_BOX_CHART), static_cast<UINT>(MF_GRAYED));
}

TEST_F(MenuEnablingTest, NoSourceGraysChartsAndReports) {
  HWND window = Start("");
  HMENU charts = GetSubMenu(State().ui.mainMenu, 1);
  HMENU reports = GetSubMenu(State().ui.mainMenu, 2);
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(charts), 1);
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(reports), 2);
  EXPECT_EQ(StateOf(charts, IDM_CHARTS_BIRTH_BRIEF), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(StateOf(charts, IDM_CHARTS_SELECTIVE_TREE), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(StateOf(reports, IDM_REPORTS_ANCESTORS), static_cast<UINT>(MF_GRAYED));
}

TEST_F(MenuEnablingTest, SaveAndCloseOnlyInViewEditMode) {
  HWND window = Start("");
  HMENU file = FilePopup();
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(StateOf(file, IDM_FILE_SAVE), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(StateOf(file, IDM_FILE_OPEN), 0u);
  State().app.viewEditMode = 1;
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(StateOf(file, IDM_FILE_SAVE), 0u);
  EXPECT_EQ(StateOf(file, IDM_FILE_OPEN), static_cast<UINT>(MF_GRAYED));
  State().app.viewEditMode = 0;
}

// Every command of the table sent to the window: nothing may crash or
// close it (About is modal and Exit closes, so they are left out).
TEST_F(MainWindowCreateTest, EveryCommandCanBeSent) {
  HWND window = Start("");
  // Commands that open dialogs find them cancelled, and file boxes cancelled.
  ResetDataState();
  Data().hooks.chooseFile = [](HWND, FileBox, std::string&) { return false; };
  Data().hooks.chooseColour = [](HWND, std::array<COLORREF, 16>&, DWORD& error) { error = 0; return false; };
  Data().hooks.runProgram = [](const std::string&) -> UINT { return 33; };
  DialogDriver cancelDialogs;
  for (const auto& entry : CommandTable()) {
    if (entry.id == IDM_HELP_ABOUT || entry.id == IDM_FILE_EXIT) continue;
    SendMessageA(window, WM_COMMAND, entry.id, 0);
  }
  EXPECT_TRUE(IsWindow(window));
}

std::string g_aboutName;

BOOL CALLBACK FindAbout(HWND window, LPARAM) {
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::string(title) != "About Dorvane") return TRUE;
  char name[64] = {};
  GetDlgItemTextA(window, IDC_ABOUT_NAME, name, sizeof name);
  g_aboutName = name;
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// Runs inside the About box's modal loop: reads it and presses OK.
void CALLBACK PressAboutOk(HWND, UINT, UINT_PTR timer, DWORD) {
  if (EnumThreadWindows(GetCurrentThreadId(), FindAbout, 0)) return;  // not up yet
  KillTimer(nullptr, timer);
}

TEST_F(MainWindowCreateTest, AboutCommandShowsAboutBox) {
  HWND window = Start("");
  g_aboutName.clear();
  SetTimer(nullptr, 0, 1, PressAboutOk);
  SendMessageA(window, WM_COMMAND, IDM_HELP_ABOUT, 0);
  EXPECT_EQ(g_aboutName, "Dorvane v4.07");
  EXPECT_EQ(State().app.helpContext, 301);
}

}  // namespace
}  // namespace dv::win::test
