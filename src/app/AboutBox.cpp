#include "app/AboutBox.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/AboutIds.h"
#include "base/BaseDefsWin.h"
#include "base/PendingException.h"
#include "base/WinString.h"
#include "render/ImageDecoders.h"
#include "services/CommonControlsScope.h"
#include "services/LocalizedStrings.h"
#include "services/ProductLinks.h"
#include "services/ReportDialogsWin.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr int PictureLeft = 30;

// What the box holds while it is open.
struct TAboutState {
    HWND MainWindow = nullptr;
    ComPtr<IPicture> Picture;
    int32_t Width = 0;
    int32_t Height = 0;
};

void SetRussianTexts(HWND dialog) {
    SetWindowTextW(dialog, L"О программе");
    SetDlgItemTextW(dialog, IDC_ABOUT_PRODUCT, L"Файл менеджер Glimmera");
    SetDlgItemTextW(dialog, IDC_ABOUT_BUG_REPORT, AsWide(sBugReportLink));
}

void LinkClicked(HWND dialog, const TAboutState& state, UINT_PTR link) {
    switch (link) {
    case IDC_ABOUT_HOME_PAGE:
        ShellExecuteW(state.MainWindow, L"open", HomePageUrl, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDC_ABOUT_MAIL:
        ShellExecuteW(state.MainWindow, nullptr, SupportMailUrl, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDC_ABOUT_BUG_REPORT:
        ShowBugReportDialog(dialog);
        break;
    }
}

INT_PTR AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<TAboutState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<TAboutState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        if (RussianUI)
            SetRussianTexts(dialog);
        try {
            state->Picture = LoadPictureResource(MAKEINTRESOURCEW(AboutPictureResource),
                                                 MAKEINTRESOURCEW(10)); // RT_RCDATA
            PictureSizeInPixels(dialog, state->Picture.Get(), state->Width, state->Height);
        } catch (const std::exception&) {
            state->Picture.Reset(); // the box opens without its picture
        }
        std::u16string system;
        AppendSystemInfo(system);
        SetDlgItemTextW(dialog, IDC_ABOUT_SYSTEM, AsWide(system));
        // The first tab stop is the home page's link: Return must close the box, not open it.
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        if (state && state->Picture)
            RenderPicture(dc, state->Picture.Get(),
                          RECT{PictureLeft, 0, PictureLeft + state->Width, state->Height});
        EndPaint(dialog, &paint);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (state && (header->code == NM_CLICK || header->code == NM_RETURN))
            LinkClicked(dialog, *state, header->idFrom);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

void ShowAboutBox(HWND mainWindow) {
    TAboutState state;
    state.MainWindow = mainWindow;
    const TCommonControlsScope links;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), mainWindow,
                    KeepingDialogProc<AboutDialog>, reinterpret_cast<LPARAM>(&state));
}
