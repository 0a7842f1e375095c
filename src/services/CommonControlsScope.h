#pragma once
// The common controls 6 for the dialogs that hold a link control, activated only while one
// lives, so that the program's other controls stay as they are.
#include <windows.h>

class TCommonControlsScope {
public:
    TCommonControlsScope();
    ~TCommonControlsScope();
    TCommonControlsScope(const TCommonControlsScope&) = delete;
    TCommonControlsScope& operator=(const TCommonControlsScope&) = delete;

private:
    ULONG_PTR FCookie = 0;
    bool FActive = false;
};
