#pragma once
// Control ids of the record pickers ("PICKDLG").
#define IDC_PICK_LIST 101
