#pragma once
// Control ids of the "Tree" dialog ("INDLG").
#define IDC_ST_DESCENT_LABEL 102
#define IDC_ST_BASE_GROUP 103
#define IDC_ST_RUN 108
#define IDC_ST_CLOSE 109
#define IDC_ST_PRINTER 110
#define IDC_ST_PREVIEW 111
#define IDC_ST_NAMES 112
#define IDC_ST_SHOW_ANCESTORS 113
#define IDC_ST_NUMBERS 115
#define IDC_ST_BASE_NAME 116
#define IDC_ST_LIST 117
#define IDC_ST_DESCENDANTS 118
