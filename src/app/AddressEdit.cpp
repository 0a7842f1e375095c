#include "app/AddressEdit.h"

#include <shlobj.h>
#include <wrl/client.h>

#include "app/MainWindow.h"
#include "app/SceneHooks.h"
#include "app/WinString.h"
#include "services/IDListWin.h"
#include "services/OwnedIDList.h"

HWND AddressEdit = nullptr;
HBRUSH AddressEditBrush = nullptr;

namespace {

WNDPROC AddressEditOldProc = nullptr;

void SetText(const std::u16string& text) {
    SetWindowTextW(AddressEdit, AsWide(text));
}

void OpenTypedAddress() {
    wchar_t buffer[260] = {};
    GetWindowTextW(AddressEdit, buffer, 260);
    std::u16string text = AddressToParse(FromWide(buffer));
    Microsoft::WRL::ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return;
    TOwnedIDList item; // freed on every path, also when a failing parse left a list behind
    if (FAILED(desktop->ParseDisplayName(
            nullptr, nullptr, const_cast<wchar_t*>(AsWide(text)), nullptr,
            reinterpret_cast<PIDLIST_RELATIVE*>(item.Receive()), nullptr)) ||
        !item)
        return;
    SceneHooks::OpenAddress(AsAbsolute(item.Get()));
}

LRESULT CALLBACK AddressEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::u16string path, displayName;
    bool isFileSystem = false;
    switch (message) {
    case WM_SETFOCUS:
        if (SceneHooks::CurrentFolderTexts(path, displayName, isFileSystem))
            SetText(path);
        PostMessageW(window, EM_SETSEL, 0, -1);
        break;
    case WM_KILLFOCUS:
        ShowCurrentFolderInAddressEdit();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            OpenTypedAddress();
        break;
    }
    return CallWindowProcW(AddressEditOldProc, window, message, wParam, lParam);
}

} // namespace

std::u16string AddressToParse(const std::u16string& text) {
    const size_t length = text.size();
    if (length >= 2 && text[length - 1] == u'\\' && text[length - 2] == u'\\')
        return std::u16string();
    return text;
}

void ShowCurrentFolderInAddressEdit() {
    std::u16string path, displayName;
    bool isFileSystem = false;
    if (AddressEdit && SceneHooks::CurrentFolderTexts(path, displayName, isFileSystem))
        SetText(isFileSystem ? path : displayName);
}

void CreateAddressEdit() {
    AddressEditBrush = CreateSolidBrush(RGB(150, 170, 220));
    AddressEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOVSCROLL, Split, 0,
                                  ClientWidth, AddressEditHeight, MainWindow,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(AddressEditId)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!AddressEdit)
        return;
    SendMessageW(AddressEdit, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    AddressEditOldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(AddressEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AddressEditProc)));
}

void DestroyAddressEdit() {
    if (AddressEdit) {
        DestroyWindow(AddressEdit);
        AddressEdit = nullptr;
    }
    if (AddressEditBrush) {
        DeleteObject(AddressEditBrush);
        AddressEditBrush = nullptr;
    }
}

void PlaceAddressEdit(int split, int width) {
    if (AddressEdit)
        MoveWindow(AddressEdit, split, 0, width, AddressEditHeight, TRUE);
}
