#include "setup/SetupWizard.h"

#include <commctrl.h>
#include <prsht.h>
#include <shlobj.h>

#include <array>

#include "setup/DestinationTest.h"
#include "setup/SetupPaths.h"
#include "setup/SetupState.h"
#include "setup/SetupSteps.h"
#include "setup/SetupText.h"
#include "setup/SetupWizardRes.h"

namespace dv::win::setup {
namespace {

WizardData& Data(HWND page) {
  return *reinterpret_cast<WizardData*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

std::string ItemText(HWND page, int id) {
  char text[dv::setup::kMaxPathText + 1] = {};
  GetDlgItemTextA(page, id, text, sizeof text);
  return text;
}

// Keeps the wizard on this page (the answer to PSN_WIZNEXT).
INT_PTR StayOnPage(HWND page) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, -1);
  return TRUE;
}

void CentreOnScreen(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + ((work.right - work.left) - (box.right - box.left)) / 2;
  int y = work.top + ((work.bottom - work.top) - (box.bottom - box.top)) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every page: keeps its data, shows the banner, centres the sheet once.
void OnInitPage(HWND page, LPARAM lParam) {
  auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
  auto& data = *reinterpret_cast<WizardData*>(sheetPage->lParam);
  SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&data));
  if (data.banner)
    SendDlgItemMessageA(page, IDC_SETUP_BANNER, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(data.banner));
  if (!data.centred) {
    data.centred = true;
    CentreOnScreen(GetParent(page));
  }
}

void SetButtons(HWND page, DWORD buttons) { PropSheet_SetWizButtons(GetParent(page), buttons); }

// --- Destination page ---------------------------------------------------

void OnDestinationActive(HWND page) {
  auto& data = Data(page);
  if (data.destination.empty()) data.destination = dv::setup::kDefaultDestination;
  SendDlgItemMessageA(page, IDC_SETUP_DESTINATION, EM_LIMITTEXT, dv::setup::kMaxPathText, 0);
  SetDlgItemTextA(page, IDC_SETUP_DESTINATION, data.destination.c_str());
}

INT_PTR OnDestinationNext(HWND page) {
  std::string clean;
  if (TestDestination(ItemText(page, IDC_SETUP_DESTINATION), clean) != 0) {
    SetupMessage(page, dv::setup::kInvalidDirectory, dv::setup::kSetupCaption,
                 MB_OK | MB_ICONEXCLAMATION);
    return StayOnPage(page);
  }
  Data(page).destination = clean;
  return FALSE;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(current));
    CentreOnScreen(browser);
  }
  return 0;
}

