#include "model/FolderResourcesWin.h"

#include <ole2.h>

#include "base/Handles.h"
#include "model/FolderWatchWin.h"
#include <shlwapi.h>

#include "base/WinString.h"

namespace {

TCaptionAtlasManager& AtlasOf(TPageTexture& page) {
    return static_cast<TWinPageTexture&>(page).Atlas();
}

} // namespace

TItemIcon ItemIconOf(const TIconTextureInfo& info) {
    return TItemIcon{info.AtlasIndex, info.Coords};
}

void ServiceSentMessages() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

TWinFolderResources::TWinFolderResources(const TMainWindowValues& window,
                                         TIconTextureManager& icons, TCaptionAtlasPool& pool,
                                         TCaptionAtlasManager& levelAtlas,
                                         TCaptionAtlasManager& sortAtlas)
    : FWindow(window), FIcons(icons), FPool(pool), FLevelAtlas(levelAtlas), FSortAtlas(sortAtlas),
      FDrives(window.MainWindow()) {}

std::unique_ptr<TPageTexture> TWinFolderResources::AcquirePageTexture() {
    return std::make_unique<TWinPageTexture>(FPool);
}

std::unique_ptr<TSceneCaption> TWinFolderResources::CreatePageCaption(TPageTexture& page,
                                                                      std::u16string text) {
    return std::make_unique<TCaptionAdapter<TPageTextureCaption>>(
        std::make_unique<TPageTextureCaption>(std::move(text), &AtlasOf(page),
                                              SmallCaptionPixelWidth, SmallCaptionWorldWidth,
                                              SmallCaptionWorldHeight));
}

std::unique_ptr<TSceneCaption>
TWinFolderResources::CreateItemCaption(TPageTexture& page, TFSEView& item, std::u16string text) {
    return std::make_unique<TCaptionAdapter<TFSETextureCaption>>(
        std::make_unique<TFSETextureCaption>(std::move(text), &AtlasOf(page),
                                             SmallCaptionPixelWidth, SmallCaptionWorldWidth,
                                             SmallCaptionWorldHeight, &item));
}

std::unique_ptr<TSceneCaption> TWinFolderResources::CreateLevelCaption(TFolderView& view,
                                                                       std::u16string text) {
    return std::make_unique<TCaptionAdapter<TLevelTextureCaption>>(
        std::make_unique<TLevelTextureCaption>(std::move(text), &FLevelAtlas,
                                               LevelCaptionPixelWidth, LevelCaptionWorldWidth,
                                               LevelCaptionWorldHeight, &view));
}

std::unique_ptr<TSceneCaption>
TWinFolderResources::CreateSortCaption(TFolderView& view, std::u16string text, TOrderEnd end) {
    return std::make_unique<TCaptionAdapter<TLevelSortCaption>>(std::make_unique<TLevelSortCaption>(
        std::move(text), &FSortAtlas, SmallCaptionPixelWidth, SmallCaptionWorldWidth,
        SmallCaptionWorldHeight, &view, static_cast<int32_t>(end)));
}

TItemIcon TWinFolderResources::TypeIcon(const TIDList* absolute, std::u16string_view extension,
                                        bool isFolder) {
    TIconRequest request;
    request.IDList = reinterpret_cast<PCIDLIST_ABSOLUTE>(absolute);
    request.Extension = std::u16string(extension);
    request.IsFolder = isFolder;
    return ItemIconOf(FIcons.GetIconTexture(request));
}

std::unique_ptr<TIconJob> TWinFolderResources::StartIconJob(std::vector<TIconJobItem> items) {
    TIconTextureManager* icons = &FIcons;
    const TMainWindowValues* window = &FWindow;
    return std::make_unique<TIconJob>(
        std::move(items),
        [icons](const TIDList* absolute) {
            TIconRequest request;
            request.IDList = reinterpret_cast<PCIDLIST_ABSOLUTE>(absolute);
            return ItemIconOf(icons->GetIconTexture(request));
        },
        [window] {
            // Asynchronous: a synchronous paint could run while the window thread is in the
            // middle of changing the very pages being drawn.
            if (HWND handle = window->MainWindow())
                InvalidateRect(handle, nullptr, FALSE);
        },
        ServiceSentMessages, [] { return std::make_shared<TOleScope>(); });
}

void TWinFolderResources::Trace(std::u16string_view text) {
    OutputDebugStringW(ToWide(std::u16string(text)).c_str());
}

void TWinFolderResources::CheckGLError() {
    // A pending GL error is read and dropped here; the frame reports its own.
    glGetError();
}

bool TWinFolderResources::DirectoryExists(std::u16string_view path) {
    const DWORD attributes = GetFileAttributesW(ToWide(std::u16string(path)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<TFolderWatch> TWinFolderResources::WatchFolder(TFolderView& view,
                                                               std::u16string_view path) {
    HWND window = FWindow.MainWindow();
    if (!window)
        return nullptr;
    return TWinFolderWatch::Start(window, reinterpret_cast<WPARAM>(&view), std::u16string(path));
}

TVolumeToken TWinFolderResources::RegisterVolume(std::u16string_view root) {
    return FDrives.Register(root);
}

void TWinFolderResources::ReleaseVolume(TVolumeToken volume) {
    FDrives.Release(volume);
}
