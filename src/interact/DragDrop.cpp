#include "interact/DragDrop.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "base/BaseDefsWin.h"
#include "base/Errors.h"
#include "base/WinString.h"
#include "interact/FileEngine.h"
#include "interact/SceneOperations.h"
#include "interact/Shortcuts.h"
#include "model/FolderView.h"
#include "services/IDListWin.h"
#include "services/OwnedIDList.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr const char* Module = "FileEngine";

static_assert(DropEffectCopy == DROPEFFECT_COPY && DropEffectMove == DROPEFFECT_MOVE &&
              DropEffectLink == DROPEFFECT_LINK && DropKeyShift == MK_SHIFT &&
              DropKeyControl == MK_CONTROL);

bool OffersFiles(IDataObject* data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && data->QueryGetData(&format) == S_OK;
}

// Looked up once: a drag asks at every move of the pointer.
TOwnedIDList RecycleBinIDList() {
    LPITEMIDLIST bin = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &bin)))
        return {};
    return TOwnedIDList(FromShell(bin));
}

// What a drop at the hit would go into: a level's folder, or a folder item (its caption
// stands for it), when it lies in the file system; or the Recycle Bin, level or tile, which
// recycles what is dropped. A file item is no target: the shell would take its path for the
// new name of the dropped file and replace the file. Neither is a virtual folder such as
// Computer: the shell would take its "::{...}" name for a folder to create.
TDropPlace PlaceOf(const TSceneHit& hit, const TIDList* recycleBin) {
    const auto isRecycleBin = [recycleBin](const TIDList* item) {
        return recycleBin && item && IDListEqual(item, recycleBin);
    };
    if (hit.Item) {
        const TOwnedIDList item = hit.Item->AbsoluteIDList();
        if (isRecycleBin(item.Get()))
            return {hit.Item->DisplayName(), true};
        if (GetPathKind(hit.Item->Path()) == TPathKind::Directory)
            return {hit.Item->Path(), false};
    } else if (hit.View) {
        if (isRecycleBin(hit.View->AbsoluteIDList()))
            return {hit.View->DisplayName(), true};
        if (hit.View->IsFileSystem())
            return {hit.View->Path(), false};
    }
    return {};
}
} // namespace

TDropTarget::TDropTarget(TMainWindowValues& window, const TViewportManager2& viewports,
                         int32_t sceneViewport, TSceneOperationManager& scene,
                         std::function<void()> keepException)
    : FWindow(window), FViewports(viewports), FSceneViewport(sceneViewport), FScene(scene),
      FKeepException(std::move(keepException)) {
    FRegistered = RegisterDragDrop(window.SceneWindow(), this) == S_OK;
    FRecycleBin = RecycleBinIDList();
    FDrawn = FCurrent;
    FPhantom.Redraw(FCurrent);
}

void TDropTarget::Revoke() {
    if (FRegistered)
        RevokeDragDrop(FWindow.SceneWindow());
    FRegistered = false;
    FAcceptable = false;
}

template <class Action> HRESULT TDropTarget::Guarded(Action action) {
    try {
        action();
        return S_OK;
    } catch (...) {
        if (FKeepException)
            FKeepException();
        return E_UNEXPECTED;
    }
}

POINT TDropTarget::ClientPoint(POINTL screen) const {
    POINT point{screen.x, screen.y};
    ScreenToClient(FWindow.MainWindow(), &point);
    return point;
}

void TDropTarget::UpdateHover(POINT point) {
    const int32_t index = FViewports.HitTest(point.x, point.y);
    if (index == FHoverViewport)
        return;
    FHoverViewport = index;
    FHoverRect = TViewport{};
    if (index >= 0)
        FViewports.GetViewport(index, FHoverRect);
}

DWORD TDropTarget::Decide(DWORD keys, DWORD allowed, POINT point) {
    FPlace = FHoverViewport == FSceneViewport
                 ? PlaceOf(FScene.HitTestScene(point.x, point.y, PickRightPress), FRecycleBin.Get())
                 : TDropPlace{};
    FCurrent.Target = FPlace.Target;
    FCurrent.NoTarget = FCurrent.Target.empty();
    const TDropDecision decision = FPlace.RecycleBin
                                       ? DecideRecycleDrop(allowed)
                                       : DecideDrop(keys, allowed, !FCurrent.NoTarget);
    FCurrent.Operation = decision.Operation;
    return decision.Effect;
}

