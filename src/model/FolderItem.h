#pragma once
// One entry of a folder view: a file, a folder or a virtual item, shown as a tile with an icon
// and a caption. The folder view creates and frees its items; the page's icon thread writes the
// icon while the window thread draws it, so the icon is read and written as a whole.
#include "model/SceneCaption.h"
#include "model/ShellNamespace.h"
#include "render/AtlasLayout.h"
#include "services/OwnedIDList.h"
#include "space/VectorMath.h"

#include <cstdint>
#include <memory>
#include <string>

class TFolderView;

// Where an icon lies in the icon atlases; Texture -1 while it is unknown.
struct TItemIcon {
    int32_t Texture = -1;
    TTexCoords Coords;
};

class TFSEView {
public:
    // Takes over the child list the enumeration gave.
    TFSEView(TFolderView& owner, TOwnedIDList childIDList, std::u16string displayName,
             std::u16string path);
    ~TFSEView();
    TFSEView(const TFSEView&) = delete;
    TFSEView& operator=(const TFSEView&) = delete;

    // The owner's absolute list joined with the child list.
    TOwnedIDList AbsoluteIDList() const;

    void SetCorners(const TQuad& corners) { FCorners = corners; }
    const TQuad& Corners() const { return FCorners; }

    void SetCaption(std::unique_ptr<TSceneCaption> caption) { FCaption = std::move(caption); }
    TSceneCaption* Caption() const { return FCaption.get(); }

    TItemIcon Icon() const;
    void SetIcon(const TItemIcon& icon);
    bool IconRequested() const { return FIconState != 0; }
    void MarkIconRequested() { FIconState = 1; }

    void Select();
    void Deselect() { FSelected = false; }
    // Clears the owner's selection first when the owner has a focused item.
    void SelectOnly();
    // Toggles at most once per stamp; a selected item becomes the focused one.
    void ToggleSelect(int32_t stamp);

    const std::u16string& Path() const { return FPath; }
    const std::u16string& DisplayName() const { return FDisplayName; }
    const TIDList* ChildIDList() const { return FChildIDList.Get(); }
    // Read through the owner's folder when first needed (only sorts by size or date need
    // them); without file data size and time stay 0.
    uint64_t WriteTime() const { return FileData().WriteTime; }
    uint64_t Size() const { return FileData().Size; }
    // What a pass over the whole folder read; the item then asks nothing itself.
    void SetFileData(const TFileData& data) {
        FData = data;
        FDataRead = true;
    }
    TFolderView& Owner() const { return FOwner; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible) { FVisible = visible; }
    bool Selected() const { return FSelected; }

private:
    const TFileData& FileData() const;

    // Widest members first: a folder holds one item per entry, so padding counts.
    std::u16string FPath;
    std::u16string FDisplayName;
    TOwnedIDList FChildIDList;
    mutable TFileData FData;
    TFolderView& FOwner;
    std::unique_ptr<TSceneCaption> FCaption;
    TQuad FCorners{};
    TItemIcon FIcon;
    int32_t FToggleStamp = 0;
    mutable bool FDataRead = false;
    bool FVisible = true;
    bool FSelected = false;
    uint8_t FIconState = 0;
};
