#include "base/BaseDefsWin.h"

#include <windows.h>
#include <GL/gl.h>

#include <memory>
#include <vector>

#include "base/BaseDefs.h"
#include "base/Errors.h"
#include "base/GLInfo.h"
#include "base/SystemInfo.h"
#include "base/WinString.h"

TGLLoaderFlags GLLoaderFlags;

bool QueryVersion(OSVERSIONINFOEXW& info) {
    info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    // Deprecated, but it is what reports the service pack and suite mask we show.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)) != FALSE;
#pragma GCC diagnostic pop
}

uint64_t TotalPhysicalMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullTotalPhys;
}

namespace {

uint16_t ProcessorArchitecture() {
    using TGetNativeSystemInfo = void(WINAPI*)(LPSYSTEM_INFO);
    SYSTEM_INFO info{};
    auto native = reinterpret_cast<TGetNativeSystemInfo>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetNativeSystemInfo")));
    if (native)
        native(&info);
    else
        GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}

std::u16string LocalDateTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t date[128] = {}, time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, 128);
    return FromWide(date) + u" " + FromWide(time);
}

} // namespace

void ReadGLLoaderFlags() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ParseGLVersion(version, GLLoaderFlags.Major, GLLoaderFlags.Minor);
    GLLoaderFlags.HasBgra = HasGLExtension(extensions, "GL_EXT_bgra");
    GLLoaderFlags.HasFramebufferObject = HasGLExtension(extensions, "GL_EXT_framebuffer_object");
}

void* GLEntryPoint(const char* name) {
    PROC entry = wglGetProcAddress(name);
    // Some drivers answer a missing entry with a small number instead of null.
    const auto value = reinterpret_cast<intptr_t>(entry);
    if (value >= -1 && value <= 3)
        return nullptr;
    return reinterpret_cast<void*>(entry);
}

void CheckGLError(const char* tag) {
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    throw std::runtime_error(std::string(GLErrorName(error)) + tag);
}

void AppendSystemInfo(std::u16string& text) {
    TSystemInfoFacts facts;
    facts.DateTime = LocalDateTime();
    const TProductVersion product = GetProductVersion(ProgramFileName());
    facts.MajorVersion = product.Major();
    facts.MinorVersion = product.Minor();
    OSVERSIONINFOEXW version;
    if (QueryVersion(version)) {
        TOSVersionFacts os;
        os.PlatformId = version.dwPlatformId;
        os.Major = version.dwMajorVersion;
        os.Minor = version.dwMinorVersion;
        os.Build = version.dwBuildNumber;
        os.ProductType = version.wProductType;
        os.SuiteMask = version.wSuiteMask;
        os.ServicePack = FromWide(version.szCSDVersion);
        os.Architecture = ProcessorArchitecture();
        os.ServerR2 = GetSystemMetrics(SM_SERVERR2) != 0;
        facts.OS = os;
    }
    facts.TotalPhysicalBytes = TotalPhysicalMemory();
    facts.GLMajor = GLLoaderFlags.Major;
    facts.GLMinor = GLLoaderFlags.Minor;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
        facts.DisplayAdapters.push_back(FromWide(device.DeviceString));
        device = {};
        device.cb = sizeof(device);
    }
    AppendSystemInfoText(text, facts);
}

TProductVersion GetProductVersion(const std::u16string& fileName) {
    TProductVersion result;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(AsWide(fileName), &handle);
    if (size == 0)
        return result;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(AsWide(fileName), 0, size, block.data()))
        return result;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return result;
    result.Words[0] = LOWORD(info->dwProductVersionLS);
    result.Words[1] = HIWORD(info->dwProductVersionLS);
    result.Words[2] = LOWORD(info->dwProductVersionMS);
    result.Words[3] = HIWORD(info->dwProductVersionMS);
    return result;
}

std::u16string ProgramFileName() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH - 1);
    return FromWide(std::wstring_view(path, length));
}

std::u16string ProgramDirectory() {
    std::u16string path = ProgramFileName();
    const size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator + 1);
}

bool FileExists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

TPathKind GetPathKind(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return TPathKind::Unreadable;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TPathKind::Directory : TPathKind::File;
}

void ShowMessage(const std::u16string& text) {
    MessageBoxW(nullptr, AsWide(text), L"Message", MB_OK);
}

int OpenKernelHandleCount() {
    int count = 0;
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}
