#pragma once
// Resource and control numbers of the update dialog.
#define IDD_UPDATE 101
#define IDC_UPDATE_CHANGE_LOG 1046
#define IDC_UPDATE_START 1044
