#pragma once
// Control ids of the "Extract data" dialog ("EXDLG").
#define IDC_EX_PATH 101
#define IDC_EX_PROMPT 102
#define IDC_EX_OK 103
#define IDC_EX_CLOSE 104
#define IDC_EX_BIRTH_BRIEF 105
#define IDC_EX_TREE 106
#define IDC_EX_EDIT 107
