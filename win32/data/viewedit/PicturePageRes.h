#pragma once
// Control ids of the PICTUREDLG page of view/edit mode.
#define IDC_PIC_ITEMS 1600
#define IDC_PIC_NEW 1601
#define IDC_PIC_DELETE 1602
#define IDC_PIC_TITLE 1603
#define IDC_PIC_FILE 1604
#define IDC_PIC_FORM 1605
#define IDC_PIC_COUNT 1606
#define IDC_PIC_BOX 1607
#define IDC_PIC_MESSAGE 1608
