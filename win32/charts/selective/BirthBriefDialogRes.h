#pragma once
// Control ids of the "Birth Brief" dialog ("BBINDLG").
#define IDC_BB_BASE_GROUP 103
#define IDC_BB_BASE_NAME 107
#define IDC_BB_RUN 108
#define IDC_BB_CLOSE 109
#define IDC_BB_PRINTER 110
#define IDC_BB_PREVIEW 111
#define IDC_BB_LIST 112
