#pragma once
// Control ids of "Manual format (horizontal)" ("MASKDLG") and of its edit
// dialog ("MASKEDITDLG").
#define IDC_MF_GENERATION_HEAD 140
#define IDC_MF_GROUP_HEAD 101
#define IDC_MF_RANGE_HEAD 102
#define IDC_MF_RANGE_MINMAX 120
#define IDC_MF_SHIFT_HEAD 121
#define IDC_MF_NEW_RANGE_HEAD 142
#define IDC_MF_NEW_MINMAX 143
#define IDC_MF_LIMITS_HEAD 133
#define IDC_MF_GENERATIONS 103
#define IDC_MF_KEYS 104
#define IDC_MF_MINS 105
#define IDC_MF_MAXS 106
#define IDC_MF_SHIFTS 107
#define IDC_MF_NEW_MINS 108
#define IDC_MF_NEW_MAXS 109
#define IDC_MF_LIMIT_MIN 134
#define IDC_MF_LIMIT_MAX 135
#define IDC_MF_EDIT 110
#define IDC_MF_OK 111
#define IDC_MF_CANCEL 112
#define IDC_MF_SAVE 113

#define IDC_ME_LIST 101
#define IDC_ME_LIST_LABEL 102
#define IDC_ME_SHIFT_LABEL 103
#define IDC_ME_SHIFT 104
#define IDC_ME_OK 105
#define IDC_ME_CANCEL 106
