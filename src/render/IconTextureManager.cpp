#include "render/IconTextureManager.h"

#include <shellapi.h>

#include <thread>

#include "base/BaseDefs.h"
#include "base/Errors.h"
#include "base/WindowIds.h"
#include "base/WinString.h"
#include "render/LightBitmap.h"
#include "render/PixelRoutines.h"

namespace {
constexpr const char* Module = "TextureManagement";
constexpr int32_t IconSize = 32;
constexpr int32_t EntrySlack = 50;
constexpr int FileIconInitOrdinal = 660;
// How long a worker waits for the window thread before it looks again whether the window is
// closing; a window thread that waits for workers therefore never waits for long.
constexpr UINT SendTimeoutMs = 100;

int32_t SystemIconIndex(const wchar_t* path, DWORD attributes, UINT flags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path, attributes, &info, sizeof(info), flags | SHGFI_SYSICONINDEX))
        return 0;
    return info.iIcon >= 0 ? info.iIcon : 0;
}

// Keeps count of the threads inside a request so that destruction can wait for them.
class TRequestScope {
public:
    explicit TRequestScope(std::atomic<int32_t>& counter) : FCounter(counter) { ++FCounter; }
    ~TRequestScope() { --FCounter; }
    TRequestScope(const TRequestScope&) = delete;
    TRequestScope& operator=(const TRequestScope&) = delete;

private:
    std::atomic<int32_t>& FCounter;
};
} // namespace

void CallFileIconInit(bool restoreCache) {
    using TFileIconInit = BOOL(WINAPI*)(BOOL);
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell)
        return;
    auto fileIconInit = reinterpret_cast<TFileIconInit>(
        reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(FileIconInitOrdinal))));
    if (fileIconInit)
        fileIconInit(restoreCache ? TRUE : FALSE);
}

TIconTextureManager::TIconTextureManager(const TMainWindowValues& window)
    : FWindow(window), FIconAtlas(IconSize, IconSize) {
    InitWithSystemImageList();
    wchar_t programFiles[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE))
        FFolderIconIndex = SystemIconIndex(programFiles, 0, 0);
}

TIconTextureManager::~TIconTextureManager() {
    FShuttingDown = true;
    while (FActiveRequests > 0)
        std::this_thread::yield();
}

void TIconTextureManager::InitWithSystemImageList() {
    CallFileIconInit(false);
    SHFILEINFOW info{};
    info.iIcon = -1;
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    if (info.iIcon == -1 || !list)
        RaiseItemError(u"InitWithSystemImageList", u"{A635E473-0936-4683-96A0-7F685EC59384}", u"");
    FImageList = list;
    FEntries.resize(static_cast<size_t>(std::max(0, ImageList_GetImageCount(list))));
}

int32_t TIconTextureManager::GetIconIndex(const TIconRequest& request) const {
    if (request.IsFolder)
        return FFolderIconIndex;
    if (!request.Extension.empty() && request.Extension.front() == u'.')
        return SystemIconIndex(AsWide(request.Extension), FILE_ATTRIBUTE_NORMAL,
                               SHGFI_USEFILEATTRIBUTES);
    if (request.IDList)
        return SystemIconIndex(reinterpret_cast<const wchar_t*>(request.IDList), 0, SHGFI_PIDL);
    return 0;
}

TIconTextureInfo TIconTextureManager::GetIconTexture(const TIconRequest& request) {
    TRequestScope scope(FActiveRequests);
    if (FShuttingDown)
        return {};
    return GetIconTextureOfIndex(GetIconIndex(request));
}

TIconTextureInfo TIconTextureManager::GetIconTextureOfIndex(int32_t index) {
    TRequestScope scope(FActiveRequests);
    GMAssert(index >= 0, Module);
    {
        std::lock_guard<std::mutex> guard(FLock);
        EnsureEntry(index);
        if (FEntries[static_cast<size_t>(index)].Loaded || FShuttingDown)
            return FEntries[static_cast<size_t>(index)];
    }
    RequestLoad(index);
    // Read under the lock: another thread may be growing the table right now.
    std::lock_guard<std::mutex> guard(FLock);
    return FEntries[static_cast<size_t>(index)];
}

