// Tells the end-to-end tests what the Explorer pane of a window shows, which the screen cannot
// (under Wine the pane's strip stays black over the GL surface). Usage: paneinfo <window title>.
// Prints "pane <left> <top> <width> <height>" (the browser's window in the main window's client
// area), "list <0|1>" (whether the list window has the keyboard), "vscroll <0|1>" (whether the
// list shows its vertical scroll bar), "perpage <n>" (how many rows fit its height), "row <index>
// <left> <top> <right> <bottom>" for each row in sight (its name's rectangle in the main window's
// client area), one "item <flags> <name>" a row of the list (flags: s selected, f focused, -
// neither), "edit <text>" while a name is being edited in the list, and "address <text>" (the
// address edit, which names the scene's current folder while it does not have the keyboard). Exits
// with 1 when there is no such window, 3 when it has no pane.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

struct THandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using THandle = std::unique_ptr<void, THandleCloser>;

// Memory in the other process, freed again on every path.
class TRemoteBlock {
public:
    TRemoteBlock(HANDLE process, SIZE_T size)
        : FProcess(process),
          FData(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~TRemoteBlock() {
        if (FData)
            VirtualFreeEx(FProcess, FData, 0, MEM_RELEASE);
    }
    TRemoteBlock(const TRemoteBlock&) = delete;
    TRemoteBlock& operator=(const TRemoteBlock&) = delete;
    char* Data() const { return static_cast<char*>(FData); }

private:
    HANDLE FProcess;
    void* FData;
};

struct TFound {
    const wchar_t* ClassName;
    HWND Window = nullptr;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<TFound*>(lParam);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, found->ClassName) == 0) {
        found->Window = window;
        return FALSE;
    }
    return TRUE;
}

HWND Descendant(HWND parent, const wchar_t* className) {
    TFound found{className};
    EnumChildWindows(parent, FindByClass, reinterpret_cast<LPARAM>(&found));
    return found.Window;
}

constexpr int TextLength = 512;
constexpr int AddressEditId = 4000;

// The item's text, read through a block in the list's process.
std::wstring ItemText(HWND list, HANDLE process, int index) {
    TRemoteBlock block(process, sizeof(LVITEMW) + TextLength * sizeof(wchar_t));
    if (!block.Data())
        return L"?";
    LVITEMW item{};
    item.iSubItem = 0;
    item.cchTextMax = TextLength;
    item.pszText = reinterpret_cast<LPWSTR>(block.Data() + sizeof(LVITEMW));
    if (!WriteProcessMemory(process, block.Data(), &item, sizeof(item), nullptr))
        return L"?";
    SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(block.Data()));
    wchar_t text[TextLength + 1] = {};
    if (!ReadProcessMemory(process, item.pszText, text, TextLength * sizeof(wchar_t), nullptr))
        return L"?";
    return text;
}

// The name's rectangle of a row in the main window's client area, read through a block in the
// list's process; false when the list cannot say.
bool ItemLabelRect(HWND list, HWND window, HANDLE process, int index, RECT& rect) {
    TRemoteBlock block(process, sizeof(RECT));
    rect = RECT{LVIR_LABEL, 0, 0, 0};
    if (!block.Data() || !WriteProcessMemory(process, block.Data(), &rect, sizeof(rect), nullptr) ||
        !SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.Data())) ||
        !ReadProcessMemory(process, block.Data(), &rect, sizeof(rect), nullptr))
        return false;
    MapWindowPoints(list, window, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: paneinfo <window title>\n", stderr);
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) {
        std::fputs("no such window\n", stderr);
        return 1;
    }
    const HWND pane = Descendant(window, L"ExplorerBrowserControl");
    const HWND list = Descendant(window, L"SysListView32");
    if (!pane || !list) {
        std::fputs("no pane\n", stderr);
        return 3;
    }
    RECT bounds{};
    GetWindowRect(pane, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    std::printf("pane %ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right - bounds.left,
                bounds.bottom - bounds.top);

    DWORD processId = 0;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, &processId), &thread);
    std::printf("list %d\n", thread.hwndFocus == list ? 1 : 0);
    std::printf("vscroll %d\n", (GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) != 0 ? 1 : 0);

    const THandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                          PROCESS_QUERY_INFORMATION,
                                      FALSE, processId));
    if (process) {
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const auto state = static_cast<UINT>(
                SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED));
            std::string flags;
            if (state & LVIS_SELECTED)
                flags += 's';
            if (state & LVIS_FOCUSED)
                flags += 'f';
            std::printf("item %s %ls\n", flags.empty() ? "-" : flags.c_str(),
                        ItemText(list, process.get(), i).c_str());
        }
        const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        const int inSight = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        std::printf("perpage %d\n", inSight);
        for (int i = top; i < count && i <= top + inSight; ++i) {
            RECT rect{};
            if (ItemLabelRect(list, window, process.get(), i, rect))
                std::printf("row %d %ld %ld %ld %ld\n", i, rect.left, rect.top, rect.right,
                            rect.bottom);
        }
    }
    wchar_t className[64] = {};
    if (thread.hwndFocus)
        GetClassNameW(thread.hwndFocus, className, 64);
    if (thread.hwndFocus && _wcsicmp(className, L"Edit") == 0 && IsChild(list, thread.hwndFocus)) {
        wchar_t text[TextLength] = {};
        // GetWindowTextW would read another process's control's creation text.
        SendMessageW(thread.hwndFocus, WM_GETTEXT, TextLength, reinterpret_cast<LPARAM>(text));
        std::printf("edit %ls\n", text);
    }
    if (const HWND address = GetDlgItem(window, AddressEditId)) {
        wchar_t text[TextLength] = {};
        SendMessageW(address, WM_GETTEXT, TextLength, reinterpret_cast<LPARAM>(text));
        std::printf("address %ls\n", text);
    }
    return 0;
}
