#pragma once
// Control ids of the list panel ("LISTPANEL") at the left of view/edit mode.
#define IDC_LIST_ROWS 101
#define IDC_LIST_SEARCH_LABEL 103
#define IDC_LIST_SEARCH 104
#define IDC_LIST_ALL 107
#define IDC_LIST_UNLINKED 108
#define IDC_LIST_CAPTION 110
