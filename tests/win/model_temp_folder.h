#pragma once
// A fresh folder under the user's temporary directory for one test, removed with all it holds
// (long paths included) when the test ends.
#include <windows.h>

#include "base/Handles.h"

#include <string>
#include <vector>

class TTempFolder {
public:
    TTempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, base);
        static int serial = 0;
        FPath = std::wstring(base) + L"glimmera-test-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(++serial);
        CreateDirectoryW(FPath.c_str(), nullptr);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder() { RemoveTree(Long(FPath)); }

    const std::wstring& Path() const { return FPath; } // no trailing backslash
    std::wstring operator/(const std::wstring& name) const { return FPath + L"\\" + name; }

    // The \\?\ form, which lifts the MAX_PATH limit of the file functions.
    static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

    static bool WriteFileBytes(const std::wstring& path, const void* bytes, DWORD size) {
        TFileHandle file(CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        return file && WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
    }

    static std::string ReadFileBytes(const std::wstring& path) {
        TFileHandle file(CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        std::string bytes(4096, '\0');
        DWORD read = 0;
        if (file)
            ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr);
        bytes.resize(read);
        return bytes;
    }

    // Names in a directory, without . and ..
    static std::vector<std::wstring> List(const std::wstring& directory) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        TFindHandle search(FindFirstFileW(Long(directory + L"\\*").c_str(), &found));
        for (bool more = search.Valid(); more; more = FindNextFileW(search.Get(), &found)) {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        }
        return names;
    }

private:
    static void RemoveTree(const std::wstring& longPath) {
        for (const std::wstring& name : List(longPath.substr(4))) {
            const std::wstring child = longPath + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(child.c_str()))
                RemoveTree(child);
        }
        RemoveDirectoryW(longPath.c_str());
    }

    std::wstring FPath;
};
