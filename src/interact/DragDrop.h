#pragma once
// Drag and drop with OLE: the scene as a drop target for files from any program and from
// itself, and the selection of a level dragged out.
#include <windows.h>
#include <oleidl.h>

#include <cstdint>
#include <functional>

#include "base/ComObject.h"
#include "base/MainWindowValues.h"
#include "interact/DragDropPhantom.h"
#include "interact/DropRules.h"
#include "services/OwnedIDList.h"
#include "space/Viewports.h"

class TFolderView;
class TSceneOperationManager;

class TDropTarget final : public TComObject<IDropTarget> {
public:
    // Registers itself with the main window; without registration it accepts nothing. An
    // exception must not unwind into OLE: keepException is called inside the handler instead.
    TDropTarget(TMainWindowValues& window, const TViewportManager2& viewports,
                int32_t sceneViewport, TSceneOperationManager& scene,
                std::function<void()> keepException);
    // Before the window goes: no more drops.
    void Revoke();

    // The label, while a drag is over the scene.
    bool PhantomVisible() const { return FHoverViewport == FSceneViewport && FCurrent.Inside; }
    const TDragDropPhantom& Phantom() const { return FPhantom; }
    const TPhantomState& State() const { return FCurrent; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

private:
    ~TDropTarget() override = default;
    POINT ClientPoint(POINTL screen) const;
    void UpdateHover(POINT point);
    // The effect for the keys and the source's allowed effects, the state's target found first.
    DWORD Decide(DWORD keys, DWORD allowed, POINT point);
    void DropData(IDataObject& data, DWORD effect);
    void Leave();
    void RedrawLabel();
    template <class Action> HRESULT Guarded(Action action);

    TMainWindowValues& FWindow;
    const TViewportManager2& FViewports;
    int32_t FSceneViewport;
    TSceneOperationManager& FScene;
    std::function<void()> FKeepException;
    bool FRegistered = false;
    bool FAcceptable = false;
    TDragDropPhantom FPhantom;
    TPhantomState FCurrent;
    TPhantomState FDrawn;
    TDropPlace FPlace;
    TOwnedIDList FRecycleBin;
    int32_t FHoverViewport = -1;
    TViewport FHoverRect;
};

class TDropSource final : public TComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    ~TDropSource() override = default;
};

// Drags the view's selection out with the modal OLE loop; returns when the drag ended.
void DragSelection(const TFolderView& view);
