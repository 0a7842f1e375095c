#pragma once
// The shared user-visible texts. They start English; start-up switches them to Russian
// once, before the first window, when the user interface language is Russian.
#include <cstdint>
#include <string>

extern std::u16string sMove;
extern std::u16string sCopy;
extern std::u16string sShortcut;
extern std::u16string sTo;
extern std::u16string sSending;
extern std::u16string sNeedVista;
extern std::u16string sNeedBgra;
extern std::u16string sNeedGL14;
extern std::u16string sNeedResolution;
extern std::u16string sNeedRam;
extern std::u16string sTooManyFolders;
extern std::u16string sPageOf;
extern std::u16string sFilterPrefix;
extern std::u16string sFilterLabel;
extern std::u16string sRequirementsTitle;
extern std::u16string sRequirementsIntro;
extern std::u16string sLimitsTitle;
extern std::u16string sCopyFullPath;
extern std::u16string sCloseAllButThis;
extern std::u16string sBugReportLink;

// Primary language of the user interface (GetUserDefaultUILanguage() & 0x3FF).
extern uint16_t UILanguage;
// True when the user interface language is Russian.
extern bool RussianUI;

constexpr uint16_t LangRussian = 0x19;

// Chooses the language from the UI language id and sets every text accordingly.
// Only the primary language counts: Ukrainian or Belarusian get English.
void InitLocalizedStrings(uint16_t uiLanguageId);
