#include "services/CommonControlsScope.h"

#include <commctrl.h>

namespace {
// The manifest resource that names the common controls 6.
constexpr WORD CommonControlsManifest = 2;

// One context for the process's life, made on first use.
HANDLE CommonControlsContext() {
    static const HANDLE context = [] {
        ACTCTXW description{};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.hModule = GetModuleHandleW(nullptr);
        description.lpResourceName = MAKEINTRESOURCEW(CommonControlsManifest);
        return CreateActCtxW(&description);
    }();
    return context;
}
} // namespace

TCommonControlsScope::TCommonControlsScope() {
    HANDLE context = CommonControlsContext();
    FActive = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &FCookie);
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LINK_CLASS};
    InitCommonControlsEx(&classes);
}

TCommonControlsScope::~TCommonControlsScope() {
    if (FActive)
        DeactivateActCtx(0, FCookie);
}
