#include "data/DataSourceDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/DataSourceDialogRes.h"
#include "data/DataTestSupport.h"
#include "resources/resource.h"
#include "shell/GasGauge.h"
#include "shell/MainMenus.h"

namespace dv::win::test {
namespace {

std::string WindowText(HWND window) {
  char text[600] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The recent-file items of the File popup, one path per line.
std::string RecentItems() {
  HMENU file = GetSubMenu(State().ui.mainMenu, kFilePopup);
  std::string out;
  for (int i = 0; i < GetMenuItemCount(file); ++i) {
    const int id = static_cast<int>(GetMenuItemID(file, i));
    if (id < IDM_FILE_RECENT_FIRST || id > IDM_FILE_RECENT_LAST) continue;
    char text[600] = {};
    GetMenuStringA(file, i, text, sizeof text, MF_BYPOSITION);
    out += std::to_string(id) + " " + text + "\n";
  }
  return out;
}

class DataSourceDialogTest : public DataTest {
 protected:
  // A modeless Data Source dialog over the main window.
  HWND Open(DataSourceSession& session) {
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), kDataSourceTemplate, State().app.mainWindow,
                           DataSourceDialogProc, reinterpret_cast<LPARAM>(&session));
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  // Types a path, presses OK and lets the posted steps run.
  void TypeAndOk(HWND dialog, const std::string& path) {
    SetDlgItemTextA(dialog, IDC_DS_PATH, path.c_str());
    SendMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
    Pump();
  }
};

TEST(DataSourcePath, IsShownUpperCase) {
  EXPECT_EQ(UpperPath("c:\\data\\family.ged"), "C:\\DATA\\FAMILY.GED");
}

TEST_F(DataSourceDialogTest, OpenCommandLoadsTheTypedFile) {
  HWND window = Start("");
  const std::string path = WriteFile("family.ged", kSmallGedcom);
  DialogDriver typeAndOk([&](HWND dialog) {
    if (WindowText(dialog) != "Data Source") return;
    SetDlgItemTextA(dialog, IDC_DS_PATH, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
  });
  SendMessageA(window, WM_COMMAND, IDM_FILE_OPEN, 0);
  ASSERT_EQ(typeAndOk.seen, 1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "3 individuals\n1 families");
  EXPECT_EQ(boxes_[0].caption, "Dorvane");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(WindowText(window), "Dorvane - FAMILY.GED");
  EXPECT_EQ(RecentItems(), "51 " + Upper(path) + "\n");
  const auto& app = State().app;
  EXPECT_EQ(std::string(TextOf(app.currentSource)), Upper(path));
  EXPECT_EQ(app.sourceOpen, 1);
  EXPECT_EQ(app.sourceFormat, 1);
  EXPECT_NE(app.recordsLoaded, 0);
  EXPECT_EQ(Data().store.IndividualCount(), 3);
  EXPECT_EQ(Data().store.FamilyCount(), 1);
  EXPECT_EQ(app.helpContext, 301);
}

TEST_F(DataSourceDialogTest, HelpContextWhileOpenIs303) {
  HWND window = Start("");
  int context = 0;
  DialogDriver cancel([&](HWND dialog) {
    context = State().app.helpContext;
    PostMessageA(dialog, WM_COMMAND, IDC_DS_CANCEL, 0);
  });
  SendMessageA(window, WM_COMMAND, IDM_FILE_OPEN, 0);
  EXPECT_EQ(context, 303);
  EXPECT_EQ(State().app.helpContext, 301);
  EXPECT_EQ(State().app.sourceOpen, 0);
}

TEST_F(DataSourceDialogTest, ChartFileExtensionsSelectTheirFormatAndCloseWithoutLoading) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  for (auto [name, format, radio] :
       {std::tuple{"chart.dva", 0, IDC_DS_BIRTH_BRIEF}, {"tree.dvb", -1, IDC_DS_TREE}}) {
    DataSourceSession session;
    HWND dialog = Open(session);
    chosenPath_ = dir_ + "\\" + name;
    SendMessageA(dialog, WM_COMMAND, IDC_DS_BROWSE, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, radio), BST_CHECKED) << name;
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_DS_GEDCOM), BST_UNCHECKED) << name;
    char field[300] = {};
    GetDlgItemTextA(dialog, IDC_DS_PATH, field, sizeof field);
    EXPECT_EQ(std::string(field), Upper(chosenPath_));
    SendMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
    Pump();
    EXPECT_FALSE(IsWindow(dialog)) << name;
    EXPECT_FALSE(session.loaded);
    EXPECT_EQ(State().app.sourceFormat, format);
    EXPECT_EQ(State().app.recordsLoaded, 0);
    EXPECT_EQ(WindowText(State().app.mainWindow), "Dorvane - " + Upper(name));
  }
  EXPECT_EQ(fileBoxes_.size(), 2u);
  EXPECT_EQ(fileBoxes_[0], FileBox::kDataSource);
}

