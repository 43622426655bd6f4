#pragma once
// Control ids of the "Edit File" dialog ("EDITDLG").
#define IDC_EF_PROMPT 101
#define IDC_EF_PATH 102
