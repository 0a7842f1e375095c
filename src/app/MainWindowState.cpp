#include "app/MainWindow.h"

HWND MainWindow = nullptr;
int32_t ClientWidth = 0;
int32_t ClientHeight = 0;
int32_t Split = 200;
int32_t Closing = 0;
bool PaintSuspended = true;

void RequestRedraw() {
    if (!MainWindow)
        return;
    InvalidateRect(MainWindow, nullptr, FALSE);
    UpdateWindow(MainWindow);
}
