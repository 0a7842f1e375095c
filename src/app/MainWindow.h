#pragma once
// The main window: the one owner of the window, its device and GL contexts, OLE, the address
// edit and the scene objects. Its members are declared in creation order, so leaving its scope
// by any path (the normal end of the message loop or an escaped exception) tears them down in
// the reverse order, the scene while the GL context is still current.
#include <windows.h>
#include <shobjidl.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/AddressEdit.h"
#include "app/GLWindow.h"
#include "app/SceneObjects.h"
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

class TMainWindow final : public TMainWindowValues, private TAddressEditSite {
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
    int32_t ClientWidth() const override { return FClientWidth; }
    int32_t ClientHeight() const override { return FClientHeight; }
    int32_t Split() const override { return FSplit; }
    int32_t SceneViewport() const override;
    bool Closing() const override { return FClosing.load(); }
    bool PaintSuspended() const override { return FPaintSuspended; }
    void RequestRedraw() override;

    // Draws one frame; true when it drew.
    bool RenderFrame();
    void ResizeClient(int width, int height);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // True when the message is answered with result, without default processing.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void MenuCommand(WORD command);
    void TimerTick(UINT_PTR id);

    bool CreateGLWindow();
    bool CreateGLContext();
    void Teardown();
    int MessageLoop();

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

    // In creation order; Teardown releases them in the reverse order.
    std::optional<TMainWindowClass> FClass;
    TWindowHandle FWindow;
    TOwnDC FDC;
    TGLContext FRC;
    std::optional<TOleScope> FOle;
    std::unique_ptr<TAddressEdit> FAddressEdit;
    std::unique_ptr<TSceneObjects> FScene;
};

// The program's main routine: one main window for the whole run.
int RunMain(TMainWindowProbe* probe = nullptr);
