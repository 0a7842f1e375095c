#pragma once
// The main window's values as a test sets them: a window of its own, sizes, the closing flag.
#include <atomic>

#include "base/MainWindowValues.h"

class TTestWindowValues final : public TMainWindowValues {
public:
    HWND MainWindow() const override { return Window; }
    HWND SceneWindow() const override { return Window; }
    int32_t ClientWidth() const override { return Width; }
    int32_t ClientHeight() const override { return Height; }
    int32_t Split() const override { return SplitWidth; }
    int32_t SceneViewport() const override { return 1; }
    bool Closing() const override { return IsClosing.load(); }
    bool PaintSuspended() const override { return false; }
    void RequestRedraw() override {
        ++Redraws;
        if (Window)
            InvalidateRect(Window, nullptr, FALSE);
    }

    HWND Window = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t SplitWidth = 0;
    std::atomic<bool> IsClosing{false};
    std::atomic<int> Redraws{0};
};
