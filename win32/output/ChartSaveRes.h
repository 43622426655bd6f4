#pragma once
// Control ids of the "Saving to image file..." box ("PNGDLG").
#define IDC_PNG_TEXT 1101
