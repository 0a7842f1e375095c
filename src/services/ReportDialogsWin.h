#pragma once
// The error report dialog, shown when an exception ends the program, and the bug report
// dialog; both send their edited text to the reports mailbox.
#include <windows.h>

#include "services/ReportTexts.h"

// Modal; returns once the user left it or the report was sent (or failed to go).
void ShowErrorReportDialog(HWND owner, const TExceptionFacts& facts);
void ShowBugReportDialog(HWND owner);
