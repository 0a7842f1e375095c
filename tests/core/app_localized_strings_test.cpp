#include <gtest/gtest.h>

#include <string>

#include "app/Requirements.h"
#include "services/LocalizedStrings.h"

namespace {
struct TRestoreEnglish {
    ~TRestoreEnglish() { InitLocalizedStrings(0x409); }
};

// Where a user reads a text: a shared text, or the message of an unmet requirement.
struct TUserText {
    const char* Where;
    const std::u16string* Shown;
    const char16_t* English;
    const char16_t* Russian;
};

const std::u16string& Requirement(TRequirement requirement) {
    return RequirementMessage(requirement);
}

// Every text the user reads, exactly as shown: blanks, line breaks and misspellings included.
// RequirementMessage hands out references to the shared texts, so its rows follow the language.
const TUserText UserTexts[] = {
    {"drag label, move", &sMove, u"MOVE", u"Переместить"},
    {"drag label, copy", &sCopy, u"COPY", u"Копировать"},
    {"drag label, shortcut", &sShortcut, u"SHORTCUT", u"Ярлык"},
    {"drag label, target", &sTo, u"To", u"В"},
    {"report sending", &sSending, u"Sending", u"Отправка"},
    {"page caption", &sPageOf, u"%d of %d [PgUp/PgDown]", u"%d из %d [PgUp/PgDown]"},
    {"filter prefix", &sFilterPrefix, u"[Filter] ", u"[Фильтр] "},
    {"filter label", &sFilterLabel, u"Name filter  [F3]  [Ctrl+Back]", u"Фильтр  [F3] [Ctrl+Back]"},
    {"requirements title", &sRequirementsTitle, u"Glimmera: system requirements",
     u"Glimmera: системные требования"},
    {"requirements intro", &sRequirementsIntro, u"One or more required features are not present: ",
     u"Одно или более требований не выполнено:"},
    {"limits title", &sLimitsTitle, u"Glimmera: limits", u"Glimmera: пределы"},
    {"limits text", &sTooManyFolders, u"Too many folders opened. Please close a few",
     u"Слишком много открытых папок. Пожалуйста, закройте некоторые"},
    {"menu, copy path", &sCopyFullPath, u"Copy full path", u"Копировать полный путь"},
    {"menu, close others", &sCloseAllButThis, u"Close all but this", u"Закрыть другие"},
    {"about box link", &sBugReportLink, u"", u"<a>отчет об ошибке</a>"},
    {"requirement, Vista", &Requirement(TRequirement::Vista), u"Minimal supported OS is Vista",
     u"Требуется ОС Vista и выше"},
    {"requirement, BGRA", &Requirement(TRequirement::Bgra), u"GL_EXT_bgra extension not supported",
     u"Расширение GL_EXT_bgra не поддерживается"},
    {"requirement, OpenGL", &Requirement(TRequirement::GL14),
     u"OpenGL minimal version 1.4 is required.\r\nTry to install latest drivers for your graphics "
     u"card",
     u"Требуется минимум OpenGL 1.4\r\nПопытайтесь установить последние драйвера видеокарты"},
    {"requirement, screen", &Requirement(TRequirement::Resolution),
     u"Minimal resolution 1024x768 is required", u"Требуется разрешение экрана минимум 1024x768"},
    {"requirement, memory", &Requirement(TRequirement::Ram), u"Minimum 512MB of RAM is required",
     u"Требуется минимум 512MB ОЗУ"},
    {"requirement, met", &Requirement(TRequirement::Met), u"", u""},
};
} // namespace

TEST(LocalizedStrings, EveryUserTextInEnglishAndRussian) {
    TRestoreEnglish restore;
    for (const auto& [language, russian] : {std::pair{0x0409, false}, {0x0419, true}}) {
        InitLocalizedStrings(static_cast<uint16_t>(language));
        for (const TUserText& text : UserTexts)
            EXPECT_EQ(*text.Shown, russian ? text.Russian : text.English)
                << text.Where << (russian ? " in Russian" : " in English");
    }
}

TEST(LocalizedStrings, RussianOnlyForTheRussianPrimaryLanguage) {
    TRestoreEnglish restore;
    InitLocalizedStrings(0x0419); // Russian (Russia)
    EXPECT_TRUE(RussianUI);
    EXPECT_EQ(UILanguage, 0x19);

    for (uint16_t other :
         {0x0409 /* English */, 0x0407 /* German */, 0x0422 /* Ukrainian */,
          0x0423 /* Belarusian */, 0x0819 /* Russian (Moldova) has primary 0x19 too */}) {
        InitLocalizedStrings(other);
        const bool russian = (other & 0x3FF) == 0x19;
        EXPECT_EQ(RussianUI, russian) << std::hex << other;
        EXPECT_EQ(sMove, russian ? u"Переместить" : u"MOVE") << std::hex << other;
    }
}
