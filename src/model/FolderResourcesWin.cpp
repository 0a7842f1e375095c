#include "model/FolderResourcesWin.h"

#include <ole2.h>
#include <shlwapi.h>

#include "app/MainWindow.h"
#include "app/WinString.h"

namespace {

// Caption sizes: texels wide, scene units wide and high.
constexpr int32_t ItemCaptionTexels = 256;
constexpr float ItemCaptionWidth = 0.6f;
constexpr float ItemCaptionHeight = 0.06f;
constexpr int32_t LevelCaptionTexels = 512;
constexpr float LevelCaptionWidth = 1.44f;
constexpr float LevelCaptionHeight = 0.08f;

TCaptionAtlasManager& AtlasOf(TPageTexture& page) {
    return static_cast<TWinPageTexture&>(page).Atlas();
}

} // namespace

TItemIcon ItemIconOf(const TIconTextureInfo& info) {
    // The manager counts V from the bottom; the items keep top and bottom.
    return TItemIcon{info.AtlasIndex, info.U0, info.U1, info.V1, info.V0};
}

void ServiceSentMessages() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

TWinFolderResources::TWinFolderResources(TIconTextureManager& icons, TCaptionAtlasPool& pool,
                                         TCaptionAtlasManager& levelAtlas,
                                         TCaptionAtlasManager& sortAtlas)
    : FIcons(icons), FPool(pool), FLevelAtlas(levelAtlas), FSortAtlas(sortAtlas) {}

std::unique_ptr<TPageTexture> TWinFolderResources::AcquirePageTexture() {
    return std::make_unique<TWinPageTexture>(FPool);
}

std::unique_ptr<TSceneCaption> TWinFolderResources::CreatePageCaption(TPageTexture& page,
                                                                      std::u16string text) {
    return std::make_unique<TCaptionAdapter<TPageTextureCaption>>(
        std::make_unique<TPageTextureCaption>(std::move(text), &AtlasOf(page), ItemCaptionTexels,
                                              ItemCaptionWidth, ItemCaptionHeight));
}

std::unique_ptr<TSceneCaption>
TWinFolderResources::CreateItemCaption(TPageTexture& page, TFSEView& item, std::u16string text) {
    return std::make_unique<TCaptionAdapter<TFSETextureCaption>>(
        std::make_unique<TFSETextureCaption>(std::move(text), &AtlasOf(page), ItemCaptionTexels,
                                             ItemCaptionWidth, ItemCaptionHeight, &item));
}

std::unique_ptr<TSceneCaption> TWinFolderResources::CreateLevelCaption(TFolderView& view,
                                                                       std::u16string text) {
    return std::make_unique<TCaptionAdapter<TLevelTextureCaption>>(
        std::make_unique<TLevelTextureCaption>(std::move(text), &FLevelAtlas, LevelCaptionTexels,
                                               LevelCaptionWidth, LevelCaptionHeight, &view));
}

std::unique_ptr<TSceneCaption>
TWinFolderResources::CreateSortCaption(TFolderView& view, std::u16string text, int kind) {
    return std::make_unique<TCaptionAdapter<TLevelSortCaption>>(
        std::make_unique<TLevelSortCaption>(std::move(text), &FSortAtlas, ItemCaptionTexels,
                                            ItemCaptionWidth, ItemCaptionHeight, &view, kind));
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
    return std::make_unique<TIconJob>(
        std::move(items),
        [icons](const TIDList* absolute) {
            TIconRequest request;
            request.IDList = reinterpret_cast<PCIDLIST_ABSOLUTE>(absolute);
            return ItemIconOf(icons->GetIconTexture(request));
        },
        [] {
            // Asynchronous: a synchronous paint could run while the window thread is in the
            // middle of changing the very pages being drawn.
            if (MainWindow)
                InvalidateRect(MainWindow, nullptr, FALSE);
        },
        ServiceSentMessages,
        [](bool starting) {
            if (starting)
                OleInitialize(nullptr);
            else
                OleUninitialize();
        });
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
