#pragma once
// Resource numbers of the main window's icon and menu, and the menu's command ids: read by
// glimmera.rc and by the code, so only #defines.
#define IDI_PROGRAM 111
#define IDR_MAIN_MENU 110
#define IDM_EXIT 40002
#define IDM_HELP 40004
#define IDM_ABOUT 40006
#define IDM_HOME_PAGE 40012
#define IDM_CHECK_FOR_UPDATE 40015
