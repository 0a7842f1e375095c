#include <gtest/gtest.h>

#include "app/Requirements.h"
#include "base/BaseDefs.h"
#include "base/Errors.h"
#include "base/GLInfo.h"
#include "services/LocalizedStrings.h"

namespace {

TMeasuredSystem GoodMachine() {
    TMeasuredSystem system;
    system.VersionKnown = true;
    system.MajorVersion = 6;
    system.HasBgra = true;
    system.HasGL14 = true;
    system.ScreenWidth = 1280;
    system.ScreenHeight = 1024;
    system.TotalPhysicalBytes = 8ull << 30;
    return system;
}

} // namespace

TEST(NextPowerOfTwo, RoundsUpToThePowerNotBelow) {
    EXPECT_EQ(NextPowerOfTwo(1), 1);
    EXPECT_EQ(NextPowerOfTwo(2), 2);
    EXPECT_EQ(NextPowerOfTwo(3), 4);
    EXPECT_EQ(NextPowerOfTwo(36), 64);
    EXPECT_EQ(NextPowerOfTwo(512), 512);
    EXPECT_EQ(NextPowerOfTwo(513), 1024);
    EXPECT_EQ(NextPowerOfTwo(1000), 1024);
    EXPECT_EQ(NextPowerOfTwo(1024), 1024);
    EXPECT_EQ(NextPowerOfTwo(0x40000000), 0x40000000);
    EXPECT_THROW(NextPowerOfTwo(0), EAssertionFailed);
    EXPECT_THROW(NextPowerOfTwo(-5), EAssertionFailed);
}

TEST(SystemRequirements, EachRowDecidesOnItsOwnMeasure) {
    EXPECT_EQ(FirstUnmetRequirement(GoodMachine()), TRequirement::Met);

    auto xp = GoodMachine();
    xp.MajorVersion = 5;
    EXPECT_EQ(FirstUnmetRequirement(xp), TRequirement::Vista);
    xp.VersionKnown = false; // a failed version query passes the check
    EXPECT_EQ(FirstUnmetRequirement(xp), TRequirement::Met);

    auto noBgra = GoodMachine();
    noBgra.HasBgra = false;
    EXPECT_EQ(FirstUnmetRequirement(noBgra), TRequirement::Bgra);

    auto oldGL = GoodMachine();
    oldGL.HasGL14 = false;
    EXPECT_EQ(FirstUnmetRequirement(oldGL), TRequirement::GL14);

    auto wide = GoodMachine();
    wide.ScreenWidth = 1280;
    wide.ScreenHeight = 720;
    EXPECT_EQ(FirstUnmetRequirement(wide), TRequirement::Resolution);
    auto narrow = GoodMachine();
    narrow.ScreenWidth = 1000;
    narrow.ScreenHeight = 800;
    EXPECT_EQ(FirstUnmetRequirement(narrow), TRequirement::Resolution);
    auto exact = GoodMachine();
    exact.ScreenWidth = 1024;
    exact.ScreenHeight = 768;
    EXPECT_EQ(FirstUnmetRequirement(exact), TRequirement::Met);
}

TEST(SystemRequirements, MemoryFloorIs400MiBInWholeMiB) {
    auto machine = GoodMachine();
    machine.TotalPhysicalBytes = 450ull << 20;
    EXPECT_EQ(FirstUnmetRequirement(machine), TRequirement::Met);
    machine.TotalPhysicalBytes = 400ull << 20;
    EXPECT_EQ(FirstUnmetRequirement(machine), TRequirement::Met);
    machine.TotalPhysicalBytes = (400ull << 20) - 1; // 399.99 MiB rounds down
    EXPECT_EQ(FirstUnmetRequirement(machine), TRequirement::Ram);
    machine.TotalPhysicalBytes = 399ull << 20;
    EXPECT_EQ(FirstUnmetRequirement(machine), TRequirement::Ram);
}