void TIconTextureManager::EnsureEntry(int32_t index) {
    if (static_cast<int32_t>(FEntries.size()) > index)
        return;
    int32_t wanted = std::max(ImageList_GetImageCount(FImageList) + EntrySlack, index + 1);
    FEntries.resize(static_cast<size_t>(wanted));
}

void TIconTextureManager::RequestLoad(int32_t index) {
    HWND window = FWindow.MainWindow();
    if (!window)
        return;
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        if (!WindowClosing())
            LoadIcon(index);
        return;
    }
    // A plain SendMessage would block for good if the window thread waited for this thread.
    while (!FShuttingDown && !WindowClosing() && IsWindow(window)) {
        DWORD_PTR result = 0;
        SetLastError(ERROR_SUCCESS);
        if (SendMessageTimeoutW(window, WM_GM_LOAD_ICON, static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                                SendTimeoutMs, &result))
            return;
        if (GetLastError() != ERROR_TIMEOUT)
            return;
    }
}

void TIconTextureManager::LoadIcon(int32_t index) {
    if (FShuttingDown)
        return;
    TIconTextureInfo entry;
    {
        std::lock_guard<std::mutex> guard(FLock);
        GMAssert(index >= 0 && index < static_cast<int32_t>(FEntries.size()), Module);
        entry = FEntries[static_cast<size_t>(index)];
    }
    if (entry.Loaded)
        return;

    TDIBSection icon(IconSize, IconSize);
    ImageList_DrawEx(FImageList, index, icon.DC(), 0, 0, 0, 0, CLR_DEFAULT, CLR_DEFAULT,
                     ILD_NORMAL);
    TPixelView pixels = icon.FlushedPixels();
    if (!HasOwnAlpha(pixels)) {
        TDIBSection mask(IconSize, IconSize);
        ImageList_DrawEx(FImageList, index, mask.DC(), 0, 0, 0, 0, CLR_DEFAULT, CLR_DEFAULT,
                         ILD_MASK);
        ApplyMaskAlpha(pixels, mask.FlushedPixels().Bits);
    }
    TIconCell cell =
        entry.CellIndex >= 0 ? FIconAtlas.Replace(entry.CellIndex, icon) : FIconAtlas.Add(icon);

    std::lock_guard<std::mutex> guard(FLock);
    TIconTextureInfo& stored = FEntries[static_cast<size_t>(index)];
    stored.Loaded = true;
    stored.CellIndex = cell.CellIndex;
    stored.AtlasIndex = cell.AtlasIndex;
    stored.Coords = cell.Coords;
}

void TIconTextureManager::BindIconAtlas(int32_t atlasIndex) {
    FIconAtlas.BindAtlas(atlasIndex);
}

void TIconTextureManager::ResetIcons() {
    std::lock_guard<std::mutex> guard(FLock);
    for (TIconTextureInfo& entry : FEntries)
        entry.Loaded = false;
}

int32_t TIconTextureManager::EntryCount() {
    std::lock_guard<std::mutex> guard(FLock);
    return static_cast<int32_t>(FEntries.size());
}

TIconTextureInfo TIconTextureManager::Entry(int32_t index) {
    std::lock_guard<std::mutex> guard(FLock);
    GMAssert(index >= 0 && index < static_cast<int32_t>(FEntries.size()), Module);
    return FEntries[static_cast<size_t>(index)];
}

LRESULT OnLoadIconMessage(TIconTextureManager* manager, WPARAM index) {
    if (!manager || manager->WindowClosing())
        return 0;
    manager->LoadIcon(static_cast<int32_t>(index));
    return 0;
}
