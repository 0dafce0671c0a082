// Resource identifiers of the installer VXInst.
#pragma once

#define IDI_VXINST 128

#define IDD_FOLDER 102
#define IDD_PROGRESS 129
#define IDD_UNINSTALL_CONFIRM 130

// Folder window
#define IDE_DESTINATION 1000
#define IDB_BROWSE 1001
#define IDT_FOLDER_PROMPT 1002

// Progress window
#define IDC_PROGRESS_BAR 1003
#define IDT_PROGRESS_PERCENT 1004
#define IDT_PROGRESS_STATUS 1005

// Uninstall confirmation
#define IDT_UNINSTALL_WHAT 1007
#define IDT_UNINSTALL_QUESTION 1008

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
