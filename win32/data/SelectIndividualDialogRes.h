#pragma once
// Control ids of the "Select Base Individual" dialog ("SELINDDLG").
#define IDC_SEL_LIST 101
#define IDC_SEL_OK 102
#define IDC_SEL_CANCEL 103
#define IDC_SEL_SEARCH 104
#define IDC_SEL_SEARCH_LABEL 105
