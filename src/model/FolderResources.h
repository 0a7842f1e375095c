#pragma once
// What a folder view needs from the drawing layer: page textures, captions, icons, the icon
// work of a page and the debugger trace. The Windows layer gives the real ones; tests give
// light stand-ins.
#include "model/FolderOrder.h"
#include "model/FolderWatch.h"
#include "model/IconJob.h"
#include "model/SceneCaption.h"

#include <memory>
#include <string>
#include <string_view>

class TFolderView;
class TFSEView;

// A texture that holds the captions of one page; returned to its pool when freed.
class TPageTexture {
public:
    virtual ~TPageTexture() = default;
};

class TFolderResources {
public:
    virtual ~TFolderResources() = default;

    virtual std::unique_ptr<TPageTexture> AcquirePageTexture() = 0;
    virtual std::unique_ptr<TSceneCaption> CreatePageCaption(TPageTexture& page,
                                                             std::u16string text) = 0;
    virtual std::unique_ptr<TSceneCaption> CreateItemCaption(TPageTexture& page, TFSEView& item,
                                                             std::u16string text) = 0;
    virtual std::unique_ptr<TSceneCaption> CreateLevelCaption(TFolderView& view,
                                                              std::u16string text) = 0;
    virtual std::unique_ptr<TSceneCaption> CreateSortCaption(TFolderView& view, std::u16string text,
                                                             TOrderEnd end) = 0;

    // The quick icon of an item's type (its extension, or a folder's icon).
    virtual TItemIcon TypeIcon(const TIDList* absolute, std::u16string_view extension,
                               bool isFolder) = 0;
    // Starts fetching the exact icons of a page's items on a worker thread.
    virtual std::unique_ptr<TIconJob> StartIconJob(std::vector<TIconJobItem> items) = 0;

    // The trace of an item whose page loads.
    virtual void Trace(std::u16string_view text) = 0;
    virtual void CheckGLError() = 0;
    // Whether a path still names an existing directory.
    virtual bool DirectoryExists(std::u16string_view path) = 0;

    // Starts watching the names in a view's folder; none when the folder cannot be watched.
    virtual std::unique_ptr<TFolderWatch> WatchFolder(TFolderView&, std::u16string_view) {
        return nullptr;
    }
    // The volume of a drive root ("E:\") when the drive can go away (removable, remote, USB):
    // the system asks before it removes it. 0 for any other drive.
    virtual TVolumeToken RegisterVolume(std::u16string_view) { return 0; }
    // Lets go of a volume the system wants to remove.
    virtual void ReleaseVolume(TVolumeToken) {}
};