TEST_F(DataSourceDialogTest, RadioButtonsSetTheFormat) {
  Start("");
  DataSourceSession session;
  HWND dialog = Open(session);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_DS_GEDCOM), BST_CHECKED);
  EXPECT_FALSE(GetWindowLongA(GetDlgItem(dialog, IDC_DS_GAUGE), GWL_STYLE) & WS_VISIBLE);
  SendMessageA(dialog, WM_COMMAND, IDC_DS_TREE, 0);
  EXPECT_EQ(State().app.sourceFormat, -1);
  SendMessageA(dialog, WM_COMMAND, IDC_DS_BIRTH_BRIEF, 0);
  EXPECT_EQ(State().app.sourceFormat, 0);
  SendMessageA(dialog, WM_COMMAND, IDC_DS_CANCEL, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(session.ended);
}

// 150 individuals and 60 families: chunks of 3 summaries, so at most 51
// individual steps and 21 family steps, each posted to the dialog, with the
// gauge following.
TEST_F(DataSourceDialogTest, LoadRunsInPostedStepsThatMoveTheGauge) {
  Start("");
  std::string text = "0 HEAD\r\n";
  for (int i = 1; i <= 150; ++i) text += "0 @I" + std::to_string(i) + "@ INDI\r\n1 NAME A /B/\r\n";
  for (int f = 1; f <= 60; ++f) text += "0 @F" + std::to_string(f) + "@ FAM\r\n";
  text += "0 TRLR\r\n";
  const std::string path = WriteFile("steps.ged", text);
  DataSourceSession session;
  HWND dialog = Open(session);
  HWND gauge = GetDlgItem(dialog, IDC_DS_GAUGE);
  SetDlgItemTextA(dialog, IDC_DS_PATH, path.c_str());
  SendMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
  int steps = 0;
  std::vector<int> positions;
  MSG msg;
  while (IsWindow(dialog) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.hwnd == dialog && msg.message == WM_COMMAND && LOWORD(msg.wParam) == IDC_DS_LOAD_STEP) {
      ++steps;
      EXPECT_TRUE(GetWindowLongA(gauge, GWL_STYLE) & WS_VISIBLE);
      EXPECT_EQ(GetWindowLongA(gauge, kGaugeRange), 210);
      positions.push_back(GetWindowLongA(gauge, kGaugePosition));
    }
    DispatchMessageA(&msg);
  }
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_GE(steps, 70);
  EXPECT_LE(steps, 73);
  ASSERT_GE(positions.size(), 3u);
  EXPECT_EQ(positions[0], 0);
  EXPECT_EQ(positions[1], 3);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(positions.back(), 210);
  EXPECT_EQ(Data().store.IndividualCount(), 150);
}

TEST_F(DataSourceDialogTest, AFullPathFieldIsReported) {
  Start("");
  DataSourceSession session;
  HWND dialog = Open(session);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_DS_PATH, EM_GETLIMITTEXT, 0, 0), 255);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DS_PATH, EN_MAXTEXT),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_DS_PATH)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Edit control out of space");
  DestroyWindow(dialog);
}

TEST_F(DataSourceDialogTest, ReloadingChangedDataAsksFirst) {
  Start("");
  const std::string path = WriteFile("family.ged", kSmallGedcom);
  ASSERT_TRUE(Load(path));
  boxes_.clear();
  Data().store.dataChanged = 2;
  boxAnswer_ = IDCANCEL;
  DataSourceSession session;
  HWND dialog = Open(session);
  TypeAndOk(dialog, path);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "This will close your current data source");
  EXPECT_EQ(boxes_[0].type & 0xF, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(Data().store.dataChanged, 2);
  EXPECT_EQ(Data().store.IndividualCount(), 3);

  boxAnswer_ = IDOK;
  SendMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
  Pump();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(Data().store.dataChanged, 0);
  EXPECT_TRUE(session.loaded);
}

