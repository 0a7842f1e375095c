#pragma once
// The minimum the machine must offer: the decision is portable and made from measured values
// alone; the Windows layer measures and raises.
#include <cstdint>
#include <string>

// What start-up measured about the machine; the requirement check decides from these alone.
struct TMeasuredSystem {
    bool VersionKnown = false; // GetVersionExW succeeded
    uint32_t MajorVersion = 0;
    bool HasBgra = false;     // GL_EXT_bgra in the extension string
    bool HasGL14 = false;     // the context supports OpenGL 1.4
    int32_t ScreenWidth = 0;  // HORZRES of the screen
    int32_t ScreenHeight = 0; // VERTRES of the screen
    uint64_t TotalPhysicalBytes = 0;
};

enum class TRequirement { Met, Vista, Bgra, GL14, Resolution, Ram };

// The first requirement the machine misses, in the order they are checked.
TRequirement FirstUnmetRequirement(const TMeasuredSystem& system);

// The localised message of an unmet requirement (empty for Met).
const std::u16string& RequirementMessage(TRequirement requirement);

// Windows layer: measures, sets MaxTextureSize and raises ESystemRequirements at the first
// requirement not met. Needs the GL context current and the loader flags read.
void CheckSystemRequirements();
