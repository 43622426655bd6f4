#include "shell/OptionCommands.h"

#include <cderr.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/DataTestSupport.h"
#include "resources/resource.h"

namespace dv::win::test {
namespace {

using OptionCommandsTest = DataTest;

TEST_F(OptionCommandsTest, ColourChooserStartsFromTheCustomColoursAndKeepsTheChoice) {
  HWND window = Start("");
  State().settings.customColours[3] = 0x123456;
  int context = 0;
  Data().hooks.chooseColour = [&](HWND, std::array<COLORREF, 16>& colours, DWORD& error) {
    context = State().app.helpContext;
    EXPECT_EQ(colours[3], 0x123456u);
    colours[0] = 0x00FF00;
    error = 0;
    return true;
  };
  SendMessageA(window, WM_COMMAND, IDM_OPTIONS_COLOURS, 0);
  EXPECT_EQ(context, 382);
  EXPECT_EQ(State().app.helpContext, 301);
  EXPECT_EQ(State().settings.customColours[0], 0x00FF00u);
}

TEST_F(OptionCommandsTest, CancelledColourChooserChangesNothingUnlessItFailed) {
  HWND window = Start("");
  State().settings.customColours[0] = 0x010203;
  Data().hooks.chooseColour = [](HWND, std::array<COLORREF, 16>& colours, DWORD& error) {
    colours[0] = 0;
    error = 0;
    return false;
  };
  SendMessageA(window, WM_COMMAND, IDM_OPTIONS_COLOURS, 0);
  EXPECT_EQ(State().settings.customColours[0], 0x010203u);
  Data().hooks.chooseColour = [](HWND, std::array<COLORREF, 16>&, DWORD& error) {
    error = CDERR_INITIALIZATION;
    return false;
  };
  SendMessageA(window, WM_COMMAND, IDM_OPTIONS_COLOURS, 0);
  EXPECT_EQ(State().settings.customColours[0], 0x8080FFu);
  EXPECT_EQ(State().settings.customColours[15], 0xE0A0E0u);
}

TEST_F(OptionCommandsTest, EditorRunsThePreparedCommandLine) {
  HWND window = Start("");
  std::vector<std::string> started;
  Data().hooks.runProgram = [&](const std::string& command) -> UINT {
    started.push_back(command);
    return 33;
  };
  CopyText(State().work.pathBuffer, "Notepad C:\\CHARTS\\A.DVA");
  SendMessageA(window, WM_COMMAND, IDM_RUN_EDITOR, 0);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], "Notepad C:\\CHARTS\\A.DVA");
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(OptionCommandsTest, EditorThatCannotStartIsReported) {
  HWND window = Start("");
  CopyText(State().work.pathBuffer, "no-such-editor-program.exe X");
  SendMessageA(window, WM_COMMAND, IDM_RUN_EDITOR, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Error: cannot run Notepad");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

// Records the scroll requests the keys turn into.
std::vector<std::pair<UINT, int>> g_scrolls;
WNDPROC g_mainProc = nullptr;

LRESULT CALLBACK RecordScrolls(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL || message == WM_VSCROLL)
    g_scrolls.push_back({message, LOWORD(wParam)});
  return CallWindowProcA(g_mainProc, window, message, wParam, lParam);
}

TEST_F(OptionCommandsTest, KeysScrollByPagesLinesAndWholeWidths) {
  HWND window = Start("");
  g_scrolls.clear();
  g_mainProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordScrolls)));
  for (WPARAM key : {VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT})
    SendMessageA(window, WM_KEYDOWN, key, 0);
  const std::vector<std::pair<UINT, int>> expected = {
      {WM_VSCROLL, SB_PAGEUP},   {WM_VSCROLL, SB_PAGEDOWN}, {WM_VSCROLL, SB_TOP},
      {WM_VSCROLL, SB_BOTTOM},   {WM_VSCROLL, SB_LINEUP},   {WM_VSCROLL, SB_LINEDOWN},
      {WM_HSCROLL, SB_PAGELEFT}, {WM_HSCROLL, SB_PAGERIGHT}};
  EXPECT_EQ(g_scrolls, expected);
  // While an overlay is dragged (chartState above 2) keys do nothing.
  g_scrolls.clear();
  State().app.chartState = 3;
  SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(g_scrolls.empty());
  State().app.chartState = 0;
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProc));
}

// Commands the Enter key sends, recorded by a stand-in window procedure.
std::vector<int> g_commands;
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
  return CallWindowProcA(g_mainProc, window, message, wParam, lParam);
}

TEST_F(OptionCommandsTest, EnterInsertsAnImageOnlyWhileARectangleIsSelected) {
  HWND window = Start("");
  g_commands.clear();
  g_mainProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
  State().app.chartState = 1;
  SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(g_commands.empty());
  State().app.chartState = 2;
  SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(g_commands, std::vector<int>{IDM_CONTEXT_INSERT_IMAGE});
  State().app.chartState = 0;
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProc));
}

}  // namespace
}  // namespace dv::win::test
