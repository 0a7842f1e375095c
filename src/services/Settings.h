#pragma once
// The remembered window placement and split: a 24-byte little-endian record, in memory and
// on disk alike.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct TSettings {
    int32_t ClientWidth = 640;
    int32_t ClientHeight = 480;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Split = 200; // width of the Explorer pane; the scene starts at this x
    uint8_t Maximized = 0;
    // Written back as loaded; a reset to the defaults leaves them alone.
    std::array<uint8_t, 3> Padding = {0, 0, 0};
};

constexpr std::size_t SettingsFileSize = 24;
using TSettingsBytes = std::array<uint8_t, SettingsFileSize>;

// The record a byte image holds. Only an image of exactly 24 bytes is read; anything else gives
// an all-zero record, which validation turns into the defaults.
TSettings DecodeSettings(std::span<const uint8_t> bytes);
TSettingsBytes EncodeSettings(const TSettings& settings);

// No desktop reaches this far: a record beyond it was not written by a window, and window
// arithmetic on such values overflows.
constexpr int32_t SettingsFarthestPixel = 1000000;

// Width, height and split all above 9, and all five values within SettingsFarthestPixel of 0.
bool SettingsValid(const TSettings& settings);
// Puts the six values back to their defaults when the record is not valid; padding stays.
void ValidateSettings(TSettings& settings);