TEST(SystemRequirements, FirstFailureWins) {
    auto machine = GoodMachine();
    machine.HasBgra = false;
    machine.ScreenWidth = 800;
    machine.TotalPhysicalBytes = 100ull << 20;
    EXPECT_EQ(FirstUnmetRequirement(machine), TRequirement::Bgra);
    machine.MajorVersion = 5;
    EXPECT_EQ(FirstUnmetRequirement(machine), TRequirement::Vista);
}

TEST(GLErrors, NamesEndInABlankAndUnknownCodesAreInvariants) {
    EXPECT_STREQ(GLErrorName(0x0500), "GL_INVALID_ENUM ");
    EXPECT_STREQ(GLErrorName(0x0501), "GL_INVALID_VALUE ");
    EXPECT_STREQ(GLErrorName(0x0502), "GL_INVALID_OPERATION ");
    EXPECT_STREQ(GLErrorName(0x0503), "GL_STACK_OVERFLOW ");
    EXPECT_STREQ(GLErrorName(0x0504), "GL_STACK_UNDERFLOW ");
    EXPECT_STREQ(GLErrorName(0x0505), "GL_OUT_OF_MEMORY ");
    EXPECT_THROW(GLErrorName(0x0506), EAssertionFailed);
    EXPECT_THROW(GLErrorName(0x0506), EAssertionFailed);
}

TEST(GLInfo, VersionAndExtensionsParseFromTheirStrings) {
    int major = -1, minor = -1;
    EXPECT_TRUE(ParseGLVersion("4.5 (Compatibility Profile) Mesa 22.3.6", major, minor));
    EXPECT_EQ(major, 4);
    EXPECT_EQ(minor, 5);
    EXPECT_TRUE(ParseGLVersion("1.4.0 - Build 7.14", major, minor));
    EXPECT_EQ(minor, 4);
    EXPECT_FALSE(ParseGLVersion("OpenGL ES 3.2", major, minor));
    EXPECT_EQ(major, 0);
    EXPECT_FALSE(ParseGLVersion(nullptr, major, minor));
    EXPECT_FALSE(ParseGLVersion("2.", major, minor));

    const char* list = "GL_ARB_multitexture GL_EXT_bgra_ext GL_EXT_abgr";
    EXPECT_FALSE(HasGLExtension(list, "GL_EXT_bgra")); // only a longer name contains it
    EXPECT_TRUE(HasGLExtension("GL_EXT_bgra GL_EXT_abgr", "GL_EXT_bgra"));
    EXPECT_TRUE(HasGLExtension("GL_ARB_multitexture GL_EXT_bgra", "GL_EXT_bgra"));
    EXPECT_FALSE(HasGLExtension("XGL_EXT_bgra", "GL_EXT_bgra"));
    EXPECT_FALSE(HasGLExtension(nullptr, "GL_EXT_bgra"));
}

TEST(ItemErrors, PathIsNamedOnlyWhenThereIsOne) {
    EXPECT_EQ(FormatItemError(u"No icon", u"42", u"C:\\a.txt"),
              u"No icon: {Path=C:\\a.txt, ID=42}");
    EXPECT_EQ(FormatItemError(u"No icon", u"42", u""), u"No icon: {ID=42}");
    try {
        RaiseItemError(u"Файл", u"7", u"");
        FAIL();
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Файл: {ID=7}");
    }
}

TEST(Utf16ToUtf8, EncodesEveryPlaneAndReplacesLoneSurrogates) {
    EXPECT_EQ(Utf16ToUtf8(u"aЖ€"), "aЖ€");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(Exceptions, TheFamilyCarriesItsWideMessage) {
    try {
        throw ELimitArchieved(u"Too many folders opened. Please close a few");
    } catch (const EGMException& error) {
        EXPECT_EQ(error.WideMessage, u"Too many folders opened. Please close a few");
        EXPECT_STREQ(error.what(), "");
    }
    EXPECT_THROW(GMAssert(false, "Main"), EAssertionFailed);
    EXPECT_NO_THROW(GMAssert(true, "Main"));
}
