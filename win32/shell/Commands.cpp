#include "shell/Commands.h"

#include <algorithm>

#include "charts/full/FullChartCommands.h"
#include "charts/full/OverlayCommands.h"
#include "charts/selective/BirthBriefCommands.h"
#include "charts/selective/SelectiveCommands.h"
#include "data/DataCommands.h"
#include "data/viewedit/ViewEditFrame.h"
#include "data/ExtractDialog.h"
#include "output/ChartSave.h"
#include "output/ChartWindow.h"
#include "output/MarginsDialog.h"
#include "output/PrintChart.h"
#include "output/PrintSetup.h"
#include "output/PrinterDialog.h"
#include "reports/ReportCommands.h"
#include "resources/resource.h"
#include "shell/AboutDialog.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/MainMenus.h"
#include "shell/OptionCommands.h"
#include "soundex/SoundexDialog.h"

namespace dv::win {
namespace {

#define DV_COMMAND(id, handler) \
  { id, handler, #id }

constexpr CommandEntry kCommands[] = {
    DV_COMMAND(IDM_FILE_OPEN, OnOpen),     // Data Source dialog
    DV_COMMAND(IDM_FILE_EXTRACT, OnFileExtract),
    DV_COMMAND(IDM_CHARTS_BIRTH_BRIEF, OnBirthBriefChart),
    DV_COMMAND(IDM_CHARTS_SELECTIVE_TREE, OnSelectiveTreeChart),
    DV_COMMAND(IDM_FILE_EDIT, OnFileEdit),  // view/edit mode
    DV_COMMAND(IDM_OPTIONS_BIRTH_BRIEF, OnBirthBriefOptions),
    DV_COMMAND(IDM_OPTIONS_SELECTIVE_TREE, OnSelectiveTreeOptions),
    DV_COMMAND(IDM_HELP_ABOUT, OnAbout),
    DV_COMMAND(IDM_OPTIONS_PRINTER, OnPrinterDialog),
    DV_COMMAND(IDM_FILE_EXIT, OnExit),
    DV_COMMAND(IDM_CHARTS_BOX_CHART, OnFullChartBox),
    DV_COMMAND(IDM_CHARTS_TREE, OnFullChartTree),
    DV_COMMAND(IDM_OPTIONS_MARGINS, OnMargins),
    DV_COMMAND(IDM_OPTIONS_FULL_CHART, OnFullChartOptions),
    DV_COMMAND(IDM_OPTIONS_FONTS, OnFonts),
    DV_COMMAND(IDM_HELP_HELP, OnHelp),
    DV_COMMAND(IDM_HELP_CONTENTS, OnHelpContents),
    DV_COMMAND(IDM_OPTIONS_PREFERENCES, OnPreferences),
    DV_COMMAND(IDM_CHART_MAGNIFY, OnMagnify),
    DV_COMMAND(IDM_CHART_REDUCE, OnReduce),
    DV_COMMAND(IDM_CHART_PRINT, OnPrint),
    DV_COMMAND(IDM_CHART_SAVE, OnChartSave),
    DV_COMMAND(IDM_CHART_CANCEL, OnCloseChart),
    DV_COMMAND(IDM_OVERLAY_END, OnOverlayEnd),
    DV_COMMAND(IDM_EXPORT_PNG, OnExportPng),
    DV_COMMAND(IDM_EXPORT_FINISHED, OnExportFinished),
    DV_COMMAND(IDM_EXPORT_METAFILE, OnExportMetafile),
    DV_COMMAND(IDM_SCROLL_RANGES, OnScrollRanges),
    DV_COMMAND(IDM_SHOW_CHART, OnShowChart),
    DV_COMMAND(IDM_RUN_EDITOR, OnRunEditor),
    DV_COMMAND(IDM_OPTIONS_COLOURS, OnColours),
    DV_COMMAND(IDM_REPORTS_ALL_INDIVIDUALS, OnReport),
    DV_COMMAND(IDM_REPORTS_DESCENDANTS, OnReport),
    DV_COMMAND(IDM_REPORTS_ANCESTORS, OnReport),
    DV_COMMAND(IDM_CHART_IMAGES, OnChartImages),
    DV_COMMAND(IDM_TOOLS_SOUNDEX, OnSoundexCalculator),
    DV_COMMAND(IDM_RECENT_REBUILD, OnRebuildRecentFiles),
    {51, OnRecentFile, "IDM_FILE_RECENT_FIRST"},
    {52, OnRecentFile, "IDM_FILE_RECENT_FIRST + 1"},
    {53, OnRecentFile, "IDM_FILE_RECENT_FIRST + 2"},
    {54, OnRecentFile, "IDM_FILE_RECENT_FIRST + 3"},
    {55, OnRecentFile, "IDM_FILE_RECENT_FIRST + 4"},
    {56, OnRecentFile, "IDM_FILE_RECENT_FIRST + 5"},
    {57, OnRecentFile, "IDM_FILE_RECENT_FIRST + 6"},
    {58, OnRecentFile, "IDM_FILE_RECENT_FIRST + 7"},
    {59, OnRecentFile, "IDM_FILE_RECENT_LAST"},
    DV_COMMAND(IDM_FILE_NEW, OnNew),
    DV_COMMAND(IDM_FILE_SAVE, OnSave),
    DV_COMMAND(IDM_FILE_SAVE_AS, OnSaveAs),
    DV_COMMAND(IDM_FILE_CLOSE, OnCloseViewEdit),
    DV_COMMAND(IDM_FILE_VIEW, OnFileView),
    DV_COMMAND(IDM_VIEWEDIT_TO_VIEW, OnSwitchToView),
    DV_COMMAND(IDM_VIEWEDIT_TO_EDIT, OnSwitchToEdit),
    DV_COMMAND(IDM_VIEWEDIT_PREVIOUS, OnPreviousRecord),
    DV_COMMAND(IDM_VIEWEDIT_NEXT, OnNextRecord),
    DV_COMMAND(IDM_VIEWEDIT_LEAVE, OnLeaveViewEdit),
    DV_COMMAND(IDM_SAVE_NAMED, OnSaveNamed),
    DV_COMMAND(IDM_CONTEXT_CLOSED, OnContextClosed),
    DV_COMMAND(IDM_CONTEXT_INSERT_IMAGE, OnInsertImage),
    DV_COMMAND(IDM_CONTEXT_DELETE_IMAGE, OnDeleteItem),
    DV_COMMAND(IDM_CONTEXT_INSERT_TEXT, OnInsertText),
    DV_COMMAND(IDM_CONTEXT_EDIT_TEXT, OnEditText),
    DV_COMMAND(IDM_CONTEXT_DELETE_TEXT, OnDeleteItem),
    DV_COMMAND(IDM_OVERLAY_REFIT, OnOverlayRefit),
};

#undef DV_COMMAND

constexpr bool OrderedById() {
  for (std::size_t i = 1; i < std::size(kCommands); ++i)
    if (kCommands[i - 1].id >= kCommands[i].id) return false;
  return true;
}
static_assert(OrderedById(), "command table rows must be in ascending id order, each id once");

}  // namespace

std::span<const CommandEntry> CommandTable() { return kCommands; }

const CommandEntry* FindCommand(int id) {
  auto it = std::lower_bound(std::begin(kCommands), std::end(kCommands), id,
                             [](const CommandEntry& e, int v) { return e.id < v; });
  return it != std::end(kCommands) && it->id == id ? it : nullptr;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  // Ids without a row (all others below 208, and anything above) do nothing.
  if (const CommandEntry* entry = FindCommand(LOWORD(wParam)))
    entry->handler(window, wParam, lParam);
  return 0;
}

void Inert(HWND, WPARAM, LPARAM) {}

void OnExit(HWND window, WPARAM, LPARAM) { PostMessageA(window, WM_CLOSE, 0, 0); }

void OnHelp(HWND window, WPARAM, LPARAM) { OpenHelp(window, State().app.helpContext); }

void OnHelpContents(HWND window, WPARAM, LPARAM) { OpenHelp(window, kHelpMain); }

void OnAbout(HWND window, WPARAM, LPARAM) { RunAboutDialog(window); }

void OnRebuildRecentFiles(HWND, WPARAM, LPARAM lParam) {
  auto& state = State();
  if (!state.ui.mainMenu) return;
  RebuildRecentFileItems(GetSubMenu(state.ui.mainMenu, kFilePopup), state.settings.recentFiles,
                         LOWORD(lParam));
}

void OnRecentFile(HWND window, WPARAM wParam, LPARAM lParam) { OnOpenRecent(window, wParam, lParam); }

}  // namespace dv::win
