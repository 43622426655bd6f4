#pragma once
// Control ids of the "Ancestors" dialog ("ANCLISTDLG").
#define IDC_ANC_SEARCH 101
#define IDC_ANC_REMOVE 103
#define IDC_ANC_OK 104
#define IDC_ANC_ADD 105
#define IDC_ANC_ALL 106
#define IDC_ANC_CHOSEN 107
#define IDC_ANC_CHOSEN_LABEL 108
#define IDC_ANC_NUMBER 109
