#pragma once
// Control ids of the INDIXTRA page of view/edit mode.
#define IDC_INDX_PREFIX 1451
#define IDC_INDX_SUFFIX 1452
#define IDC_INDX_CAUSE 1453
#define IDC_INDX_REFN 1454
#define IDC_INDX_ADOPTED 1455
