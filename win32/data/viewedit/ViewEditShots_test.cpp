// Pictures of every view/edit page in view and edit state, for looking at
// by eye: written only when DORVANE_VIEWEDIT_SHOTS names a folder (run
// under a real X display), skipped otherwise.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/DataTestSupport.h"
#include "data/viewedit/ViewEditFrame.h"
#include "resources/resource.h"

namespace dv::win::test {
namespace {

using dv::viewedit::Tab;

// The window's pixels as a 24-bit BMP file.
void SaveWindow(HWND window, const std::string& path) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

class ViewEditShots : public DataTest {
 protected:
  void Settle() {
    for (int i = 0; i < 20; ++i) {
      Pump();
      Sleep(25);
    }
  }
  void ChooseTab(int position) {
    NMHDR header{ViewEdit().tabs, 91, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageA(State().app.mainWindow, WM_NOTIFY, 91, reinterpret_cast<LPARAM>(&header));
    SendMessageA(ViewEdit().tabs, TCM_SETCURSEL, position, 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(State().app.mainWindow, WM_NOTIFY, 91, reinterpret_cast<LPARAM>(&header));
    Settle();
  }
  void ChooseSubTab(int position) {
    SendMessageA(ViewEdit().subTabs, TCM_SETCURSEL, position, 0);
    NMHDR header{ViewEdit().subTabs, 92, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(State().app.mainWindow, WM_NOTIFY, 92, reinterpret_cast<LPARAM>(&header));
    Settle();
  }
};

TEST_F(ViewEditShots, EveryPageInViewAndEditState) {
  const char* folder = std::getenv("DORVANE_VIEWEDIT_SHOTS");
  if (!folder || !*folder) GTEST_SKIP() << "DORVANE_VIEWEDIT_SHOTS not set";
  HWND window = Start("");
  ASSERT_NE(window, nullptr);
  std::ifstream in(std::string("Z:") + DORVANE_TESTDATA + "/../sample/sample.ged", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  // The first person gets our portrait, for the Multimedia page.
  std::string sample = text.str();
  const std::size_t first = sample.find("0 @I1@ INDI");
  const std::size_t end = first == std::string::npos ? first : sample.find('\n', first);
  if (end != std::string::npos)
    sample.insert(end + 1, "1 OBJE\r\n2 FORM jpg\r\n2 TITL Portrait\r\n2 FILE Z:" +
                               std::string(DORVANE_TESTDATA) + "/../sample/pictures/portrait.jpg\r\n");
  ASSERT_TRUE(Load(WriteFile("sample.ged", sample)));
  MoveWindow(window, 0, 0, 1024, 740, TRUE);
  ShowWindow(window, SW_SHOW);
  for (int mode : {1, 2}) {
    SendMessageA(window, WM_COMMAND, mode == 1 ? IDM_FILE_VIEW : IDM_FILE_EDIT, 0);
    Settle();
    NavigateTo(Tab::kIndividual, Data().store.FindIndex(dv::kIndi, 1));
    const char* names[] = {"header", "individual", "family", "source", "repository", "pedigree"};
    for (int tab = 0; tab < (mode == 1 ? 6 : 5); ++tab) {
      ChooseTab(tab);
      const std::string base = std::string(folder) + "\\" + (mode == 1 ? "view-" : "edit-") + names[tab];
      SaveWindow(window, base + ".bmp");
      if (tab == 1 || tab == 2) {
        ChooseSubTab(1);
        SaveWindow(window, base + "-details.bmp");
        ChooseSubTab(2);
        SaveWindow(window, base + "-multimedia.bmp");
        ChooseSubTab(0);
      }
    }
    ChooseTab(1);
    boxAnswer_ = IDNO;
    SendMessageA(window, WM_COMMAND, IDM_FILE_CLOSE, 0);
    Settle();
  }
}

}  // namespace
}  // namespace dv::win::test
