#pragma once
// Control ids of the Soundex list ("SOUNDXLIST").
#define IDC_SOUNDEX_ROWS 102
#define IDC_SOUNDEX_LIST_OK 103
#define IDC_SOUNDEX_LIST_CANCEL 104
