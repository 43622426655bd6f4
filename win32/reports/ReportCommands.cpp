#include "reports/ReportCommands.h"

#include "charts/selective/BirthBriefState.h"
#include "data/DataCommands.h"
#include "reports/ReportDialog.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"

namespace dv::win {
namespace {

constexpr int kReportKindSlot = 6;  // fparam

}  // namespace

void OnReport(HWND window, WPARAM wParam, LPARAM) {
  AppState& app = State().app;
  if (!LeaveViewEditFirst(window)) {
    app.resumeMode = 0;
    return;
  }
  const int type = LOWORD(wParam) - IDM_REPORTS_ALL_INDIVIDUALS;
  State().settings.fparam[kReportKindSlot] = type;
  app.fileNameBuffer.fill('\0');
  if (LoadedRecordStore() != nullptr) {
    HelpContextScope help(kHelpReports);
    RunReportDialog(window, type);
  }
  // Back to the view/edit mode left for the report.
  if (app.resumeMode == 1) PostMessageA(window, WM_COMMAND, IDM_FILE_VIEW, 0);
  if (app.resumeMode == 2) PostMessageA(window, WM_COMMAND, IDM_FILE_EDIT, 0);
  app.resumeMode = 0;
}

}  // namespace dv::win
