#include "charts/full/BoxChartOptionsDialog.h"

#include <iterator>

#include "charts/full/BoxChartOptionsDialogRes.h"
#include "charts/full/FullChartTypes.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/OptionCommands.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kHelpBoxChartOptions = 313;  // the full chart options' page

// The 17 checks and the settings slot each one stands for.
enum class Slots { kG, kD };
struct CheckSlot {
  int control;
  Slots array;
  int slot;
};
constexpr CheckSlot kChecks[] = {
    {IDC_BOXOPT_SPOUSE_BIRTH_DATE, Slots::kG, 1}, {IDC_BOXOPT_SPOUSE_BIRTH_PLACE, Slots::kG, 2},
    {IDC_BOXOPT_SPOUSE_DEATH_DATE, Slots::kG, 3}, {IDC_BOXOPT_SPOUSE_DEATH_PLACE, Slots::kG, 4},
    {IDC_BOXOPT_MARRIAGE_DATE, Slots::kG, 5},     {IDC_BOXOPT_MARRIAGE_PLACE, Slots::kG, 6},
    {IDC_BOXOPT_CHILD_BIRTH_DATE, Slots::kG, 7},  {IDC_BOXOPT_CHILD_BIRTH_PLACE, Slots::kG, 8},
    {IDC_BOXOPT_CHILD_DEATH_DATE, Slots::kG, 9},  {IDC_BOXOPT_CHILD_DEATH_PLACE, Slots::kG, 10},
    {IDC_BOXOPT_OCCUPATION, Slots::kG, 11},       {IDC_BOXOPT_MALE_FIRST, Slots::kD, 30},
    {IDC_BOXOPT_BLANK_LINES, Slots::kD, 33},      {IDC_BOXOPT_NO_DUPLICATE, Slots::kD, 34},
    {IDC_BOXOPT_FULL_CHILD_NAMES, Slots::kD, 35}, {IDC_BOXOPT_COLOUR_BOXES, Slots::kD, 40},
    {IDC_BOXOPT_EXCLUDE_MARRIED, Slots::kD, 43},
};
static_assert(std::size(kChecks) == 17);

int& SlotOf(dv::Settings& s, const CheckSlot& c) {
  return c.array == Slots::kG ? s.gparam[std::size_t(c.slot)] : s.dparam[std::size_t(c.slot)];
}

BoxChartOptionsSession* SessionOf(HWND dialog) {
  return reinterpret_cast<BoxChartOptionsSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<BoxChartOptionsSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->kept = *session->settings;
  for (const CheckSlot& c : kChecks)
    CheckDlgButton(dialog, c.control, SlotOf(*session->settings, c) ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

INT_PTR OnOk(HWND dialog) {
  BoxChartOptionsSession* session = SessionOf(dialog);
  dv::Settings& s = *session->settings;
  for (const CheckSlot& c : kChecks)
    SlotOf(s, c) = IsDlgButtonChecked(dialog, c.control) == BST_CHECKED ? 1 : 0;
  dv::FullChartOptions::DeriveShortChildLines(s);
  session->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCancel(HWND dialog) {
  BoxChartOptionsSession* session = SessionOf(dialog);
  *session->settings = session->kept;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

void OnColours(HWND dialog) {
  ChooseCustomColours(dialog, SessionOf(dialog)->settings->customColours);
}

void OnDefaultColours(HWND dialog) {
  SessionOf(dialog)->settings->setDefaultColours();
  showMessage(dialog, kMsgDefaultColoursRestored, false);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_BOXOPT_OK:
    case IDOK:
      return OnOk(dialog);
    case IDC_BOXOPT_CANCEL:
    case IDCANCEL:
      return OnCancel(dialog);
    case IDC_BOXOPT_COLOURS:
      OnColours(dialog);
      return TRUE;
    case IDC_BOXOPT_DEFAULT_COLOURS:
      OnDefaultColours(dialog);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunBoxChartOptionsDialog(HWND owner, dv::Settings& settings) {
  HelpContextScope help(kHelpBoxChartOptions);
  BoxChartOptionsSession session;
  session.settings = &settings;
  DialogBoxParamA(State().app.instance, kBoxChartOptionsTemplate, owner, BoxChartOptionsDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK BoxChartOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
