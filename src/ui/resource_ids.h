#pragma once
// Numbers of the plug-in's resources and dialog controls. The resource
// compiler reads this file too, so the ids are plain macros.

// Dialog templates.
#define IDD_PROGRAM_INFO 101
#define IDD_SETTINGS 102

// Images.
#define IDI_NO_LETTER_SMALL 114
#define IDI_PLUGIN 115
#define IDI_MIME_ENVELOPE 116
#define IDI_NO_LETTER_LARGE 117
#define IDR_SLEEP_ANIMATION 118
#define IDI_DONATIONS 119
#define IDI_RELEASE_NOTES 120
#define IDC_POINTER 121
#define IDI_PLUGINS 122

// Type name of the animated cursor resource.
#define ANICURSOR_RESOURCE_TYPE "ANICURSORS"

// Settings dialog controls.
#define IDC_FOLDER_FIELD 1000
#define IDC_EXTENSION_FIELD 1001
#define IDC_BROWSE 1004
#define IDC_SLEEP 1005
#define IDC_SAVE_HTML 1006
#define IDC_APPLY 1007
#define IDC_CANCEL 1008
#define IDC_OPEN_FOLDER 1009
#define IDC_PICTURE 1010

// Program information dialog controls.
#define IDC_RELEASE_NOTES 1002
#define IDC_DONATIONS 1003
#define IDC_CLOSE 1004
#define IDC_MORE_PLUGINS 1005
#define IDC_INFO_TEXT 1009
