#pragma once
// The folder model's drawing resources on Windows: page textures from the caption pool,
// caption textures in the atlases, icons from the icon texture manager, the page icon work on
// a thread that initialises OLE, and the debugger trace.
#include <windows.h>

#include <memory>

#include "base/MainWindowValues.h"
#include "model/DriveWatchesWin.h"
#include "model/FolderResources.h"
#include "render/CaptionAtlas.h"
#include "render/IconTextureManager.h"
#include "render/TextureCaption.h"

// A render caption seen as a scene caption.
template <class T> class TCaptionAdapter : public TSceneCaption {
public:
    explicit TCaptionAdapter(std::unique_ptr<T> caption) : FCaption(std::move(caption)) {}
    void Place(const TVector3& anchor, const TVector3& u, const TVector3& v) override {
        FCaption->Place(anchor, u, v);
    }
    TQuad GetCorners() const override { return FCaption->Corners(); }
    void SetCorners(const TQuad& c) override { FCaption->SetCorners(c[0], c[1], c[2], c[3]); }
    T& Caption() const { return *FCaption; }

private:
    std::unique_ptr<T> FCaption;
};

// The render caption behind a scene caption made here, or nullptr.
template <class T> T* RenderCaption(const TSceneCaption* caption) {
    auto* adapter = dynamic_cast<const TCaptionAdapter<T>*>(caption);
    return adapter ? &adapter->Caption() : nullptr;
}

// One atlas of the pool, given back when the page unloads.
class TWinPageTexture : public TPageTexture {
public:
    TWinPageTexture(TCaptionAtlasPool& pool) : FPool(pool), FAtlas(pool.Acquire()) {}
    ~TWinPageTexture() override { FPool.Release(std::move(FAtlas)); }
    TCaptionAtlasManager& Atlas() const { return *FAtlas; }

private:
    TCaptionAtlasPool& FPool;
    std::unique_ptr<TCaptionAtlasManager> FAtlas;
};

class TWinFolderResources : public TFolderResources {
public:
    // The window is repainted when a page's icons arrive; it must outlive the resources.
    TWinFolderResources(const TMainWindowValues& window, TIconTextureManager& icons,
                        TCaptionAtlasPool& pool, TCaptionAtlasManager& levelAtlas,
                        TCaptionAtlasManager& sortAtlas);

    std::unique_ptr<TPageTexture> AcquirePageTexture() override;
    std::unique_ptr<TSceneCaption> CreatePageCaption(TPageTexture& page,
                                                     std::u16string text) override;
    std::unique_ptr<TSceneCaption> CreateItemCaption(TPageTexture& page, TFSEView& item,
                                                     std::u16string text) override;
    std::unique_ptr<TSceneCaption> CreateLevelCaption(TFolderView& view,
                                                      std::u16string text) override;
    std::unique_ptr<TSceneCaption> CreateSortCaption(TFolderView& view, std::u16string text,
                                                     TOrderEnd end) override;
    TItemIcon TypeIcon(const TIDList* absolute, std::u16string_view extension,
                       bool isFolder) override;
    std::unique_ptr<TIconJob> StartIconJob(std::vector<TIconJobItem> items) override;
    void Trace(std::u16string_view text) override;
    void CheckGLError() override;
    bool DirectoryExists(std::u16string_view path) override;
    std::unique_ptr<TFolderWatch> WatchFolder(TFolderView& view, std::u16string_view path) override;
    TVolumeToken RegisterVolume(std::u16string_view root) override;
    void ReleaseVolume(TVolumeToken volume) override;

private:
    const TMainWindowValues& FWindow;
    TIconTextureManager& FIcons;
    TCaptionAtlasPool& FPool;
    TCaptionAtlasManager& FLevelAtlas;
    TCaptionAtlasManager& FSortAtlas;
    TDriveWatches FDrives;
};

// An icon of the manager as the folder model keeps it.
TItemIcon ItemIconOf(const TIconTextureInfo& info);

// Lets the window thread answer what other threads send it, without taking posted messages.
void ServiceSentMessages();
