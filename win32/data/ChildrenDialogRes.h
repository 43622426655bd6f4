#pragma once
// Control ids of the "Children" list ("CHILDDLG").
#define IDC_CHILD_LIST 101
