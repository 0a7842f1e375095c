#pragma once
// Base definitions that need the platform: GL errors, system information and small file
// utilities.
#include <windows.h>

#include <cstdint>
#include <string>

// Filled once the GL context is current (start-up step 7).
struct TGLLoaderFlags {
    int Major = 0;
    int Minor = 0;
    bool HasBgra = false;
    bool HasFramebufferObject = false; // GL_EXT_framebuffer_object
    bool Version14() const { return Major > 1 || (Major == 1 && Minor >= 4); }
};
extern TGLLoaderFlags GLLoaderFlags;

// Reads GL_VERSION and GL_EXTENSIONS of the current context into GLLoaderFlags.
void ReadGLLoaderFlags();

// The current context's entry point of that name, null when the driver has none.
void* GLEntryPoint(const char* name);

// GetVersionExW with the extended structure; false when the system does not answer.
bool QueryVersion(OSVERSIONINFOEXW& info);
uint64_t TotalPhysicalMemory();

// Reads glGetError once; raises std::runtime_error "<name> <tag>" on an error.
void CheckGLError(const char* tag);

void AppendSystemInfo(std::u16string& text);

// Product version words: [0], [1] the low double word, [2] minor, [3] major; 65535 when unknown.
struct TProductVersion {
    uint16_t Words[4] = {65535, 65535, 65535, 65535};
    uint16_t Major() const { return Words[3]; }
    uint16_t Minor() const { return Words[2]; }
};
TProductVersion GetProductVersion(const std::u16string& fileName);

std::u16string ProgramFileName();
// ProgramFileName cut after its last separator; ends with a backslash.
std::u16string ProgramDirectory();
bool FileExists(const std::u16string& path);
enum class TPathKind { Directory, File, Unreadable };
// Unreadable when the path's attributes cannot be read (a missing path, say).
TPathKind GetPathKind(const std::u16string& path);
void ShowMessage(const std::u16string& text);

// Open kernel handles of this process, found by asking about every handle value a process of
// this size uses (Wine answers GetProcessHandleCount with 0).
int OpenKernelHandleCount();
