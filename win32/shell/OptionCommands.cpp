#include "shell/OptionCommands.h"

#include <commdlg.h>

#include <string>

#include "data/DataState.h"
#include "data/viewedit/ViewEditFrame.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/PreferencesDialog.h"
#include "shell/ShowMessage.h"

namespace dv::win {

void OnPreferences(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  PreferencesSession session;
  session.settings = &state.settings;
  session.sourceOpen = state.app.sourceOpen != 0;
  const int tooltips = state.settings.fparam[2];
  RunPreferencesDialog(window, session);
  // In view/edit mode the toolbar follows a changed tooltip switch.
  if (state.app.viewEditMode && state.settings.fparam[2] != tooltips)
    SetViewEditTooltips(state.settings.fparam[2] != 0);
}

void ApplyColourChoice(bool ok, unsigned long error, const std::array<COLORREF, 16>& chosen,
                       std::array<std::uint32_t, 16>& customColours) {
  if (ok) {
    for (std::size_t i = 0; i < chosen.size(); ++i) customColours[i] = chosen[i];
    return;
  }
  if (error == 0) return;
  dv::Settings defaults;
  customColours = defaults.customColours;
}

void ChooseCustomColours(HWND owner, std::array<std::uint32_t, 16>& colours) {
  HelpContextScope help(kHelpColours);
  std::array<COLORREF, 16> copy{};
  for (std::size_t i = 0; i < copy.size(); ++i) copy[i] = colours[i];
  bool ok;
  DWORD error = 0;
  if (auto& hook = Data().hooks.chooseColour) {
    ok = hook(owner, copy, error);
  } else {
    CHOOSECOLORA box{};
    box.lStructSize = sizeof box;
    box.hwndOwner = owner;
    box.lpCustColors = copy.data();
    box.Flags = CC_FULLOPEN;
    ok = ChooseColorA(&box) != FALSE;
    if (!ok) error = CommDlgExtendedError();
  }
  ApplyColourChoice(ok, error, copy, colours);
}

void OnColours(HWND window, WPARAM, LPARAM) {
  ChooseCustomColours(State().app.mainWindow ? State().app.mainWindow : window,
                      State().settings.customColours);
}

void OnRunEditor(HWND window, WPARAM, LPARAM) {
  const std::string command(TextOf(State().work.pathBuffer));
  UINT result;
  if (auto& hook = Data().hooks.runProgram) {
    result = hook(command);
  } else {
    result = WinExec(command.c_str(), SW_SHOWNORMAL);
  }
  if (result < 32) showMessage(window, kCannotRunNotepad, false);
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
  const auto chartState = State().app.chartState;
  if (chartState > 2) return 0;
  auto scroll = [window](UINT message, int code) {
    SendMessageA(window, message, MAKEWPARAM(code, 0), 0);
  };
  switch (key) {
    case VK_RETURN:
      if (chartState == 2) SendMessageA(window, WM_COMMAND, IDM_CONTEXT_INSERT_IMAGE, 0);
      break;
    case VK_PRIOR:
      scroll(WM_VSCROLL, SB_PAGEUP);
      break;
    case VK_NEXT:
      scroll(WM_VSCROLL, SB_PAGEDOWN);
      break;
    case VK_HOME:
      scroll(WM_VSCROLL, SB_TOP);
      break;
    case VK_END:
      scroll(WM_VSCROLL, SB_BOTTOM);
      break;
    case VK_UP:
      scroll(WM_VSCROLL, SB_LINEUP);
      break;
    case VK_DOWN:
      scroll(WM_VSCROLL, SB_LINEDOWN);
      break;
    // Left and right move a whole window width, not a column.
    case VK_LEFT:
      scroll(WM_HSCROLL, SB_PAGELEFT);
      break;
    case VK_RIGHT:
      scroll(WM_HSCROLL, SB_PAGERIGHT);
      break;
  }
  return 0;
}

}  // namespace dv::win
