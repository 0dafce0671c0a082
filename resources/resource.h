// Identifiers of the settings program's resources and controls, by kind.
#pragma once

// Dialog templates
#define IDD_MAIN 102

// Controls of the main dialog
#define IDC_MAIN_TAB 1000
