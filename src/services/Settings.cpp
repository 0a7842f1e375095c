#include "services/Settings.h"

namespace {

int32_t ReadInt32(std::span<const uint8_t> bytes, std::size_t at) {
    const uint32_t value =
        static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
        (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
    return static_cast<int32_t>(value);
}

void WriteInt32(TSettingsBytes& bytes, std::size_t at, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (std::size_t k = 0; k < 4; ++k)
        bytes[at + k] = static_cast<uint8_t>(bits >> (8 * k));
}

} // namespace

TSettings DecodeSettings(std::span<const uint8_t> bytes) {
    TSettings settings{0, 0, 0, 0, 0, 0, {0, 0, 0}};
    if (bytes.size() != SettingsFileSize)
        return settings;
    settings.ClientWidth = ReadInt32(bytes, 0);
    settings.ClientHeight = ReadInt32(bytes, 4);
    settings.Left = ReadInt32(bytes, 8);
    settings.Top = ReadInt32(bytes, 12);
    settings.Split = ReadInt32(bytes, 16);
    settings.Maximized = bytes[20];
    settings.Padding = {bytes[21], bytes[22], bytes[23]};
    return settings;
}

TSettingsBytes EncodeSettings(const TSettings& settings) {
    TSettingsBytes bytes{};
    WriteInt32(bytes, 0, settings.ClientWidth);
    WriteInt32(bytes, 4, settings.ClientHeight);
    WriteInt32(bytes, 8, settings.Left);
    WriteInt32(bytes, 12, settings.Top);
    WriteInt32(bytes, 16, settings.Split);
    bytes[20] = settings.Maximized;
    bytes[21] = settings.Padding[0];
    bytes[22] = settings.Padding[1];
    bytes[23] = settings.Padding[2];
    return bytes;
}

bool SettingsValid(const TSettings& settings) {
    const auto near = [](int32_t value) {
        return value >= -SettingsFarthestPixel && value <= SettingsFarthestPixel;
    };
    return settings.ClientWidth > 9 && settings.ClientHeight > 9 && settings.Split > 9 &&
           near(settings.ClientWidth) && near(settings.ClientHeight) && near(settings.Split) &&
           near(settings.Left) && near(settings.Top);
}

void ValidateSettings(TSettings& settings) {
    if (SettingsValid(settings))
        return;
    const TSettings defaults;
    settings.ClientWidth = defaults.ClientWidth;
    settings.ClientHeight = defaults.ClientHeight;
    settings.Left = defaults.Left;
    settings.Top = defaults.Top;
    settings.Split = defaults.Split;
    settings.Maximized = defaults.Maximized;
}
