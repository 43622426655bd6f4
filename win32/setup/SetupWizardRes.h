#pragma once
// Page templates and control ids of the installer's wizard.
#define IDD_SETUP_INSTALL 101
#define IDD_SETUP_WELCOME 102
#define IDD_SETUP_UNINSTALL 103
#define IDD_SETUP_DESTINATION 107
#define IDD_SETUP_PROGRAM_FOLDER 108
// Every page shows the banner bitmap in this picture control.
#define IDC_SETUP_BANNER 300
#define IDC_SETUP_BROWSE 403
#define IDC_SETUP_GROUP 502
#define IDC_SETUP_GROUP_LIST 503
#define IDC_SETUP_DESTINATION 1024
#define IDC_SETUP_TEXT 1100
#define IDC_SETUP_TEXT2 1101
