#include "app/Requirements.h"

#include "base/BaseDefs.h"
#include "services/LocalizedStrings.h"

TRequirement FirstUnmetRequirement(const TMeasuredSystem& system) {
    if (system.VersionKnown && system.MajorVersion < 6)
        return TRequirement::Vista;
    if (!system.HasBgra)
        return TRequirement::Bgra;
    if (!system.HasGL14)
        return TRequirement::GL14;
    if (system.ScreenWidth < 1024 || system.ScreenHeight < 768)
        return TRequirement::Resolution;
    // 400 MiB is the real floor, although the message speaks of 512MB.
    if (WholeMiB(system.TotalPhysicalBytes) < 400)
        return TRequirement::Ram;
    return TRequirement::Met;
}

const std::u16string& RequirementMessage(TRequirement requirement) {
    static const std::u16string none;
    switch (requirement) {
    case TRequirement::Vista:
        return sNeedVista;
    case TRequirement::Bgra:
        return sNeedBgra;
    case TRequirement::GL14:
        return sNeedGL14;
    case TRequirement::Resolution:
        return sNeedResolution;
    case TRequirement::Ram:
        return sNeedRam;
    case TRequirement::Met:
        break;
    }
    return none;
}
