#include "services/SettingsFileWin.h"

#include "base/Handles.h"
#include "base/WinString.h"
#include "services/WStrUtils.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace {

const char16_t* const SettingsName = u"settings";
const char16_t* const UserFolderName = u"Glimmera";

// Empty without a directory: a bare name would land wherever the current directory is.
std::u16string InDirectory(std::u16string directory, const char16_t* name) {
    if (directory.empty())
        return {};
    NormalizeTrailingBackslash(directory);
    return directory + name;
}

std::u16string UniqueSuffix() {
    return u"." + IntToText(static_cast<int32_t>(GetCurrentProcessId())) + u"." +
           IntToText(static_cast<int32_t>(GetTickCount() & 0x7FFFFFFF)) + u".tmp";
}

// Creating (and at once dropping) a file is the only reliable test: attributes and ACLs
// do not tell whether this user may write there.
bool DirectoryWritable(const std::u16string& directory) {
    if (directory.empty())
        return false;
    const std::u16string probe = InDirectory(directory, SettingsName) + UniqueSuffix();
    TFileHandle file(CreateFileW(AsWide(probe), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.Valid();
}

bool WriteAll(HANDLE file, const TSettingsBytes& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file);
}

} // namespace

TSettingsPlaces DefaultSettingsPlaces(const std::u16string& programDirectory) {
    TSettingsPlaces places{programDirectory, {}};
    TCoTaskMem<wchar_t> appData;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, appData.Receive())))
        places.UserDirectory = InDirectory(FromWide(appData.Get()), UserFolderName);
    return places;
}

std::u16string SettingsFileToLoad(const TSettingsPlaces& places) {
    const std::u16string beside = InDirectory(places.ProgramDirectory, SettingsName);
    if (DirectoryWritable(places.ProgramDirectory) || places.UserDirectory.empty())
        return beside;
    const std::u16string user = InDirectory(places.UserDirectory, SettingsName);
    return GetFileAttributesW(AsWide(user)) != INVALID_FILE_ATTRIBUTES ? user : beside;
}

std::u16string SettingsFileToSave(const TSettingsPlaces& places) {
    if (DirectoryWritable(places.ProgramDirectory))
        return InDirectory(places.ProgramDirectory, SettingsName);
    if (places.UserDirectory.empty())
        return {};
    const int created = SHCreateDirectoryExW(nullptr, AsWide(places.UserDirectory), nullptr);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS)
        return {};
    return InDirectory(places.UserDirectory, SettingsName);
}

TSettings ReadSettingsFile(const std::u16string& fileName) {
    TFileHandle file(CreateFileW(AsWide(fileName), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    TSettingsBytes bytes{};
    DWORD read = 0;
    // A file of any other size is not ours to interpret: it is not even read.
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) ||
        size.QuadPart != static_cast<LONGLONG>(SettingsFileSize) ||
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size())
        return DecodeSettings({});
    return DecodeSettings(bytes);
}

bool WriteSettingsFile(const std::u16string& fileName, const TSettings& settings) {
    if (fileName.empty())
        return false;
    // A read-only file is the user's wish to keep the settings as they are (Windows refuses
    // to replace it, Wine would not); a folder of that name is not ours either.
    const DWORD attributes = GetFileAttributesW(AsWide(fileName));
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::u16string temporary = fileName + UniqueSuffix();
    TFileHandle file(CreateFileW(AsWide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    const bool written = WriteAll(file.Get(), EncodeSettings(settings));
    const bool closed = file.Close();
    if (written && closed &&
        MoveFileExW(AsWide(temporary), AsWide(fileName),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(AsWide(temporary));
    return false;
}

void LoadSettingsFrom(const TSettingsPlaces& places, TSettings& settings) {
    settings = ReadSettingsFile(SettingsFileToLoad(places));
    ValidateSettings(settings);
}

void SaveSettingsTo(const TSettingsPlaces& places, const TSettings& settings) {
    TSettings validated = settings;
    ValidateSettings(validated);
    WriteSettingsFile(SettingsFileToSave(places), validated);
}

void LoadSettings(TSettings& settings, const std::u16string& programDirectory) {
    LoadSettingsFrom(DefaultSettingsPlaces(programDirectory), settings);
}

void SaveSettings(const TSettings& settings, const std::u16string& programDirectory) {
    SaveSettingsTo(DefaultSettingsPlaces(programDirectory), settings);
}
