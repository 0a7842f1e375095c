#include "services/LocalizedStrings.h"

std::u16string sMove;
std::u16string sCopy;
std::u16string sShortcut;
std::u16string sTo;
std::u16string sSending;
std::u16string sNeedVista;
std::u16string sNeedBgra;
std::u16string sNeedGL14;
std::u16string sNeedResolution;
std::u16string sNeedRam;
std::u16string sTooManyFolders;
std::u16string sPageOf;
std::u16string sFilterPrefix;
std::u16string sFilterLabel;
std::u16string sRequirementsTitle;
std::u16string sRequirementsIntro;
std::u16string sLimitsTitle;
std::u16string sCopyFullPath;
std::u16string sCloseAllButThis;
std::u16string sBugReportLink;

uint16_t UILanguage = 0;
bool RussianUI = false;

namespace {

struct TLocalizedText {
    std::u16string* Target;
    const char16_t* English;
    const char16_t* Russian;
};

const TLocalizedText Table[] = {
    {&sMove, u"MOVE", u"Переместить"},
    {&sCopy, u"COPY", u"Копировать"},
    {&sShortcut, u"SHORTCUT", u"Ярлык"},
    {&sTo, u"To", u"В"},
    {&sSending, u"Sending", u"Отправка"},
    {&sNeedVista, u"Minimal supported OS is Vista", u"Требуется ОС Vista и выше"},
    {&sNeedBgra, u"GL_EXT_bgra extension not supported",
     u"Расширение GL_EXT_bgra не поддерживается"},
    {&sNeedGL14,
     u"OpenGL minimal version 1.4 is required.\r\nTry to install latest drivers for your graphics "
     u"card",
     u"Требуется минимум OpenGL 1.4\r\nПопытайтесь установить последние драйвера видеокарты"},
    {&sNeedResolution, u"Minimal resolution 1024x768 is required",
     u"Требуется разрешение экрана минимум 1024x768"},
    {&sNeedRam, u"Minimum 512MB of RAM is required", u"Требуется минимум 512MB ОЗУ"},
    {&sTooManyFolders, u"Too many folders opened. Please close a few",
     u"Слишком много открытых папок. Пожалуйста, закройте некоторые"},
    {&sPageOf, u"%d of %d [PgUp/PgDown]", u"%d из %d [PgUp/PgDown]"},
    {&sFilterPrefix, u"[Filter] ", u"[Фильтр] "},
    {&sFilterLabel, u"Name filter  [F3]  [Ctrl+Back]", u"Фильтр  [F3] [Ctrl+Back]"},
    {&sRequirementsTitle, u"Glimmera: system requirements", u"Glimmera: системные требования"},
    {&sRequirementsIntro, u"One or more required features are not present: ",
     u"Одно или более требований не выполнено:"},
    {&sLimitsTitle, u"Glimmera: limits", u"Glimmera: пределы"},
    {&sCopyFullPath, u"Copy full path", u"Копировать полный путь"},
    {&sCloseAllButThis, u"Close all but this", u"Закрыть другие"},
    // In English the About box keeps its own link text.
    {&sBugReportLink, u"", u"<a>отчет об ошибке</a>"},
};

// The English texts are in place before any code of the program runs.
const bool EnglishReady = [] {
    for (const auto& text : Table)
        *text.Target = text.English;
    return true;
}();

} // namespace

void InitLocalizedStrings(uint16_t uiLanguageId) {
    UILanguage = uiLanguageId & 0x3FF;
    RussianUI = UILanguage == LangRussian;
    for (const auto& text : Table)
        *text.Target = RussianUI ? text.Russian : text.English;
}
