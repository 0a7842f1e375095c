#include "app/AddressEdit.h"

#include <shlobj.h>
#include <wrl/client.h>

#include "app/FaultReport.h"
#include "app/TestHooks.h"
#include "base/Errors.h"
#include "base/PendingException.h"
#include "base/WinString.h"
#include "services/IDListWin.h"
#include "services/OwnedIDList.h"

namespace {

constexpr int MaxTypedAddress = 260; // 259 characters and the terminator

TAddressEdit* EditOf(HWND window) {
    return reinterpret_cast<TAddressEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace

std::u16string AddressToParse(const std::u16string& text) {
    const size_t length = text.size();
    if (length >= 2 && text[length - 1] == u'\\' && text[length - 2] == u'\\')
        return std::u16string();
    return text;
}

TAddressEdit::TAddressEdit(HWND parent, int x, int width, TAddressEditSite& site)
    : FSite(site), FBrush(CreateSolidBrush(RGB(150, 170, 220))) {
    FEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOVSCROLL, x, 0, width,
                            AddressEditHeight, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(AddressEditId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!FEdit)
        return;
    SendMessageW(FEdit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    SetWindowLongPtrW(FEdit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FOldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(FEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
}

TAddressEdit::~TAddressEdit() {
    if (FEdit)
        DestroyWindow(FEdit);
}

void TAddressEdit::Place(int x, int width) {
    if (FEdit)
        SetWindowPos(FEdit, nullptr, x, 0, width, AddressEditHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAddressEdit::ShowCurrentFolder() {
    std::u16string path, displayName;
    bool isFileSystem = false;
    if (FEdit && FSite.CurrentFolderTexts(path, displayName, isFileSystem))
        SetWindowTextW(FEdit, AsWide(isFileSystem ? path : displayName));
}

void TAddressEdit::OpenTypedAddress() {
    wchar_t buffer[MaxTypedAddress] = {};
    GetWindowTextW(FEdit, buffer, MaxTypedAddress);
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
    FSite.OpenAddress(AsAbsolute(item.Get()));
}

void TAddressEdit::HandleMessage(UINT message, WPARAM wParam) {
    std::u16string path, displayName;
    bool isFileSystem = false;
    switch (message) {
    case WM_SETFOCUS:
        if (TypedAddressRaises())
            throw EGMException(u"Test error raised on request");
        if (FSite.CurrentFolderTexts(path, displayName, isFileSystem))
            SetWindowTextW(FEdit, AsWide(path));
        PostMessageW(FEdit, EM_SETSEL, 0, -1);
        break;
    case WM_KILLFOCUS:
        ShowCurrentFolder();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            OpenTypedAddress();
        break;
    }
}

LRESULT CALLBACK TAddressEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TAddressEdit* edit = EditOf(window);
    if (!ProgramFaulted())
        KeepingExceptions(false, [&] {
            edit->HandleMessage(message, wParam);
            return true;
        });
    return CallWindowProcW(edit->FOldProc, window, message, wParam, lParam);
}