TEST_F(DataSourceDialogTest, NonNumericIdentifiersLeaveTheDialogOpenAndTheStoreEmpty) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("good.ged", kSmallGedcom)));
  boxes_.clear();
  const std::string bad = WriteFile(
      "letters.ged",
      "0 HEAD\r\n0 @IA@ INDI\r\n1 NAME A /B/\r\n0 @IB@ INDI\r\n1 NAME C /D/\r\n0 TRLR\r\n");
  DataSourceSession session;
  HWND dialog = Open(session);
  TypeAndOk(dialog, bad);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "This file uses non-numeric identifiers, which are not\r\nsupported by the current "
            "version of the program.");
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(dialog));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_DS_CANCEL)));
  EXPECT_EQ(Data().store.IndividualCount(), 0);
  EXPECT_EQ(State().app.recordsLoaded, 0);
  EXPECT_EQ(State().app.sourceOpen, 0);
  EXPECT_EQ(WindowText(State().app.mainWindow), "Dorvane");
  DestroyWindow(dialog);
}

TEST_F(DataSourceDialogTest, AFileOfTooManyChunksIsTooLarge) {
  Start("");
  std::string line = "1 NOTE " + std::string(90, 'x') + "\r\n";
  std::string text = "0 HEAD\r\n0 @N1@ NOTE\r\n";
  text.reserve(200 * 64512 + 200);
  while (text.size() < 200u * 64512u) text += line;
  text += "0 TRLR\r\n";
  const std::string path = WriteFile("huge.ged", text);
  DataSourceSession session;
  HWND dialog = Open(session);
  TypeAndOk(dialog, path);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "File too large: cannot process");
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(Data().store.IndividualCount(), 0);
  DestroyWindow(dialog);
}

TEST_F(DataSourceDialogTest, AFileReadOnlyUpToANulByteSaysSoBeforeItsSummary) {
  Start("");
  const std::string path =
      WriteFile("cut-short.ged", std::string("0 HEAD\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n") + '\0' +
                                     "0 @I2@ INDI\r\n1 NAME C /D/\r\n0 TRLR\r\n");
  DataSourceSession session;
  HWND dialog = Open(session);
  TypeAndOk(dialog, path);
  ASSERT_EQ(boxes_.size(), 2u) << (boxes_.empty() ? "" : boxes_[0].text);
  EXPECT_EQ(boxes_[0].text,
            "This file holds a NUL character before its end. Only the lines before it\r\nwere "
            "read: saving this data source would not keep the rest of the file.");
  EXPECT_EQ(boxes_[1].text, "1 individuals\n0 families");
  EXPECT_EQ(Data().store.IndividualCount(), 1);
  EXPECT_EQ(State().app.recordsLoaded, 1);
}

TEST_F(DataSourceDialogTest, MissingFileCannotBeOpened) {
  Start("");
  DataSourceSession session;
  HWND dialog = Open(session);
  TypeAndOk(dialog, dir_ + "\\absent.ged");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot open file");
  EXPECT_TRUE(IsWindow(dialog));
  DestroyWindow(dialog);
}

TEST_F(DataSourceDialogTest, TenFilesLeaveNineRecentItemsNewestFirstInMenuAndSettings) {
  HWND window = Start("");
  std::vector<std::string> paths;
  for (int i = 0; i < 10; ++i) {
    paths.push_back(WriteFile("f" + std::to_string(i) + ".ged", kSmallGedcom));
    ASSERT_TRUE(Load(paths.back()));
  }
  std::string expected;
  for (int i = 0; i < 9; ++i) expected += std::to_string(51 + i) + " " + Upper(paths[9 - i]) + "\n";
  EXPECT_EQ(RecentItems(), expected);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Data().store.IndividualCount(), 0);
  std::string ini = ReadFile(dir_ + "\\Dorvane.ini");
  std::string saved;
  std::size_t at = 0;
  int n = 0;
  while ((at = ini.find("LastFile", at)) != std::string::npos) {
    std::size_t eq = ini.find('=', at);
    std::size_t end = ini.find_first_of("\r\n", eq);
    saved += std::to_string(51 + n++) + " " + ini.substr(eq + 1, end - eq - 1) + "\n";
    at = end;
  }
  EXPECT_EQ(saved, expected);
}

TEST_F(DataSourceDialogTest, RecentFileCommandOffersThatFile) {
  HWND window = Start("");
  const std::string first = WriteFile("first.ged", kSmallGedcom);
  const std::string second = WriteFile("second.ged", kSmallGedcom);
  ASSERT_TRUE(Load(first));
  ASSERT_TRUE(Load(second));
  std::string offered;
  DialogDriver ok([&](HWND dialog) {
    char field[300] = {};
    GetDlgItemTextA(dialog, IDC_DS_PATH, field, sizeof field);
    offered = field;
    PostMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
  });
  SendMessageA(window, WM_COMMAND, IDM_FILE_RECENT_FIRST + 1, 0);
  EXPECT_EQ(offered, Upper(first));
  EXPECT_EQ(WindowText(window), "Dorvane - FIRST.GED");
  EXPECT_EQ(RecentItems(), "51 " + Upper(first) + "\n52 " + Upper(second) + "\n");
}

