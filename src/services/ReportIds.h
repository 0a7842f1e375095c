#pragma once
// Resource and control numbers of the report dialogs, shared by the resource script and code.
#define IDD_ERROR_REPORT 1007
#define IDC_ERROR_PROMPT 1032
#define IDC_ERROR_TEXT 1007
#define IDC_ERROR_EXIT 1001
#define IDC_ERROR_SEND 1003

#define IDD_BUG_REPORT 104
#define IDC_BUG_TEXT 1023
#define IDC_BUG_ATTACH_LABEL 1031
#define IDC_BUG_ATTACHMENT 1027
#define IDC_BUG_BROWSE 1028
#define IDC_BUG_CANCEL 1029
#define IDC_BUG_SEND 1030
