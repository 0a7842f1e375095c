#include <gtest/gtest.h>

#include "base/SystemInfo.h"

namespace {

TOSVersionFacts Windows(uint32_t major, uint32_t minor, uint8_t productType = 1) {
    TOSVersionFacts os;
    os.Major = major;
    os.Minor = minor;
    os.Build = 7601;
    os.ProductType = productType;
    os.Architecture = 9;
    return os;
}

} // namespace

TEST(OperatingSystemLine, NamesEachKnownVersion) {
    EXPECT_EQ(DescribeOperatingSystem(Windows(6, 0)), u"Windows Vista  Build 7601 64-bit");
    EXPECT_EQ(DescribeOperatingSystem(Windows(6, 0, 3)), u"Windows Server 2008  Build 7601 64-bit");
    EXPECT_EQ(DescribeOperatingSystem(Windows(6, 1, 2)),
              u"Windows Server 2008 R2  Build 7601 64-bit");
    auto seven = Windows(6, 1);
    seven.ServicePack = u"Service Pack 1";
    // The name ends in a blank and the service pack comes with its own: two blanks.
    EXPECT_EQ(DescribeOperatingSystem(seven), u"Windows 7  Service Pack 1 Build 7601 64-bit");
    seven.Architecture = 0;
    EXPECT_EQ(DescribeOperatingSystem(seven), u"Windows 7  Service Pack 1 Build 7601 32-bit");
    seven.Architecture = 6; // Itanium: no bitness word
    EXPECT_EQ(DescribeOperatingSystem(seven), u"Windows 7  Service Pack 1 Build 7601");
    EXPECT_EQ(DescribeOperatingSystem(Windows(10, 0)), u" Build 7601 64-bit");
}

TEST(OperatingSystemLine, Windows2003FamilyByItsMarks) {
    auto server = Windows(5, 2, 3);
    server.Architecture = 0;
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows Server 2003  Build 7601");
    server.SuiteMask = 0x8000;
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows Home Server  Build 7601");
    server.SuiteMask = 0x2000 | 0x8000;
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows Storage Server 2003  Build 7601");
    server.ServerR2 = true;
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows Server 2003 R2  Build 7601");
    auto xp64 = Windows(5, 2, 1);
    EXPECT_EQ(DescribeOperatingSystem(xp64), u"Windows XP Professional x64 Edition  Build 7601");
    xp64.Architecture = 0;
    EXPECT_EQ(DescribeOperatingSystem(xp64), u"Windows Server 2003  Build 7601");
}

TEST(OperatingSystemLine, XPAnd2000Editions) {
    auto xp = Windows(5, 1);
    EXPECT_EQ(DescribeOperatingSystem(xp), u"Windows XP Professional  Build 7601");
    xp.SuiteMask = 0x200;
    EXPECT_EQ(DescribeOperatingSystem(xp), u"Windows XP Home Edition  Build 7601");
    EXPECT_EQ(DescribeOperatingSystem(Windows(5, 0)), u"Windows 2000 Professional  Build 7601");
    auto server = Windows(5, 0, 3);
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows 2000 Server  Build 7601");
    server.SuiteMask = 0x2;
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows 2000 Advanced Server  Build 7601");
    server.SuiteMask = 0x80 | 0x2;
    EXPECT_EQ(DescribeOperatingSystem(server), u"Windows 2000 Datacenter Server  Build 7601");
}

TEST(OperatingSystemLine, OldOrNonNTPlatformsAreUnknown) {
    EXPECT_EQ(DescribeOperatingSystem(Windows(4, 0)), u"Unknown version, not NT");
    auto nine = Windows(6, 1);
    nine.PlatformId = 1;
    EXPECT_EQ(DescribeOperatingSystem(nine), u"Unknown version, not NT");
    auto longPack = Windows(6, 1);
    longPack.ServicePack = std::u16string(200, u'x');
    EXPECT_EQ(DescribeOperatingSystem(longPack).find(std::u16string(128, u'x')),
              std::u16string::npos);
}

TEST(GLVersionLine, HighestKnownVersionOfTheContext) {
    EXPECT_EQ(HighestKnownGLVersion(4, 5), u"3.2");
    EXPECT_EQ(HighestKnownGLVersion(3, 1), u"3.1");
    EXPECT_EQ(HighestKnownGLVersion(2, 1), u"2.1");
    EXPECT_EQ(HighestKnownGLVersion(1, 4), u"1.4");
    EXPECT_EQ(HighestKnownGLVersion(1, 9), u"1.5");
    EXPECT_EQ(HighestKnownGLVersion(0, 0), u"Unknown");
}

TEST(SystemInfoBlock, LinesInTheirOrder) {
    TSystemInfoFacts facts;
    facts.DateTime = u"07.12.2026 10:00";
    facts.MajorVersion = 1;
    facts.MinorVersion = 0;
    auto os = Windows(6, 1);
    os.ServicePack = u"Service Pack 1";
    facts.OS = os;
    facts.TotalPhysicalBytes = (4096ull << 20) + 12345;
    facts.GLMajor = 1;
    facts.GLMinor = 4;
    facts.DisplayAdapters = {u"Adapter A", u"Adapter B"};

    std::u16string fresh;
    AppendSystemInfoText(fresh, facts);
    EXPECT_EQ(fresh, u"07.12.2026 10:00\r\n"
                     u"Glimmera v. 1.0\r\n\r\n"
                     u"Windows 7  Service Pack 1 Build 7601 64-bit\r\n"
                     u"RAM 4096 MB\r\n\r\n"
                     u"OpenGL v. 1.4\r\n"
                     u"\r\nAdapter A\r\nAdapter B");

    std::u16string report = u"Crash";
    facts.OS.reset(); // a failed version query drops the OS and RAM lines
    facts.DisplayAdapters.clear();
    facts.MajorVersion = facts.MinorVersion = 65535;
    AppendSystemInfoText(report, facts);
    EXPECT_EQ(report, u"Crash\r\n\r\n07.12.2026 10:00\r\nGlimmera v. 65535.65535\r\n\r\n"
                      u"\r\n\r\nOpenGL v. 1.4\r\n");
}
