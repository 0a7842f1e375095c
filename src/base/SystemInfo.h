#pragma once
// The system-information block that the About box and the reports append, assembled from
// facts the Win32 layer gathers, so every branch can be checked without the machine it names.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TOSVersionFacts {
    uint32_t PlatformId = 2; // VER_PLATFORM_WIN32_NT
    uint32_t Major = 0;
    uint32_t Minor = 0;
    uint32_t Build = 0;
    uint8_t ProductType = 1; // VER_NT_WORKSTATION
    uint16_t SuiteMask = 0;
    std::u16string ServicePack;
    uint16_t Architecture = 0; // PROCESSOR_ARCHITECTURE_*: 9 = AMD64, 0 = x86
    bool ServerR2 = false;     // GetSystemMetrics(SM_SERVERR2) != 0
};

struct TSystemInfoFacts {
    std::u16string DateTime; // local date and time, locale's short format
    uint16_t MajorVersion = 65535;
    uint16_t MinorVersion = 65535;
    std::optional<TOSVersionFacts> OS; // empty when the version query failed
    uint64_t TotalPhysicalBytes = 0;
    int GLMajor = 0; // version of the current context; 0 when unknown
    int GLMinor = 0;
    std::vector<std::u16string> DisplayAdapters;
};

// "Windows 7  Service Pack 1 Build 7601 64-bit" and the like.
std::u16string DescribeOperatingSystem(const TOSVersionFacts& os);

// The highest of "3.2", "3.1", ..., "1.0" that the context supports, else "Unknown".
std::u16string HighestKnownGLVersion(int major, int minor);

// Appends the whole block to text.
void AppendSystemInfoText(std::u16string& text, const TSystemInfoFacts& facts);

std::u16string DecimalText(uint64_t value);
