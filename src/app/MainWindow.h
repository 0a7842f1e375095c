#pragma once
// The main window: the one owner of the window, its GL context (on a hidden window of its
// own), OLE, the address edit, the scene's window and the scene objects. The main window is a
// plain window whose parts are siblings: the Explorer pane, the address edit and the scene's
// window, which shows frames drawn off screen. Its members are declared in creation order, so
// leaving its scope by any path (the normal end of the message loop or an escaped exception)
// tears them down in the reverse order, the scene while the GL context is still current.
#include <windows.h>
#include <shobjidl.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/AddressEdit.h"
#include "app/GLWindow.h"
#include "app/OffscreenFrame.h"
#include "app/SceneObjects.h"
#include "app/SceneWindow.h"
#include "base/Handles.h"
#include "base/MainWindowValues.h"
#include "services/Settings.h"

// Watches a main window's life from a test; does nothing by default.
class TMainWindowProbe {
public:
    virtual ~TMainWindowProbe() = default;
    // The window is shown and the message loop is about to start.
    virtual void Started(HWND) {}
    // One scene object was destroyed (the GL context is still current).
    virtual void SceneObjectDestroyed(const char*) {}
    // The class of the Explorer pane's browser.
    virtual CLSID ExplorerBrowserClass() const { return CLSID_ExplorerBrowser; }
};

class TMainWindow final : public TMainWindowValues,
                          private TAddressEditSite,
                          private TSceneWindowSite {
public:
    explicit TMainWindow(TMainWindowProbe* probe = nullptr);
    ~TMainWindow();
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    // Start-up, message loop and the placement save; returns the quit message's wParam, or 0
    // when the window could not be set up (its failure box was shown). Raises what escapes.
    int Run();

    // The values the scene's parts read.
    HWND MainWindow() const override { return FWindow.Get(); }
    HWND SceneWindow() const override { return FSceneWindow ? FSceneWindow->Handle() : nullptr; }
    int32_t ClientWidth() const override { return FClientWidth; }
    int32_t ClientHeight() const override { return FClientHeight; }
    int32_t Split() const override { return FSplit; }
    int32_t SceneViewport() const override;
    bool Closing() const override { return FClosing.load(); }
    bool PaintSuspended() const override { return FPaintSuspended; }
    void RequestRedraw() override;

    // Draws one frame and shows it on dc, the scene window's paint DC; true when it drew.
    bool RenderFrame(HDC dc);
    void ResizeClient(int width, int height);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // True when the message is answered with result, without default processing.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // TSceneWindowSite: the scene window's paint, mouse and keyboard.
    bool SceneMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool SceneInput(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintScene();
    void MenuCommand(WORD command);
    void TimerTick(UINT_PTR id);

    bool CreateMainWindow();
    bool CreateGLContext();
    // The scene window, the address edit above it, and where frames are drawn.
    bool CreateParts();
    RECT SceneBounds() const;
    void Teardown();
    int MessageLoop();

    // Keyboard focus among the parts.
    void RememberFocus();
    void RestoreFocus();
    // Tab and Shift+Tab move between the pane, the address edit and the scene; true when the
    // message was such a key.
    bool TabBetweenParts(const MSG& message);
    bool PaneHasFocus() const;

    // TAddressEditSite
    bool CurrentFolderTexts(std::u16string& path, std::u16string& displayName,
                            bool& isFileSystem) override;
    void OpenAddress(PCIDLIST_ABSOLUTE item) override;

    TMainWindowProbe* FProbe;
    TSettings FSettings; // as loaded: its padding is written back untouched
    int32_t FClientWidth = 0;
    int32_t FClientHeight = 0;
    int32_t FSplit = 0;
    std::atomic<bool> FClosing{false};
    bool FPaintSuspended = true;
    bool FFirstFrameDrawn = false;

    // In creation order; Teardown releases them in the reverse order.
    std::optional<TMainWindowClass> FClass;
    TOwnedWindow FWindow;
    std::optional<THiddenGLWindow> FGLWindow;
    TWindowDC FDC; // the hidden window's
    TGLContext FRC;
    std::optional<TOleScope> FOle;
    std::unique_ptr<TSceneWindow> FSceneWindow;
    // The scene window's own DC, holding the GL surface where framebuffer objects are missing.
    TWindowDC FSceneDC;
    std::unique_ptr<TAddressEdit> FAddressEdit;
    // Where frames are drawn; none where the scene window itself holds the GL surface.
    std::unique_ptr<TOffscreenFrame> FFrame;
    std::unique_ptr<TSceneObjects> FScene;
    // The part that had the keyboard when the window was last deactivated.
    HWND FLastFocus = nullptr;
};

// The program's main routine: one main window for the whole run.
int RunMain(TMainWindowProbe* probe = nullptr);
