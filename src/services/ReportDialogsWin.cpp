#include "services/ReportDialogsWin.h"

#include <commdlg.h>

#include <atomic>
#include <string>
#include <thread>

#include "base/BaseDefs.h"
#include "base/BaseDefsWin.h"
#include "base/PendingException.h"
#include "base/WinString.h"
#include "services/LocalizedStrings.h"
#include "services/MailSenderWin.h"
#include "services/ReportIds.h"

namespace {

// How often the title moves on while a report is being sent.
constexpr DWORD SendingTitleStepMs = 500;

struct TControlText {
    int Id;
    const char16_t* Russian;
};

void SetRussianTexts(HWND dialog, const char16_t* title,
                     std::initializer_list<TControlText> texts) {
    SetWindowTextW(dialog, AsWide(std::u16string(title)));
    for (const TControlText& text : texts)
        SetDlgItemTextW(dialog, text.Id, AsWide(std::u16string(text.Russian)));
}

void ShowReportText(HWND dialog, int editId, const std::u16string& text) {
    HWND edit = GetDlgItem(dialog, editId);
    SetWindowTextW(edit, AsWide(text));
    SetFocus(edit);
    const LPARAM end = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, end, end);
}

std::u16string WindowText(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return FromWide(text.c_str());
}

// The report as it goes into the mail: the edit's text in the system's code page, declared as
// that code page; where the code page has no charset name, UTF-8.
void ReportBytes(HWND edit, std::string& bytes, std::string& charset) {
    charset = MailCharsetOf(GetACP());
    if (charset.empty()) {
        bytes = Utf16ToUtf8(WindowText(edit));
        charset = "utf-8";
        return;
    }
    bytes.assign(size_t(GetWindowTextLengthA(edit)) + 1, '\0');
    bytes.resize(size_t(GetWindowTextA(edit, bytes.data(), int(bytes.size()))));
}

// Sends from a worker thread while the title counts dots; the dialog takes no input meanwhile.
void SendWithProgress(HWND dialog, int editId, const std::u16string& attachment) {
    std::string text;
    std::string charset;
    ReportBytes(GetDlgItem(dialog, editId), text, charset);
    PrepareMail();
    std::atomic<bool> sent{false};
    std::thread worker([&] {
        SendReport(text, charset, attachment);
        sent = true;
    });
    for (uint32_t step = 0; !sent; ++step) {
        SetWindowTextW(dialog, AsWide(SendingTitle(sSending, step)));
        // Paints go on (and take the new title to the screen); input waits for the end.
        MSG paint;
        while (PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&paint);
        Sleep(SendingTitleStepMs);
    }
    worker.join();
}

INT_PTR ErrorDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto& facts = *reinterpret_cast<const TExceptionFacts*>(lParam);
        std::u16string text = facts.Message;
        AppendSystemInfo(text);
        text += BuildExceptionReport(&facts);
        if (RussianUI)
            SetRussianTexts(dialog, u"Glimmera: ошибка",
                            {{IDC_ERROR_PROMPT, u"Отправить отчет?"},
                             {IDC_ERROR_EXIT, u"Выйти"},
                             {IDC_ERROR_SEND, u"Отправить и выйти"}});
        text += ErrorReportQuestions(RussianUI);
        ShowReportText(dialog, IDC_ERROR_TEXT, text);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ERROR_SEND:
            SendWithProgress(dialog, IDC_ERROR_TEXT, u"");
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_ERROR_EXIT:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void ChooseAttachment(HWND dialog) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = GetParent(dialog) ? GetParent(dialog) : dialog;
    choice.nFilterIndex = 1;
    choice.lpstrFile = file;
    choice.nMaxFile = MAX_PATH;
    choice.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameW(&choice))
        SetDlgItemTextW(dialog, IDC_BUG_ATTACHMENT, file);
}

INT_PTR BugDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        std::u16string text;
        AppendSystemInfo(text);
        if (RussianUI)
            SetRussianTexts(dialog, u"Отправить отчет об ошибке",
                            {{IDC_BUG_ATTACH_LABEL, u"Добавить вложение"},
                             {IDC_BUG_CANCEL, u"Отмена"},
                             {IDC_BUG_SEND, u"Отправить"}});
        text += BugReportQuestions(RussianUI);
        ShowReportText(dialog, IDC_BUG_TEXT, text);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_BUG_BROWSE:
            ChooseAttachment(dialog);
            return TRUE;
        case IDC_BUG_SEND:
            SendWithProgress(dialog, IDC_BUG_TEXT,
                             WindowText(GetDlgItem(dialog, IDC_BUG_ATTACHMENT)));
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_BUG_CANCEL:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

void ShowErrorReportDialog(HWND owner, const TExceptionFacts& facts) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ERROR_REPORT), owner,
                    KeepingDialogProc<ErrorDialog>, reinterpret_cast<LPARAM>(&facts));
}

void ShowBugReportDialog(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BUG_REPORT), owner,
                    KeepingDialogProc<BugDialog>, 0);
}
