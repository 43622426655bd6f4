#pragma once
// Control ids of the "Image options" dialog ("OPTIMDLG").
#define IDC_IMGOPT_ENABLE 1700
#define IDC_IMGOPT_FIT 1701
#define IDC_IMGOPT_DOWNWARDS 1702
#define IDC_IMGOPT_AUTORESIZE 1703
#define IDC_IMGOPT_FONT 1704
