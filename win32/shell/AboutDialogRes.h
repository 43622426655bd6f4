#pragma once
// Control ids of the About box ("ABOUTDLG").
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_NAME 1002
#define IDC_ABOUT_LINE 1003
