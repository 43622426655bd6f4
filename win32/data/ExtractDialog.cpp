#include "data/ExtractDialog.h"

#include <vector>

#include "charts/selective/BirthBriefTables.h"
#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/Extract.h"
#include "data/ExtractDialogRes.h"
#include "data/RecordStore.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kPathLimit = 256;
constexpr int kMsgEditFull = 22;  // "Edit control out of space"
constexpr int kNotepadText = 71;  // "Notepad "
constexpr int kChartKindSelectiveTree = 3;

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

int& ExtractFormat() {
  static int format = dv::kExtractBirthBrief;
  return format;
}

INT_PTR OnInitDialog(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_EX_PATH, EM_LIMITTEXT, kPathLimit - 1, 0);
  if (!ExtractOutputPath().empty())
    SetDlgItemTextA(dialog, IDC_EX_PATH, ExtractOutputPath().c_str());
  // The Tree when the Selective Tree was the last chart dialog used.
  ExtractFormat() = State().app.chartKind == kChartKindSelectiveTree ? dv::kExtractTree
                                                                      : dv::kExtractBirthBrief;
  CheckRadioButton(dialog, IDC_EX_BIRTH_BRIEF, IDC_EX_TREE, IDC_EX_TREE - ExtractFormat());
  Enable(dialog, IDC_EX_EDIT, false);
  return TRUE;
}

// The request for the current selection: the data source, the base
// individual's number and the chosen ancestors.
dv::ExtractRequest Request(const std::string& output) {
  const ProgramState& state = State();
  const DataState& data = Data();
  dv::ExtractRequest rq;
  rq.sourcePath = std::string(TextOf(state.app.currentSource));
  rq.outputPath = output;
  if (state.app.recordsLoaded != 0 && data.selection.baseIndex > 0)
    rq.baseNumber = dv::NumberOf(data.store.XrefOf(dv::kIndi, data.selection.baseIndex));
  for (int i = 0; i < data.selection.ancestorCount && i < int(data.selection.ancestors.size());
       ++i)
    rq.selection.push_back(data.selection.ancestors[std::size_t(i)]);
  const dv::BirthBriefOptions brief = dv::BirthBriefOptions::FromSettings(state.settings);
  rq.treeOptions = dv::SelectiveOptions::FromSettings(state.settings);
  rq.width = brief.width;
  rq.allCapitals =
      ExtractFormat() == dv::kExtractBirthBrief ? brief.allCapitals : rq.treeOptions.allCapitals;
  return rq;
}

void OnOk(HWND dialog) {
  char text[kPathLimit] = {};
  GetDlgItemTextA(dialog, IDC_EX_PATH, text, sizeof text);
  if (text[0] == '\0') return;
  ExtractOutputPath() = text;
  const dv::ExtractRequest rq = Request(ExtractOutputPath());
  dv::SelectivePrompter prompter;
  prompter.show = [dialog](int id, const std::string& suffix) {
    showMessage(dialog, id, false, suffix);
  };
  prompter.ask = [dialog](int id, const std::string& suffix) {
    return showMessage(dialog, id, true, suffix) == 0;
  };
  EnableWindow(dialog, FALSE);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const int rc = dv::RunExtract(rq, ExtractFormat(), prompter);
  SetCursor(previous);
  EnableWindow(dialog, TRUE);
  // The same file, or a question answered Cancel: nothing was written.
  if (rc == dv::kMsgSameFiles || rc == -1) return;
  if (rc == 0) {
    showMessage(dialog, dv::kMsgExtracted, false);
    Enable(dialog, IDC_EX_EDIT, true);
  } else {
    showMessage(dialog, dv::kMsgCannotExtract, false);
  }
  Enable(dialog, IDC_EX_OK, false);
}

void OnEdit(HWND dialog) {
  const std::string command = std::string(dv::StringText(kNotepadText)) + ExtractOutputPath();
  CopyText(State().work.pathBuffer, command);
  EndDialog(dialog, IDOK);
  PostMessageA(State().app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_RUN_EDITOR, 0), 0);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_EX_OK:
      OnOk(dialog);
      return TRUE;
    case IDC_EX_BIRTH_BRIEF:
    case IDC_EX_TREE:
      ExtractFormat() = IDC_EX_TREE - LOWORD(wParam);
      return TRUE;
    case IDC_EX_EDIT:
      OnEdit(dialog);
      return TRUE;
    case IDC_EX_PATH:
      if (HIWORD(wParam) == EN_MAXTEXT) showMessage(dialog, kMsgEditFull, false);
      return TRUE;
    case IDC_EX_CLOSE:
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

std::string& ExtractOutputPath() {
  static std::string path;
  return path;
}

void RunExtractDialog(HWND owner) {
  HelpContextScope help(kHelpExtract);
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kExtractTemplate, owner, ExtractDialogProc, 0);
}

void OnFileExtract(HWND window, WPARAM, LPARAM) { RunExtractDialog(window); }

INT_PTR CALLBACK ExtractDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
