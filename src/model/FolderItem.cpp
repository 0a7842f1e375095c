#include "model/FolderItem.h"

#include "model/FolderView.h"
#include "render/SelectionNames.h"

#include <mutex>

namespace {
// The icon thread replaces whole icons while the window thread reads them.
std::mutex IconLock;
} // namespace

TFSEView::TFSEView(TFolderView& owner, TOwnedIDList childIDList, std::u16string displayName,
                   std::u16string path)
    : FPath(std::move(path)), FDisplayName(std::move(displayName)),
      FChildIDList(std::move(childIDList)), FOwner(owner) {}

const TFileData& TFSEView::FileData() const {
    if (!FDataRead) {
        FDataRead = true;
        TFileData data;
        if (FOwner.ShellFolder() && FOwner.ShellFolder()->FileData(FChildIDList.Get(), data))
            FData = data;
    }
    return FData;
}

TFSEView::~TFSEView() {
    ForgetSelectionName(this);
}

TOwnedIDList TFSEView::AbsoluteIDList() const {
    return TOwnedIDList(ConcatIDLists(FOwner.AbsoluteIDList(), FChildIDList.Get()));
}

TItemIcon TFSEView::Icon() const {
    std::lock_guard<std::mutex> lock(IconLock);
    return FIcon;
}

void TFSEView::SetIcon(const TItemIcon& icon) {
    std::lock_guard<std::mutex> lock(IconLock);
    FIcon = icon;
}

void TFSEView::Select() {
    FSelected = true;
    FOwner.SetFocused(this);
}

void TFSEView::SelectOnly() {
    if (FOwner.Focused() != nullptr)
        FOwner.ClearSelection();
    Select();
}

void TFSEView::ToggleSelect(int32_t stamp) {
    if (FToggleStamp >= stamp)
        return;
    FToggleStamp = stamp;
    FSelected = !FSelected;
    if (FSelected)
        FOwner.SetFocused(this);
}
