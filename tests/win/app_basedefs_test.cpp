#include <gtest/gtest.h>

#include <windows.h>
#include <GL/gl.h>

#include "base/Handles.h"
#include "GLTestContext.h"
#include "app/AddressEdit.h"
#include "base/BaseDefsWin.h"
#include "base/SystemInfo.h"
#include "base/WinString.h"

namespace {

std::u16string TempDirectory() {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    std::u16string dir =
        FromWide(path) + u"glimmera-basedefs-" + DecimalText(GetCurrentProcessId());
    CreateDirectoryW(AsWide(dir), nullptr);
    return dir;
}

} // namespace

TEST(PathUtilities, KindAndExistenceFollowTheFileSystem) {
    const std::u16string dir = TempDirectory();
    const std::u16string file = dir + u"\\файл.txt";
    ASSERT_TRUE(TFileHandle(
        CreateFileW(AsWide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));

    EXPECT_EQ(GetPathKind(dir), TPathKind::Directory);
    EXPECT_EQ(GetPathKind(file), TPathKind::File);
    EXPECT_EQ(GetPathKind(dir + u"\\missing"), TPathKind::Unreadable);
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(dir));
    EXPECT_FALSE(FileExists(dir + u"\\missing"));

    DeleteFileW(AsWide(file));
    RemoveDirectoryW(AsWide(dir));
}

TEST(PathUtilities, ProgramDirectoryIsTheExecutablesFolderWithABackslash) {
    const std::u16string exe = ProgramFileName();
    const std::u16string dir = ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), u'\\');
    EXPECT_EQ(exe.substr(0, dir.size()), dir);
    EXPECT_EQ(exe.substr(dir.size()), u"win_tests.exe");
    EXPECT_EQ(GetPathKind(dir), TPathKind::Directory);
}

TEST(ProductVersion, ReadsTheVersionResourceWordsInTheirOrder) {
    const TProductVersion version = GetProductVersion(ProgramFileName());
    EXPECT_EQ(version.Major(), 1);
    EXPECT_EQ(version.Minor(), 0);
    EXPECT_EQ(version.Words[0], 0); // tweak
    EXPECT_EQ(version.Words[1], 0); // patch

    const TProductVersion none = GetProductVersion(u"C:\\no\\such\\file.exe");
    for (uint16_t word : none.Words)
        EXPECT_EQ(word, 65535);
}

TEST(GLErrorCheck, RaisesTheNamedErrorWithItsTagAndReadsOnlyOne) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_NO_THROW(CheckGLError("{TAG-0}"));
    glEnable(0xFFFF); // GL_INVALID_ENUM
    try {
        CheckGLError("{TAG-1}");
        FAIL() << "no error raised";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "GL_INVALID_ENUM {TAG-1}");
    }
    EXPECT_NO_THROW(CheckGLError("{TAG-2}"));
}

TEST(SystemInfo, FreshTextStartsWithTheDateAndNamesTheProgram) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    ReadGLLoaderFlags();
    EXPECT_TRUE(GLLoaderFlags.Version14());
    EXPECT_TRUE(GLLoaderFlags.HasBgra);

    std::u16string text;
    AppendSystemInfo(text);
    ASSERT_GT(text.size(), 10u);
    EXPECT_NE(text.substr(0, 2), u"\r\n");
    EXPECT_NE(text.find(u"\r\nGlimmera v. 1.0\r\n\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u" Build "), std::u16string::npos);
    EXPECT_NE(text.find(u"\r\nRAM "), std::u16string::npos);
    EXPECT_NE(text.find(u"\r\n\r\nOpenGL v. 3.2\r\n"), std::u16string::npos);

    std::u16string report = u"Report";
    AppendSystemInfo(report);
    EXPECT_EQ(report.substr(0, 10), u"Report\r\n\r\n");
}

TEST(AddressEdit, TwoTrailingBackslashesParseAsEmpty) {
    EXPECT_EQ(AddressToParse(u"C:\\Windows\\\\"), u"");
    EXPECT_EQ(AddressToParse(u"C:\\\\\\"), u"");
    EXPECT_EQ(AddressToParse(u"C:\\Windows\\"), u"C:\\Windows\\");
    EXPECT_EQ(AddressToParse(u"\\"), u"\\");
    EXPECT_EQ(AddressToParse(u""), u"");
}
