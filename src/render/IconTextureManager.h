#pragma once
// Shell icons as textures: each system image-list index is drawn once into a cell of the icon
// atlases. Any thread may ask for an icon; the drawing itself always happens on the window
// thread, which a synchronous message asks to do it.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "base/MainWindowValues.h"
#include "render/IconAtlas.h"

struct TIconTextureInfo {
    bool Loaded = false;
    int32_t CellIndex = -1;
    int32_t AtlasIndex = -1;
    TTexCoords Coords;
};

// What an icon is asked for by. The quick per-type icon is taken when the request says the
// item is a folder or names an extension; else the item's own icon by its ID list.
struct TIconRequest {
    PCIDLIST_ABSOLUTE IDList = nullptr;
    std::u16string Extension; // ".txt"
    bool IsFolder = false;
};

class TIconTextureManager {
public:
    // Needs the shell's system image list; raises when there is none. Icons are drawn on the
    // thread of window.MainWindow(), which must outlive the manager.
    explicit TIconTextureManager(const TMainWindowValues& window);
    // Waits until no other thread is inside GetIconTexture any more.
    ~TIconTextureManager();
    TIconTextureManager(const TIconTextureManager&) = delete;
    TIconTextureManager& operator=(const TIconTextureManager&) = delete;

    // The system image-list index for a request (0 when the shell has no icon for it).
    int32_t GetIconIndex(const TIconRequest& request) const;
    // Any thread: the icon's cell, loading it on the window thread first when needed. While the
    // window is closing the entry may come back not loaded.
    TIconTextureInfo GetIconTexture(const TIconRequest& request);
    TIconTextureInfo GetIconTextureOfIndex(int32_t index);
    // Window thread: draws image-list icon Index into the atlases (again into its old cell after
    // ResetIcons). Does nothing for an icon already loaded.
    void LoadIcon(int32_t index);
    void BindIconAtlas(int32_t atlasIndex);
    // Marks every icon not loaded, so each is drawn again when next asked for.
    void ResetIcons();

    HIMAGELIST ImageList() const { return FImageList; }
    bool WindowClosing() const { return FWindow.Closing(); }
    // Threads inside GetIconTexture right now.
    int32_t ActiveRequests() const { return FActiveRequests.load(); }
    int32_t FolderIconIndex() const { return FFolderIconIndex; }
    int32_t EntryCount();
    TIconTextureInfo Entry(int32_t index);
    // Window thread only.
    const TIconAtlasManager& IconAtlas() const { return FIconAtlas; }

private:
    void InitWithSystemImageList();
    void EnsureEntry(int32_t index);
    void RequestLoad(int32_t index);

    const TMainWindowValues& FWindow;
    HIMAGELIST FImageList = nullptr; // the shell's; not ours to destroy
    int32_t FFolderIconIndex = 0;
    std::vector<TIconTextureInfo> FEntries;
    TIconAtlasManager FIconAtlas;
    std::mutex FLock; // guards FEntries
    std::atomic<bool> FShuttingDown{false};
    std::atomic<int32_t> FActiveRequests{0};
};

// The window procedure's answer to WM_GM_LOAD_ICON (wParam = image-list index): loads the icon
// unless the window is closing or there is no manager. Returns 0.
LRESULT OnLoadIconMessage(TIconTextureManager* manager, WPARAM index);

// The shell's FileIconInit: RestoreCache true has it rebuild the system image list
// (WM_WININICHANGE). Does nothing where the shell lacks it.
void CallFileIconInit(bool restoreCache);
