#pragma once
// Control ids of the "Data Source" dialog ("DSDLG") and the commands it
// posts to itself between the steps of a load.
#define IDC_DS_LABEL 101
#define IDC_DS_PATH 102
#define IDC_DS_FORMAT_GROUP 103
#define IDC_DS_GEDCOM 104
#define IDC_DS_BIRTH_BRIEF 105
#define IDC_DS_TREE 106
#define IDC_DS_OK 107
#define IDC_DS_BROWSE 108
#define IDC_DS_CANCEL 109
#define IDC_DS_GAUGE 113

#define IDC_DS_LOAD_START 120
#define IDC_DS_LOAD_STEP 121
#define IDC_DS_LOAD_FINISH 122
#define IDC_DS_LOAD_END 123