TEST_F(DataSourceDialogTest, CommandLineFileLoadsAtStartWithoutSummaryWhenAutoLoadIsOn) {
  const std::string path = WriteFile("start.ged", kSmallGedcom);
  State().settings.fparam[0] = 1;
  HWND window = Start("\"" + path + "\"");
  InstallHooks();
  Pump();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(Data().store.IndividualCount(), 3);
  EXPECT_EQ(WindowText(window), "Dorvane - START.GED");
  EXPECT_EQ(State().app.startupKind, 0);
}

TEST_F(DataSourceDialogTest, CommandLineFileShowsTheSummaryWhenAutoLoadIsOff) {
  const std::string path = WriteFile("start.ged", kSmallGedcom);
  State().settings.fparam[0] = 0;
  HWND window = Start(path);
  ASSERT_EQ(State().settings.fparam[0], 0);
  InstallHooks();
  Pump();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "3 individuals\n1 families");
  EXPECT_EQ(WindowText(window), "Dorvane - START.GED");
}

}  // namespace
}  // namespace dv::win::test

namespace dv::win::test {
namespace {

// Every item of the main menu after its popup was opened, with "~" before
// the grayed ones; recent files and the Help popup left out. The test
// machine has no printer, so Options, Fonts (16) is always grayed.
std::string MenuState(HWND window) {
  HMENU bar = State().ui.mainMenu;
  std::string out;
  for (int p = 0; p < GetMenuItemCount(bar) - 1; ++p) {
    HMENU popup = GetSubMenu(bar, p);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), p);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      HMENU sub = GetSubMenu(popup, i);
      HMENU items = sub ? sub : popup;
      for (int k = 0; k < (sub ? GetMenuItemCount(sub) : 1); ++k) {
        const UINT id = GetMenuItemID(items, sub ? k : i);
        if (id == 0 || id == static_cast<UINT>(-1) || (id >= 51 && id <= 59)) continue;
        const UINT flags = GetMenuState(items, sub ? k : i, MF_BYPOSITION);
        out += (flags & MF_GRAYED) ? "~" : "";
        out += std::to_string(id) + " ";
      }
    }
    out += "\n";
  }
  return out;
}

class MenuStatesTest : public DataTest {};

TEST_F(MenuStatesTest, NoData) {
  HWND window = Start("");
  EXPECT_EQ(MenuState(window),
            "60 1 ~64 ~2 ~5 ~61 ~62 ~63 10 \n"
            "~3 ~4 ~11 ~12 \n"
            "~35 ~36 ~37 \n"
            "43 \n"
            "6 7 14 13 9 ~16 34 20 \n");
}

TEST_F(MenuStatesTest, GedcomLoaded) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  EXPECT_EQ(MenuState(window),
            "60 1 64 ~2 5 ~61 ~62 ~63 10 \n"
            "3 4 11 12 \n"
            "35 36 37 \n"
            "43 \n"
            "6 7 14 13 9 ~16 34 20 \n");
  // With a base individual chosen there is something to extract.
  Data().selection.baseIndex = 1;
  EXPECT_EQ(MenuState(window).substr(0, 10), "60 1 64 2 ");
}

TEST_F(MenuStatesTest, BirthBriefChartFile) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  ASSERT_TRUE(Load(dir_ + "\\chart.dva"));
  EXPECT_EQ(MenuState(window),
            "60 1 ~64 ~2 5 ~61 ~62 ~63 10 \n"
            "3 ~4 ~11 ~12 \n"
            "~35 ~36 ~37 \n"
            "43 \n"
            "6 7 14 13 9 ~16 34 20 \n");
}

TEST_F(MenuStatesTest, TreeChartFile) {
  HWND window = Start("");
  ASSERT_TRUE(Load(dir_ + "\\tree.dvb"));
  EXPECT_EQ(MenuState(window),
            "60 1 ~64 ~2 5 ~61 ~62 ~63 10 \n"
            "~3 4 ~11 ~12 \n"
            "~35 ~36 ~37 \n"
            "43 \n"
            "6 7 14 13 9 ~16 34 20 \n");
}

TEST_F(MenuStatesTest, ViewEditModeAndNoPrinter) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  State().app.viewEditMode = 1;
  State().settings.fontsState = 1;
  const std::string state = MenuState(window);
  EXPECT_EQ(state.substr(0, state.find('\n')), "~60 ~1 ~64 ~2 5 61 62 63 10 ");
  EXPECT_NE(state.find("~16 "), std::string::npos);
  State().app.viewEditMode = 0;
}

}  // namespace
}  // namespace dv::win::test
