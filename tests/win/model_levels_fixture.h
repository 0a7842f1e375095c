#pragma once
// A levels scene on the real shell, drawn into a test window that plays the main window, with a
// fresh temporary folder; the desktop is open as the first level.
#include "GLTestContext.h"
#include "TestWindowValues.h"
#include "base/BaseDefs.h"
#include "base/WindowIds.h"
#include "model/LevelsScene.h"
#include "model/ShellNamespaceWin.h"
#include "model_temp_folder.h"
#include "space/WindowAnimationTimer.h"

#include <gtest/gtest.h>

#include <memory>

class LevelsSceneTest : public ::testing::Test {
protected:
    static constexpr int32_t Size = 512;

    void SetUp() override {
        ASSERT_TRUE(Context.Ready());
        GLint size = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
        MaxTextureSize = size;
        SetWindowLongPtrW(Context.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
        Window.Window = Context.Window();
        Window.Width = Size;
        Window.Height = Size;
        Scene = std::make_unique<TLevelsScene>(Window, Shell, &Camera, Timer, TLevelsHooks{});
        WindowIcons() = &Scene->Icons();
        Levels().OpenOrActivate(Levels().DesktopIDList(), TOpenFlight::NoFlight);
    }

    void TearDown() override {
        Scene.reset();
        WindowIcons() = nullptr;
    }

    TLevelsCollection& Levels() { return Scene->Levels(); }

    TGLTestContext Context{Size, Size};
    TTestWindowValues Window;
    TWindowAnimationTimer Timer{Window};
    TWinShellNamespace Shell;
    TGeomCamera Camera{0, 0, 5};
    TTempFolder Folder;
    std::unique_ptr<TLevelsScene> Scene;

private:
    static TIconTextureManager*& WindowIcons() {
        static TIconTextureManager* icons = nullptr;
        return icons;
    }

    // The test window loads the icons the page threads ask for, as the main window does.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_GM_LOAD_ICON)
            return OnLoadIconMessage(WindowIcons(), wParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
};