INT_PTR OnBrowse(HWND page) {
  std::string title = SetupString(dv::setup::kBrowseTitle);
  char chosen[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = GetParent(page);
  info.pszDisplayName = chosen;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  HRESULT com = CoInitialize(nullptr);
  if (PIDLIST_ABSOLUTE folder = SHBrowseForFolderA(&info)) {
    if (SHGetPathFromIDListA(folder, chosen)) {
      Data(page).destination = chosen;
      SetDlgItemTextA(page, IDC_SETUP_DESTINATION, chosen);
    }
    CoTaskMemFree(folder);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return TRUE;
}

// --- Program folder page ------------------------------------------------

void FillFolderList(HWND page) {
  HWND list = GetDlgItem(page, IDC_SETUP_GROUP_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  std::string pattern = dv::setup::JoinPath(ProgramsMenuFolder(), "*");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string_view name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

void OnFolderPageInit(HWND page) {
  SendDlgItemMessageA(page, IDC_SETUP_GROUP, EM_LIMITTEXT, dv::setup::kMaxPathText, 0);
  FillFolderList(page);
}

void OnFolderActive(HWND page) {
  auto& data = Data(page);
  if (data.programFolder.empty()) data.programFolder = dv::setup::kDefaultProgramFolder;
  SetDlgItemTextA(page, IDC_SETUP_GROUP, data.programFolder.c_str());
}

INT_PTR OnFolderPicked(HWND page) {
  HWND list = GetDlgItem(page, IDC_SETUP_GROUP_LIST);
  LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return TRUE;
  char name[MAX_PATH] = {};
  if (SendMessageA(list, LB_GETTEXTLEN, at, 0) < MAX_PATH) {
    SendMessageA(list, LB_GETTEXT, at, reinterpret_cast<LPARAM>(name));
    SetDlgItemTextA(page, IDC_SETUP_GROUP, name);
  }
  return TRUE;
}

INT_PTR OnFolderNext(HWND page) {
  auto& data = Data(page);
  std::string name;
  if (dv::setup::CheckProgramFolderName(ItemText(page, IDC_SETUP_GROUP), name) != 0 ||
      !ProgramFolderAvailable(name, data.recordedProgramFolder)) {
    SetupMessage(page, dv::setup::kInvalidProgramFolder, dv::setup::kSetupCaption,
                 MB_OK | MB_ICONEXCLAMATION);
    return StayOnPage(page);
  }
  data.programFolder = name;
  return FALSE;
}

// --- Page procedures ----------------------------------------------------

INT_PTR OnFinish(HWND page) {
  Data(page).finished = true;
  return FALSE;
}

// The notifications every page shares; the page's own go to the callers.
INT_PTR CALLBACK WelcomePage(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitPage(page, lParam);
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code == PSN_SETACTIVE) SetButtons(page, PSWIZB_NEXT);
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK DestinationPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitPage(page, lParam);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SETUP_BROWSE) return OnBrowse(page);
      return FALSE;
    case WM_NOTIFY:
      switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
          SetButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
          OnDestinationActive(page);
          return FALSE;
        case PSN_WIZNEXT:
          return OnDestinationNext(page);
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK FolderPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitPage(page, lParam);
      OnFolderPageInit(page);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SETUP_GROUP_LIST && HIWORD(wParam) == LBN_SELCHANGE)
        return OnFolderPicked(page);
      return FALSE;
    case WM_NOTIFY:
      switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
          SetButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
          OnFolderActive(page);
          return FALSE;
        case PSN_WIZNEXT:
          return OnFolderNext(page);
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK FinishPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitPage(page, lParam);
      return TRUE;
    case WM_NOTIFY:
      switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
          SetButtons(page, Data(page).uninstall ? PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_FINISH);
          return FALSE;
        case PSN_WIZFINISH:
          return OnFinish(page);
      }
      return FALSE;
  }
  return FALSE;
}

// One wizard page: its dialog template and the procedure that runs it.
struct WizardPage {
  int templateId;
  DLGPROC procedure;
};

constexpr std::array<WizardPage, 4> kInstallPages = {{
    {IDD_SETUP_WELCOME, WelcomePage},
    {IDD_SETUP_DESTINATION, DestinationPage},
    {IDD_SETUP_PROGRAM_FOLDER, FolderPage},
    {IDD_SETUP_INSTALL, FinishPage},
}};
constexpr WizardPage kUninstallPage = {IDD_SETUP_UNINSTALL, FinishPage};

INT_PTR ShowSheet(HWND owner, WizardData& data, bool modeless) {
  HINSTANCE instance = Installer().instance ? Installer().instance : GetModuleHandleA(nullptr);
  std::array<HPROPSHEETPAGE, 4> pages{};
  UINT count = 0;
  auto add = [&](const WizardPage& wizardPage) {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(wizardPage.templateId);
    page.pfnDlgProc = wizardPage.procedure;
    page.lParam = reinterpret_cast<LPARAM>(&data);
    pages[count++] = CreatePropertySheetPageA(&page);
  };
  if (data.uninstall) {
    add(kUninstallPage);
  } else {
    for (const auto& wizardPage : kInstallPages) add(wizardPage);
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_WIZARD | (modeless ? PSH_MODELESS : 0);
  header.hwndParent = owner;
  header.hInstance = instance;
  header.pszCaption = kWizardCaption;
  header.nPages = count;
  header.phpage = pages.data();
  return PropertySheetA(&header);
}

}  // namespace

bool RunSetupWizard(HWND owner, WizardData& data) {
  data.finished = false;
  ShowSheet(owner, data, false);
  return data.finished;
}

HWND CreateSetupWizard(HWND owner, WizardData& data) {
  data.finished = false;
  return reinterpret_cast<HWND>(ShowSheet(owner, data, true));
}

}  // namespace dv::win::setup
