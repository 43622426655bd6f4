#pragma once
// Control ids of the REPODATA page of view/edit mode.
#define IDC_REPO_NAME 1351
#define IDC_REPO_ADDRESS 1352
#define IDC_REPO_PHONE 1353
#define IDC_REPO_REFN 1354
#define IDC_REPO_NOTES 1355
#define IDC_PAGE_NEW 1090
#define IDC_PAGE_ADD 1091
#define IDC_PAGE_DELETE 1092
