// The settings file as start-up reads it: any bytes become a record, and a validated record
// goes on to place the window on a screen and split it between the Explorer pane and the scene.
#include "FuzzCheck.h"

#include "app/ScreenPlacement.h"
#include "services/Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

namespace {

// Win32 rectangle arithmetic wraps around; so does this.
int32_t Wrapped(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// The window's outer rectangle as creation lays it out: the client size grown by a frame with a
// caption and a menu, moved to the saved top-left corner.
TScreenRect OuterRect(const TSettings& settings) {
    constexpr int32_t Side = 8, Caption = 51;
    const int32_t right = Wrapped(int64_t(settings.ClientWidth) + Side);
    const int32_t bottom = Wrapped(int64_t(settings.ClientHeight) + Side);
    const int32_t dx = Wrapped(int64_t(settings.Left) + Side);
    const int32_t dy = Wrapped(int64_t(settings.Top) + Caption);
    return TScreenRect{Wrapped(int64_t(-Side) + dx), Wrapped(int64_t(-Caption) + dy),
                       Wrapped(int64_t(right) + dx), Wrapped(int64_t(bottom) + dy)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    TSettings settings = DecodeSettings(bytes);
    if (size == SettingsFileSize) {
        const TSettingsBytes again = EncodeSettings(settings);
        FUZZ_CHECK(std::memcmp(again.data(), data, size) == 0);
    }
    const auto padding = settings.Padding;
    ValidateSettings(settings);
    FUZZ_CHECK(SettingsValid(settings));
    FUZZ_CHECK(settings.Padding == padding);

    // A work area of the common desktop sizes, wherever the record's own window lies.
    const TScreenRect workArea{0, 0, 1920, 1040};
    const TScreenRect outer = OuterRect(settings);
    const TScreenPoint at = PositionInWorkArea(outer, workArea);
    const int64_t width = int64_t(outer.Right) - outer.Left;
    const int64_t height = int64_t(outer.Bottom) - outer.Top;
    FUZZ_CHECK(width > 0 && height > 0);
    // A window that fits is wholly inside; a larger one starts at the area's corner.
    FUZZ_CHECK(at.X >= workArea.Left && at.Y >= workArea.Top);
    FUZZ_CHECK(at.X + width <= workArea.Right || at.X == workArea.Left);
    FUZZ_CHECK(at.Y + height <= workArea.Bottom || at.Y == workArea.Top);

    const int32_t split = SplitForClientWidth(settings.Split, settings.ClientWidth);
    FUZZ_CHECK(split >= MinimalSplit);
    FUZZ_CHECK(split <= std::max(MinimalSplit, settings.ClientWidth - MinimalSceneWidth));
    return 0;
}
