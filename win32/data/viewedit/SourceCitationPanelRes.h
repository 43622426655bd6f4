#pragma once
// Control ids of the source-citation panel ("SRCCITN").
#define IDC_CIT_SOURCE 1551
#define IDC_CIT_CHOOSE 1552
#define IDC_CIT_PAGE 1553
#define IDC_CIT_EVENT 1554
#define IDC_CIT_ROLE 1555
#define IDC_CIT_DATE 1556
#define IDC_CIT_TEXT 1557
#define IDC_CIT_QUALITY 1558
#define IDC_CIT_NOTE 1559
#define IDC_CIT_CLOSE 1560
