#include "services/UpdateRules.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UpdateRules, VersionFileIsExactlyFourLittleEndianWords) {
    const std::vector<uint8_t> file{0x34, 0x12, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00};
    EXPECT_EQ(ParseVersionFile(file), (TVersionWords{0x1234, 0, 2, 1}));
    for (size_t size : {0u, 7u, 9u, 512u})
        EXPECT_FALSE(ParseVersionFile(std::vector<uint8_t>(size, 1))) << size << " bytes";
}

TEST(UpdateRules, OnlyMajorAndMinorMakeAVersionNewer) {
    struct TCase {
        TVersionWords Remote;
        uint16_t Major, Minor;
        bool Newer;
    };
    const TCase cases[] = {
        {{0, 0, 2, 1}, 1, 1, true},          // 1.2 against 1.1
        {{0, 0, 0, 2}, 1, 9, true},          // 2.0 against 1.9
        {{9, 9, 1, 1}, 1, 1, false},         // the same, a later build
        {{0, 0, 9, 0}, 1, 0, false},         // an older major with a higher minor
        {{0, 0, 0, 1}, 1, 1, false},         // older
        {{0, 0, 9, 9}, 65535, 65535, false}, // a program without a version is never older
    };
    for (const TCase& c : cases)
        EXPECT_EQ(IsNewerVersion(c.Remote, c.Major, c.Minor), c.Newer)
            << c.Remote[3] << "." << c.Remote[2] << " against " << c.Major << "." << c.Minor;
}

TEST(UpdateRules, OnlyAWindowsProgramIsStarted) {
    std::vector<uint8_t> program(0x100, 0);
    program[0] = 'M';
    program[1] = 'Z';
    program[0x3C] = 0x80;
    program[0x80] = 'P';
    program[0x81] = 'E';
    EXPECT_TRUE(LooksLikeWindowsProgram(program));

    std::vector<uint8_t> page(program.size(), ' ');
    const char html[] = "<html>Not found</html>";
    std::copy(html, html + sizeof(html) - 1, page.begin());
    EXPECT_FALSE(LooksLikeWindowsProgram(page));
    // Cut before its PE header, or pointing past its end.
    EXPECT_FALSE(LooksLikeWindowsProgram(std::span(program).first(0x82)));
    program[0x3C] = 0xFE;
    EXPECT_FALSE(LooksLikeWindowsProgram(program));
    EXPECT_FALSE(LooksLikeWindowsProgram(std::vector<uint8_t>{'M', 'Z'}));
}
