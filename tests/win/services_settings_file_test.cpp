#include "base/Handles.h"
#include "services/SettingsFileWin.h"

#include "base/WinString.h"
#include "model_temp_folder.h"

#include <gtest/gtest.h>

namespace {

// Width 1024, height 700, left -8, top 30, split 250, maximised, odd padding.
const std::string Sample("\x00\x04\x00\x00\xBC\x02\x00\x00\xF8\xFF\xFF\xFF"
                         "\x1E\x00\x00\x00\xFA\x00\x00\x00\x01\xAB\xCD\xEF",
                         24);

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() {
        CreateDirectoryW(Program.c_str(), nullptr);
        Places = {FromWide(Program), FromWide(User)};
    }
    void PutBeside(const std::string& bytes) {
        ASSERT_TRUE(TTempFolder::WriteFileBytes(Beside, bytes.data(), DWORD(bytes.size())));
    }
    TSettings Load() {
        TSettings settings;
        settings.ClientWidth = 1; // must not survive
        LoadSettingsFrom(Places, settings);
        return settings;
    }
    static bool IsDefault(const TSettings& s) {
        return s.ClientWidth == 640 && s.ClientHeight == 480 && s.Left == 0 && s.Top == 0 &&
               s.Split == 200 && s.Maximized == 0;
    }

    TTempFolder Temp;
    const std::wstring Program = Temp / L"program";
    const std::wstring Beside = Program + L"\\settings";
    const std::wstring User = Temp / L"user data\\Glimmera";
    TSettingsPlaces Places;
};

} // namespace

TEST_F(SettingsFile, MissingShortLongOrGarbageFilesGiveDefaults) {
    EXPECT_TRUE(IsDefault(Load()));
    std::string width5 = Sample;
    width5[0] = 5;
    width5[1] = 0;
    for (const std::string& bytes :
         {Sample.substr(0, 23), Sample + "x", std::string(24, '\xFF'), width5, std::string()}) {
        PutBeside(bytes);
        EXPECT_TRUE(IsDefault(Load())) << bytes.size();
    }
}

TEST_F(SettingsFile, ValidLoadThenSaveWritesTheSame24BytesAndNothingElse) {
    PutBeside(Sample);
    const TSettings loaded = Load();
    EXPECT_EQ(loaded.ClientWidth, 1024);
    EXPECT_EQ(loaded.Left, -8);
    SaveSettingsTo(Places, loaded);
    EXPECT_EQ(TTempFolder::ReadFileBytes(Beside), Sample);
    EXPECT_EQ(TTempFolder::List(Program), std::vector<std::wstring>{L"settings"});

    TSettings broken = loaded;
    broken.Split = 3;
    SaveSettingsTo(Places, broken);
    EXPECT_TRUE(IsDefault(Load()));
    EXPECT_EQ(TTempFolder::ReadFileBytes(Beside).substr(21), Sample.substr(21)); // padding kept
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFile) {
    PutBeside(Sample);
    // A handle without sharing keeps the file from being replaced.
    TFileHandle holder(CreateFileW(Beside.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(WriteSettingsFile(FromWide(Beside), TSettings{}));
    holder.Close();
    EXPECT_EQ(TTempFolder::ReadFileBytes(Beside), Sample);
    EXPECT_EQ(TTempFolder::List(Program), std::vector<std::wstring>{L"settings"});
    EXPECT_FALSE(WriteSettingsFile(FromWide(Temp / L"no such folder\\settings"), TSettings{}));
}

// What the user or a broken disk left under the settings' name is read at most, never harmed.
TEST_F(SettingsFile, HugeReadOnlyOrFolderSettingsGiveWhatTheyCanAndStay) {
    PutBeside(std::string(16 << 20, '\xAB'));
    EXPECT_TRUE(IsDefault(Load()));

    PutBeside(Sample);
    ASSERT_TRUE(SetFileAttributesW(Beside.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Load().ClientWidth, 1024);
    SaveSettingsTo(Places, TSettings{});
    EXPECT_EQ(TTempFolder::ReadFileBytes(Beside), Sample) << "a read-only file is kept";
    EXPECT_EQ(TTempFolder::List(Program), std::vector<std::wstring>{L"settings"});
    ASSERT_TRUE(SetFileAttributesW(Beside.c_str(), FILE_ATTRIBUTE_NORMAL));

    ASSERT_TRUE(DeleteFileW(Beside.c_str()));
    ASSERT_TRUE(CreateDirectoryW(Beside.c_str(), nullptr));
    EXPECT_TRUE(IsDefault(Load()));
    SaveSettingsTo(Places, TSettings{});
    EXPECT_EQ(GetFileAttributesW(Beside.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(TTempFolder::List(Program), std::vector<std::wstring>{L"settings"});
}

TEST_F(SettingsFile, UnwritableProgramFolderUsesTheUserFolder) {
    Places.ProgramDirectory = FromWide(Temp / L"not there");
    TSettings settings;
    settings.ClientWidth = 1280;
    SaveSettingsTo(Places, settings);
    EXPECT_EQ(TTempFolder::ReadFileBytes(User + L"\\settings").size(), 24u);
    EXPECT_EQ(SettingsFileToLoad(Places), FromWide(User + L"\\settings"));
    EXPECT_EQ(Load().ClientWidth, 1280);
    // A writable program folder wins again, whatever the user folder holds.
    Places.ProgramDirectory = FromWide(Program);
    EXPECT_TRUE(IsDefault(Load()));

    const TSettingsPlaces real = DefaultSettingsPlaces(u"C:\\Program Files\\Glimmera\\");
    EXPECT_TRUE(real.UserDirectory.ends_with(u"\\Glimmera"));
    EXPECT_GT(real.UserDirectory.size(), 9u);
}
