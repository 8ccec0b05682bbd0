// Resource and control IDs of driverui.dll, shared by the .rc file and the code.
#pragma once

#define IDD_PRINTER_PROPERTIES 106

// Driver info.
#define IDC_DRIVER_VERSION_LABEL 1002
#define IDC_DRIVER_VERSION 1003
#define IDC_LM_VERSION 1013

// Language monitor (shared).
#define IDC_PERIODIC_STATUS 1008
#define IDC_STATUS_PERIOD 1009

// Printer control.
#define IDC_START_DOC 1014
#define IDC_START_PAGE 1023
#define IDC_SKIP_FIRST_PAGE 1036
#define IDC_END_DOC 1015
#define IDC_LINE_FEEDS 1022
#define IDC_KNIFE_CUT 1021
#define IDC_CASH_DRAWER1 1029
#define IDC_CASH_DRAWER2 1030

// Commands.
#define IDC_RESTORE 1035
#define IDC_SAVE 1011
#define IDC_REFRESH 1012
