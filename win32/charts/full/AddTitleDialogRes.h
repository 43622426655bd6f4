#pragma once
// Control ids of the "Add title" dialog ("TITLEDLG").
#define IDC_TITLE_NONE 160
#define IDC_TITLE_ADD 161
#define IDC_TITLE_FONT 162
