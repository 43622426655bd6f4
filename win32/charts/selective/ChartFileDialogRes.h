#pragma once
// Control ids of the chart-file dialog ("SFINDLG").
#define IDC_CF_FILE 101
#define IDC_CF_RUN 102
#define IDC_CF_PREVIEW 103
#define IDC_CF_CLOSE 104
#define IDC_CF_PRINT 105