HRESULT TDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL screen, DWORD* effect) {
    return Guarded([&] {
        const POINT point = ClientPoint(screen);
        UpdateHover(point);
        FScene.BeginDragOver();
        FCurrent.Inside = true;
        FAcceptable = FRegistered && OffersFiles(data);
        const DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
        const DWORD decided = Decide(keys, allowed, point);
        if (effect)
            *effect = FAcceptable ? decided : DROPEFFECT_NONE;
        RedrawLabel();
    });
}

HRESULT TDropTarget::DragOver(DWORD keys, POINTL screen, DWORD* effect) {
    return Guarded([&] {
        const POINT point = ClientPoint(screen);
        UpdateHover(point);
        const DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
        const DWORD decided = Decide(keys, allowed, point);
        if (effect)
            *effect = FAcceptable ? decided : DROPEFFECT_NONE;
        if (FHoverViewport >= 0) {
            int32_t x = 0;
            int32_t y = 0;
            FViewports.WindowToViewport(FHoverViewport, point.x, point.y, x, y);
            FPhantom.MoveTo(x, y, FHoverRect.Width);
        }
        if (!(FCurrent == FDrawn))
            RedrawLabel();
        FScene.DragHover(point.x, point.y, keys);
        FWindow.RequestRedraw();
    });
}

void TDropTarget::RedrawLabel() {
    FDrawn = FCurrent;
    FPhantom.Redraw(FCurrent);
    // The debugger sees what the label says, for whoever checks a drag from outside.
    OutputDebugStringW(AsWide(u"drag label: " + FPhantom.Text()));
}

HRESULT TDropTarget::DragLeave() {
    return Guarded([&] { Leave(); });
}

void TDropTarget::Leave() {
    GMAssert(FCurrent.Inside, Module);
    FCurrent.Inside = false;
    FCurrent.Target.clear();
    FScene.EndDrag();
    FHoverViewport = -1;
    FWindow.RequestRedraw();
}

HRESULT TDropTarget::Drop(IDataObject* data, DWORD keys, POINTL screen, DWORD* effect) {
    return Guarded([&] {
        DWORD done = DROPEFFECT_NONE;
        if (FAcceptable && data) {
            const POINT point = ClientPoint(screen);
            UpdateHover(point);
            done = Decide(keys, effect ? *effect : DROPEFFECT_NONE, point);
            DropData(*data, done);
        }
        if (effect)
            *effect = done;
        Leave();
    });
}

void TDropTarget::DropData(IDataObject& data, DWORD effect) {
    if (FPlace.RecycleBin) {
        if (effect & DROPEFFECT_MOVE)
            RecycleDroppedFiles(data);
    } else if (effect & DROPEFFECT_LINK) {
        const std::u16string first = FirstDroppedPath(data);
        if (!first.empty())
            CreateShortcut(first, FCurrent.Target, u"", u"");
    } else if (effect & DROPEFFECT_COPY) {
        TransferFiles(data, FCurrent.Target, FO_COPY);
    } else if (effect & DROPEFFECT_MOVE) {
        const TFolderView* source = FScene.DragSourceView();
        const std::u16string from = source ? source->Path() : std::u16string();
        if (FCurrent.Target != from)
            TransferFiles(data, FCurrent.Target, FO_MOVE);
    }
}

HRESULT TDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keys) {
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON))
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TDropSource::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

void DragSelection(const TFolderView& view) {
    ComPtr<IDataObject> data = CreateFileDataObject(view);
    if (!data)
        return;
    ComPtr<IDropSource> source;
    source.Attach(new TDropSource());
    // A whole drive is never moved: where it lands, its source would be emptied.
    const DWORD allowed = HoldsVolumeRoot(BuildSelectedPathList(view))
                              ? DROPEFFECT_COPY | DROPEFFECT_LINK
                              : DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), source.Get(), allowed, &effect);
}
