#pragma once
// Control ids of the printing box ("MSPRINTDLG").
#define IDC_PRINTING_TEXT 1101
