#pragma once
// Control ids of the "Full Chart" dialog ("FULLDLG").
#define IDC_FC_BASE_GROUP 101
#define IDC_FC_RUN 102
#define IDC_FC_PREVIEW 103
#define IDC_FC_CLOSE 104
#define IDC_FC_PRINTER 105
#define IDC_FC_LIST 106
#define IDC_FC_BASE_NAME 107
#define IDC_FC_RESULT 108
#define IDC_FC_FORMAT_GROUP 109
#define IDC_FC_PAGE_BREAKS 110
#define IDC_FC_NO_PAGE_BREAKS 111
