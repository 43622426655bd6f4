#pragma once
// Control ids of the "Insert Text" dialog ("INTXTDLG").
#define IDC_INTXT_LEFT 1710
#define IDC_INTXT_CENTRE 1711
#define IDC_INTXT_LEFT_TEXT 1712
#define IDC_INTXT_CENTRE_TEXT 1713
