#pragma once
// Resource and command ids shared by the resource script and the C++ code.
// windres cannot see C++ enums, so these are plain #defines. The command
// table in shell/Commands.cpp mirrors every id below; a test walks both.
//
// Named resources (looked up by name, not by number): the main menu
// "DORVANE", the icon "wicon", the accelerators "DVAccelerators" and the
// dialog templates ("ABOUTDLG", ...).

// ---- File menu -------------------------------------------------------------
#define IDM_FILE_NEW 60
#define IDM_FILE_OPEN 1
#define IDM_FILE_VIEW 64
#define IDM_FILE_EXTRACT 2
#define IDM_FILE_EDIT 5
#define IDM_FILE_SAVE 61
#define IDM_FILE_SAVE_AS 62
#define IDM_FILE_CLOSE 63
#define IDM_FILE_EXIT 10
// Recent files appended to the File popup at run time: 51 + entry index.
#define IDM_FILE_RECENT_FIRST 51
#define IDM_FILE_RECENT_LAST 59

// ---- Charts menu -----------------------------------------------------------
#define IDM_CHARTS_BIRTH_BRIEF 3
#define IDM_CHARTS_SELECTIVE_TREE 4
#define IDM_CHARTS_BOX_CHART 11
#define IDM_CHARTS_TREE 12

// ---- Reports menu ----------------------------------------------------------
#define IDM_REPORTS_ALL_INDIVIDUALS 35
#define IDM_REPORTS_DESCENDANTS 36
#define IDM_REPORTS_ANCESTORS 37

// ---- Tools menu ------------------------------------------------------------
#define IDM_TOOLS_SOUNDEX 43

// ---- Options menu ----------------------------------------------------------
#define IDM_OPTIONS_BIRTH_BRIEF 6
#define IDM_OPTIONS_SELECTIVE_TREE 7
#define IDM_OPTIONS_FULL_CHART 14
#define IDM_OPTIONS_MARGINS 13
#define IDM_OPTIONS_PRINTER 9
#define IDM_OPTIONS_FONTS 16
#define IDM_OPTIONS_COLOURS 34
#define IDM_OPTIONS_PREFERENCES 20

// ---- Help menu -------------------------------------------------------------
#define IDM_HELP_HELP 17
#define IDM_HELP_CONTENTS 19
#define IDM_HELP_ABOUT 8

// ---- Chart menu bar (bitmap words) -----------------------------------------
#define IDM_CHART_MAGNIFY 21
#define IDM_CHART_REDUCE 22
#define IDM_CHART_PRINT 23
#define IDM_CHART_SAVE 24
#define IDM_CHART_CANCEL 25
#define IDM_CHART_IMAGES 38

// ---- Chart context menu ----------------------------------------------------
#define IDM_CONTEXT_INSERT_IMAGE 201
#define IDM_CONTEXT_DELETE_IMAGE 202
#define IDM_CONTEXT_INSERT_TEXT 204
#define IDM_CONTEXT_EDIT_TEXT 205
#define IDM_CONTEXT_DELETE_TEXT 206

// ---- View/edit toolbar -----------------------------------------------------
#define IDM_VIEWEDIT_TO_VIEW 65
#define IDM_VIEWEDIT_TO_EDIT 66
#define IDM_VIEWEDIT_PREVIOUS 67
#define IDM_VIEWEDIT_NEXT 68

// ---- Internal commands (posted or sent between the program's parts) -------
#define IDM_OVERLAY_END 26
#define IDM_EXPORT_PNG 28
#define IDM_EXPORT_FINISHED 29
#define IDM_EXPORT_METAFILE 30
#define IDM_SCROLL_RANGES 31
#define IDM_SHOW_CHART 32
#define IDM_RUN_EDITOR 33
#define IDM_RECENT_REBUILD 50
#define IDM_VIEWEDIT_LEAVE 69
#define IDM_SAVE_NAMED 70
#define IDM_CONTEXT_CLOSED 200
#define IDM_OVERLAY_REFIT 207

// Every command id is below this; higher WM_COMMAND ids are ignored.
#define IDM_LIMIT 208

// ---- Child windows of the main window --------------------------------------
#define IDC_STATUS_BAR 201
