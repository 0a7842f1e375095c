#pragma once
// Resource and control numbers of the About box.
#define IDD_ABOUT 103
#define IDC_ABOUT_PRODUCT 1015
#define IDC_ABOUT_HOME_PAGE 1014
#define IDC_ABOUT_MAIL 1041
#define IDC_ABOUT_BUG_REPORT 1040
#define IDC_ABOUT_SYSTEM 1011
