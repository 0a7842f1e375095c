#pragma once
// The one-line address edit along the top of the scene.
#include <windows.h>
#include <shtypes.h>

#include <string>

#include "base/Handles.h"

constexpr int AddressEditId = 4000;
constexpr int AddressEditHeight = 15;

// What the edit asks of the scene.
class TAddressEditSite {
public:
    // The current folder's path, display name and whether it lies in the file system; false
    // when there is no current folder.
    virtual bool CurrentFolderTexts(std::u16string& path, std::u16string& displayName,
                                    bool& isFileSystem) = 0;
    // Opens a parsed address as a new level.
    virtual void OpenAddress(PCIDLIST_ABSOLUTE item) = 0;

protected:
    ~TAddressEditSite() = default;
};

class TAddressEdit {
public:
    // A child of parent at (x, 0) of the given width; the site must outlive the edit.
    TAddressEdit(HWND parent, int x, int width, TAddressEditSite& site);
    ~TAddressEdit();
    TAddressEdit(const TAddressEdit&) = delete;
    TAddressEdit& operator=(const TAddressEdit&) = delete;

    HWND Handle() const { return FEdit; }
    // The edit's background, answered to WM_CTLCOLOREDIT.
    HBRUSH Brush() const { return FBrush.Get(); }
    void Place(int x, int width);
    // The text the edit shows for the current folder while it does not have the focus.
    void ShowCurrentFolder();

private:
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleMessage(UINT message, WPARAM wParam);
    void OpenTypedAddress();

    TAddressEditSite& FSite;
    TGdiObject<HBRUSH> FBrush;
    HWND FEdit = nullptr;
    WNDPROC FOldProc = nullptr;
};

// The text of the edit as it is parsed: empty when it ends in two or more backslashes.
std::u16string AddressToParse(const std::u16string& text);
