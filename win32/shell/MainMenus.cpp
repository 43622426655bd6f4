#include "shell/MainMenus.h"

#include <string_view>

#include "common/StringTable.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "output/GdiGuards.h"

namespace dv::win {

const std::array<ChartBarWord, 6> kChartBarWords = {{
    {" MAGNIFY ", IDM_CHART_MAGNIFY},
    {" REDUCE ", IDM_CHART_REDUCE},
    {" PRINT ", IDM_CHART_PRINT},
    {" SAVE ", IDM_CHART_SAVE},
    {" IMAGES ", IDM_CHART_IMAGES},
    {" CANCEL ", IDM_CHART_CANCEL},
}};

namespace {

constexpr int kRecentShown = IDM_FILE_RECENT_LAST - IDM_FILE_RECENT_FIRST + 1;  // nine

bool LastItemIsSeparator(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  if (count <= 0) return false;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoA(menu, count - 1, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

void AppendEntries(HMENU filePopup, const std::array<std::string, 10>& recentFiles, int last) {
  for (int i = 0; i <= last && i < kRecentShown && !recentFiles[i].empty(); ++i)
    AppendMenuA(filePopup, MF_STRING, IDM_FILE_RECENT_FIRST + i, recentFiles[i].c_str());
}

}  // namespace

void AppendRecentFileItems(HMENU filePopup, const std::array<std::string, 10>& recentFiles) {
  if (recentFiles[0].empty()) return;
  AppendMenuA(filePopup, MF_SEPARATOR, 0, nullptr);
  AppendEntries(filePopup, recentFiles, kRecentShown - 1);
}

void RebuildRecentFileItems(HMENU filePopup, const std::array<std::string, 10>& recentFiles,
                            int last) {
  for (int id = IDM_FILE_RECENT_FIRST; id <= IDM_FILE_RECENT_LAST; ++id)
    DeleteMenu(filePopup, id, MF_BYCOMMAND);
  if (recentFiles[0].empty()) {
    if (LastItemIsSeparator(filePopup))
      DeleteMenu(filePopup, GetMenuItemCount(filePopup) - 1, MF_BYPOSITION);
    return;
  }
  if (!LastItemIsSeparator(filePopup)) AppendMenuA(filePopup, MF_SEPARATOR, 0, nullptr);
  AppendEntries(filePopup, recentFiles, last);
}

HMENU BuildChartContextMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  constexpr int kFirstString = 181;
  for (int id = IDM_CONTEXT_INSERT_IMAGE; id <= IDM_CONTEXT_DELETE_TEXT; ++id) {
    if (id == IDM_CONTEXT_DELETE_IMAGE + 1) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::string text(dv::StringText(kFirstString + id - IDM_CONTEXT_INSERT_IMAGE));
    AppendMenuA(menu, MF_STRING, id, text.c_str());
  }
  return menu;
}

namespace {

// One word drawn black on white into a monochrome bitmap just large enough
// for it.
HBITMAP MakeWordBitmap(HDC screen, HFONT font, std::string_view word) {
  MemoryDc memory(screen);
  if (!memory) return nullptr;
  SelectGuard selectFont(memory.get(), font);
  SIZE size{};
  GetTextExtentPoint32A(memory.get(), word.data(), static_cast<int>(word.size()), &size);
  GdiObject<HBITMAP> bitmap(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  if (!bitmap) return nullptr;
  {
    SelectGuard selectBitmap(memory.get(), bitmap.get());
    PatBlt(memory.get(), 0, 0, size.cx, size.cy, WHITENESS);
    SetTextColor(memory.get(), RGB(0, 0, 0));
    SetBkColor(memory.get(), RGB(255, 255, 255));
    SetBkMode(memory.get(), OPAQUE);
    TextOutA(memory.get(), 0, 0, word.data(), static_cast<int>(word.size()));
  }
  return bitmap.release();
}

int SystemFontHeight(HDC screen) {
  SelectGuard select(screen, GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  return metrics.tmHeight;
}

}  // namespace

HMENU BuildChartMenuBar(std::array<HBITMAP, 6>& bitmaps) {
  ScreenDc screen(nullptr);
  if (!screen) return nullptr;
  GdiObject<HFONT> font(CreateFontA(SystemFontHeight(screen.get()), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                                    FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial Bold"));
  HMENU bar = CreateMenu();
  if (!bar) return nullptr;
  for (std::size_t i = 0; i < kChartBarWords.size(); ++i) {
    bitmaps[i] = MakeWordBitmap(screen.get(), font.get(), kChartBarWords[i].text);
    AppendMenuA(bar, MF_BITMAP, kChartBarWords[i].command, reinterpret_cast<LPCSTR>(bitmaps[i]));
  }
  return bar;
}

void DestroyShellMenus(HWND window, ShellResources& ui) {
  HMENU attached = window ? GetMenu(window) : nullptr;
  if (ui.chartMenuBar && ui.chartMenuBar != attached) DestroyMenu(ui.chartMenuBar);
  if (ui.mainMenu && ui.mainMenu != attached) DestroyMenu(ui.mainMenu);
  if (ui.contextMenu) DestroyMenu(ui.contextMenu);
  ui.chartMenuBar = ui.mainMenu = ui.contextMenu = nullptr;
  for (HBITMAP& bitmap : ui.chartBarBitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

}  // namespace dv::win
