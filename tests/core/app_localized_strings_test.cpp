#include <gtest/gtest.h>

#include "services/LocalizedStrings.h"

namespace {
struct TRestoreEnglish {
    ~TRestoreEnglish() { InitLocalizedStrings(0x409); }
};
} // namespace

TEST(LocalizedStrings, RussianOnlyForTheRussianPrimaryLanguage) {
    TRestoreEnglish restore;
    InitLocalizedStrings(0x0419); // Russian (Russia)
    EXPECT_TRUE(RussianUI);
    EXPECT_EQ(UILanguage, 0x19);
    EXPECT_EQ(sMove, u"Переместить");
    EXPECT_EQ(sPageOf, u"%d из %d [PgUp/PgDown]");
    EXPECT_EQ(sFilterPrefix, u"[Фильтр] ");
    EXPECT_EQ(sRequirementsIntro, u"Одно или более требований не выполнено:");
    EXPECT_EQ(sBugReportLink, u"<a>отчет об ошибке</a>");

    for (uint16_t other : {0x0407 /* German */, 0x0422 /* Ukrainian */, 0x0423 /* Belarusian */,
                           0x0819 /* Russian (Moldova) has primary 0x19 too */}) {
        InitLocalizedStrings(other);
        const bool russian = (other & 0x3FF) == 0x19;
        EXPECT_EQ(RussianUI, russian) << std::hex << other;
        EXPECT_EQ(sMove, russian ? u"Переместить" : u"MOVE");
    }
}

TEST(LocalizedStrings, EnglishTextsKeepTheirExactBlanks) {
    TRestoreEnglish restore;
    InitLocalizedStrings(0x0409);
    EXPECT_FALSE(RussianUI);
    EXPECT_EQ(sFilterPrefix, u"[Filter] ");
    EXPECT_EQ(sRequirementsIntro, u"One or more required features are not present: ");
    EXPECT_EQ(sNeedGL14, u"OpenGL minimal version 1.4 is required.\r\nTry to install latest "
                         u"drivers for your graphics card");
    EXPECT_EQ(sTooManyFolders, u"Too many folders opened. Please close a few");
    EXPECT_EQ(sLimitsTitle, u"Glimmera: limits");
    EXPECT_EQ(sBugReportLink, u"");
}
