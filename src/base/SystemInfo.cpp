#include "base/SystemInfo.h"

namespace {

constexpr uint16_t ArchAMD64 = 9;
constexpr uint16_t ArchX86 = 0;
constexpr uint8_t Workstation = 1;

bool Has(uint16_t suite, uint16_t bit) {
    return (suite & bit) != 0;
}

std::u16string WindowsName(const TOSVersionFacts& os) {
    const bool workstation = os.ProductType == Workstation;
    if (os.Major == 6 && os.Minor == 0)
        return workstation ? u"Windows Vista " : u"Windows Server 2008 ";
    if (os.Major == 6 && os.Minor == 1)
        return workstation ? u"Windows 7 " : u"Windows Server 2008 R2 ";
    if (os.Major == 5 && os.Minor == 2) {
        if (os.ServerR2)
            return u"Windows Server 2003 R2 ";
        if (Has(os.SuiteMask, 0x2000))
            return u"Windows Storage Server 2003 ";
        if (Has(os.SuiteMask, 0x8000))
            return u"Windows Home Server ";
        if (workstation && os.Architecture == ArchAMD64)
            return u"Windows XP Professional x64 Edition ";
        return u"Windows Server 2003 ";
    }
    if (os.Major == 5 && os.Minor == 1)
        return Has(os.SuiteMask, 0x200) ? u"Windows XP Home Edition " : u"Windows XP Professional ";
    if (os.Major == 5 && os.Minor == 0) {
        if (workstation)
            return u"Windows 2000 Professional ";
        if (Has(os.SuiteMask, 0x80))
            return u"Windows 2000 Datacenter Server ";
        if (Has(os.SuiteMask, 0x2))
            return u"Windows 2000 Advanced Server ";
        return u"Windows 2000 Server ";
    }
    return u"";
}

} // namespace

std::u16string DecimalText(uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string DescribeOperatingSystem(const TOSVersionFacts& os) {
    constexpr uint32_t PlatformNT = 2;
    if (os.PlatformId != PlatformNT || os.Major <= 4)
        return u"Unknown version, not NT";
    std::u16string text = WindowsName(os);
    if (!os.ServicePack.empty())
        text += u" " + os.ServicePack.substr(0, 127);
    text += u" Build " + DecimalText(os.Build);
    if (os.Major >= 6) {
        if (os.Architecture == ArchAMD64)
            text += u" 64-bit";
        else if (os.Architecture == ArchX86)
            text += u" 32-bit";
    }
    return text;
}

std::u16string HighestKnownGLVersion(int major, int minor) {
    static const struct {
        int Major, Minor;
        const char16_t* Name;
    } known[] = {{3, 2, u"3.2"}, {3, 1, u"3.1"}, {3, 0, u"3.0"}, {2, 1, u"2.1"},
                 {2, 0, u"2.0"}, {1, 5, u"1.5"}, {1, 4, u"1.4"}, {1, 3, u"1.3"},
                 {1, 2, u"1.2"}, {1, 1, u"1.1"}, {1, 0, u"1.0"}};
    for (const auto& version : known)
        if (major > version.Major || (major == version.Major && minor >= version.Minor))
            return version.Name;
    return u"Unknown";
}

void AppendSystemInfoText(std::u16string& text, const TSystemInfoFacts& facts) {
    const std::u16string crlf = u"\r\n";
    if (!text.empty())
        text += crlf + crlf;
    text += facts.DateTime + crlf;
    text += u"Glimmera v. " + DecimalText(facts.MajorVersion) + u"." +
            DecimalText(facts.MinorVersion) + crlf + crlf;
    if (facts.OS) {
        text += DescribeOperatingSystem(*facts.OS);
        text += crlf + u"RAM " + DecimalText(facts.TotalPhysicalBytes >> 20) + u" MB";
    }
    text +=
        crlf + crlf + u"OpenGL v. " + HighestKnownGLVersion(facts.GLMajor, facts.GLMinor) + crlf;
    for (const auto& adapter : facts.DisplayAdapters)
        text += crlf + adapter.substr(0, 127);
}
