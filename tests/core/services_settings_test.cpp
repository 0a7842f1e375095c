#include "services/Settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void ExpectDefaults(const TSettings& s) {
    EXPECT_EQ(s.ClientWidth, 640);
    EXPECT_EQ(s.ClientHeight, 480);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Top, 0);
    EXPECT_EQ(s.Split, 200);
    EXPECT_EQ(s.Maximized, 0);
}

// Width 1024, height 700, left -8, top 30, split 250, maximised, padding someone left there.
const TSettingsBytes Sample = {0x00, 0x04, 0x00, 0x00, 0xBC, 0x02, 0x00, 0x00,
                               0xF8, 0xFF, 0xFF, 0xFF, 0x1E, 0x00, 0x00, 0x00,
                               0xFA, 0x00, 0x00, 0x00, 0x01, 0xAB, 0xCD, 0xEF};
const std::array<uint8_t, 3> SamplePadding = {0xAB, 0xCD, 0xEF};

} // namespace

TEST(SettingsCodec, LittleEndianLayoutRoundTripsEveryByte) {
    const TSettings s = DecodeSettings(Sample);
    EXPECT_EQ(s.ClientWidth, 1024);
    EXPECT_EQ(s.ClientHeight, 700);
    EXPECT_EQ(s.Left, -8);
    EXPECT_EQ(s.Top, 30);
    EXPECT_EQ(s.Split, 250);
    EXPECT_EQ(s.Maximized, 1);
    EXPECT_EQ(s.Padding, SamplePadding);
    EXPECT_EQ(EncodeSettings(s), Sample);
}

TEST(SettingsCodec, OnlyExactly24BytesAreRead) {
    for (std::size_t size : {0u, 23u, 25u}) {
        std::vector<uint8_t> bytes(Sample.begin(), Sample.end());
        bytes.resize(size, 0x11);
        TSettings s = DecodeSettings(bytes);
        ValidateSettings(s);
        ExpectDefaults(s);
        EXPECT_EQ(s.Padding, (std::array<uint8_t, 3>{0, 0, 0})) << size;
    }
}

TEST(SettingsValidation, WidthHeightOrSplitBelowTenResetsAllSixButNotPadding) {
    for (int field = 0; field < 3; ++field) {
        TSettings s = DecodeSettings(Sample);
        (field == 0 ? s.ClientWidth : field == 1 ? s.ClientHeight : s.Split) = 9;
        ValidateSettings(s);
        ExpectDefaults(s);
        EXPECT_EQ(s.Padding, SamplePadding);
    }
    TSettings edge = DecodeSettings(Sample);
    edge.ClientWidth = edge.ClientHeight = edge.Split = 10;
    ValidateSettings(edge);
    EXPECT_EQ(edge.ClientWidth, 10);
    EXPECT_EQ(edge.Left, -8);

    TSettingsBytes garbage;
    garbage.fill(0xFF);
    TSettings fromGarbage = DecodeSettings(garbage);
    ValidateSettings(fromGarbage);
    ExpectDefaults(fromGarbage);
}

// A window's rectangle is computed from these values: near the ends of int32 it wraps around
// and the window lands nowhere, so such a record counts as damaged.
TEST(SettingsValidation, ValuesNoDesktopReachesResetAllSix) {
    for (int field = 0; field < 5; ++field) {
        for (const int32_t value :
             {SettingsFarthestPixel + 1, INT32_MAX, -SettingsFarthestPixel - 1, INT32_MIN}) {
            TSettings s = DecodeSettings(Sample);
            int32_t* fields[] = {&s.ClientWidth, &s.ClientHeight, &s.Left, &s.Top, &s.Split};
            *fields[field] = value;
            ValidateSettings(s);
            ExpectDefaults(s);
            EXPECT_EQ(s.Padding, SamplePadding);
        }
    }
    TSettings far{SettingsFarthestPixel,
                  SettingsFarthestPixel,
                  -SettingsFarthestPixel,
                  SettingsFarthestPixel,
                  SettingsFarthestPixel,
                  1,
                  {0, 0, 0}};
    ValidateSettings(far);
    EXPECT_EQ(far.Left, -SettingsFarthestPixel) << "the limit itself is still a place";
    EXPECT_EQ(far.ClientWidth, SettingsFarthestPixel);
}
