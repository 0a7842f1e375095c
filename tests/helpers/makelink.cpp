// Makes a shell link file for a test, as another program would. Usage: makelink <target> <link>
// Exits with 0 when the link was saved, 1 when the shell refused, 2 on wrong arguments.
#include <windows.h>
#include <shlobj.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    bool saved = false;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->SetPath(argv[1])) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            saved = SUCCEEDED(file->Save(argv[2], TRUE));
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return saved ? 0 : 1;
}
