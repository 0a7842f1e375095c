#include "services/UpdaterWin.h"

#include <commctrl.h>
#include <shellapi.h>
#include <wininet.h>

#include <algorithm>
#include <memory>

#include "base/BaseDefsWin.h"
#include "base/Errors.h"
#include "base/Handles.h"
#include "base/PendingException.h"
#include "base/WinString.h"
#include "services/BuildSettings.h"
#include "services/CommonControlsScope.h"
#include "services/UpdateIds.h"
#include "services/UpdateRules.h"

namespace {

constexpr DWORD ReadBlock = 1024;
constexpr DWORD ConnectTimeoutMs = 15000;
constexpr DWORD ReceiveTimeoutMs = 30000;
// A server that sends without end must not fill the memory or hold the window: no answer of
// ours comes near this size, and none takes this long.
constexpr size_t MaxDownloadBytes = size_t(64) << 20;
constexpr ULONGLONG DownloadDeadlineMs = 5 * 60 * 1000;
constexpr const char16_t* ConnectionProblem = u"Problem connecting the server";
constexpr const char16_t* ConnectionFailure = u"Connection failure. Please try again later";
constexpr const char16_t* VersionPath = u"/download/u_ver";
constexpr const char16_t* InstallerPath = u"/download/u_update";
constexpr const char16_t* ChangeLogPath = u"/news";
constexpr const wchar_t* LeftoverBesideProgram = L"update.exe";
constexpr const wchar_t* InstallerFileName = L"glimmera-update.exe";

struct TInternetClose {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using TInternet = std::unique_ptr<void, TInternetClose>;

std::u16string ServerUrl(const char16_t* path) {
    return FromWide(UpdateServer) + path;
}

DWORD QueryNumber(HINTERNET request, DWORD query, DWORD missing) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    return HttpQueryInfoW(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)
               ? value
               : missing;
}

HWND MainWindowOf(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    return owner ? owner : dialog;
}

INT_PTR UpdateDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_UPDATE_CHANGE_LOG &&
            (header->code == NM_CLICK || header->code == NM_RETURN))
            ShellExecuteW(MainWindowOf(dialog), L"open", AsWide(ServerUrl(ChangeLogPath)), nullptr,
                          nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_UPDATE_START: {
            wchar_t title[128] = {};
            GetWindowTextW(dialog, title, 128);
            SetWindowTextW(dialog, L"Downloading, please wait...");
            DownloadAndRunUpdate(MainWindowOf(dialog));
            // Still open after a failed download: the dialog is offered as it was.
            if (IsWindow(dialog))
                SetWindowTextW(dialog, title);
            return TRUE;
        }
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::optional<std::vector<uint8_t>> Download(const std::u16string& url) {
    TInternet internet(
        InternetOpenW(L"GlimmeraUpdater", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet)
        return std::nullopt;
    // A server that never answers must not hold the window for ever.
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_SEND_TIMEOUT}) {
        DWORD timeout =
            option == INTERNET_OPTION_CONNECT_TIMEOUT ? ConnectTimeoutMs : ReceiveTimeoutMs;
        InternetSetOptionW(internet.get(), option, &timeout, sizeof(timeout));
    }
    TInternet request(InternetOpenUrlW(internet.get(), AsWide(url), nullptr, 0,
                                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request || QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE, 0) != HTTP_STATUS_OK)
        return std::nullopt;
    const DWORD announced = QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH, DWORD(-1));
    const size_t limit =
        announced == DWORD(-1) ? MaxDownloadBytes : std::min<size_t>(announced, MaxDownloadBytes);
    const ULONGLONG deadline = GetTickCount64() + DownloadDeadlineMs;
    std::vector<uint8_t> body;
    uint8_t block[ReadBlock];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), block, ReadBlock, &read))
            return std::nullopt; // a dropped connection is no answer
        if (read == 0)
            break;
        if (body.size() + read > limit || GetTickCount64() > deadline)
            return std::nullopt;
        body.insert(body.end(), block, block + read);
    }
    if (announced != DWORD(-1) && body.size() != announced)
        return std::nullopt;
    return body;
}

bool IsNewerVersionAvailable() {
    const std::optional<std::vector<uint8_t>> file = Download(ServerUrl(VersionPath));
    const std::optional<TVersionWords> remote =
        file ? ParseVersionFile(*file) : std::optional<TVersionWords>();
    if (!remote)
        throw EInternetConnection(ConnectionProblem);
    const TProductVersion local = GetProductVersion(ProgramFileName());
    return IsNewerVersion(*remote, local.Major(), local.Minor());
}

void CheckForUpdate(HWND mainWindow) {
    bool newer = false;
    try {
        newer = IsNewerVersionAvailable();
    } catch (const EInternetConnection&) {
        ShowMessage(ConnectionFailure);
        return;
    }
    if (!newer) {
        MessageBoxW(mainWindow, L"Your version is up to date", L"No updates", MB_ICONINFORMATION);
        return;
    }
    const TCommonControlsScope links;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_UPDATE), mainWindow,
                    KeepingDialogProc<UpdateDialog>, 0);
}

void DownloadAndRunUpdate(HWND mainWindow) {
    const std::u16string path = UpdateInstallerPath();
    std::optional<std::vector<uint8_t>> installer = Download(ServerUrl(InstallerPath));
    // Only a whole Windows program is started: a cut download or an error page never runs.
    if (!installer || !LooksLikeWindowsProgram(*installer)) {
        ShowMessage(ConnectionFailure);
        return;
    }
    {
        TFileHandle file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.Get(), installer->data(), DWORD(installer->size()), &written,
                       nullptr) ||
            written != installer->size()) {
            file.Reset();
            DeleteFileW(AsWide(path));
            ShowMessage(ConnectionFailure);
            return;
        }
    }
    std::wstring commandLine; // empty, as a double-click starts it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(AsWide(path), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return;
    TKernelHandle process(started.hProcess);
    TKernelHandle thread(started.hThread);
    SendMessageW(mainWindow, WM_CLOSE, 0, 0);
}

std::u16string UpdateInstallerPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return FromWide(folder) + FromWide(InstallerFileName);
}

void DeleteLeftoverUpdate() {
    DeleteFileW(AsWide(ProgramDirectory() + FromWide(LeftoverBesideProgram)));
    DeleteFileW(AsWide(UpdateInstallerPath()));
}
