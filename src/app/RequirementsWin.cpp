#include "app/Requirements.h"

#include <windows.h>
#include <GL/gl.h>

#include "base/BaseDefs.h"
#include "base/BaseDefsWin.h"
#include "base/Errors.h"
#include "base/Handles.h"

void CheckSystemRequirements() {
    TMeasuredSystem system;
    OSVERSIONINFOEXW version;
    system.VersionKnown = QueryVersion(version);
    system.MajorVersion = version.dwMajorVersion;
    system.HasBgra = GLLoaderFlags.HasBgra;
    system.HasGL14 = GLLoaderFlags.Version14();
    {
        TWindowDC screen(nullptr);
        system.ScreenWidth = GetDeviceCaps(screen.Get(), HORZRES);
        system.ScreenHeight = GetDeviceCaps(screen.Get(), VERTRES);
    }
    system.TotalPhysicalBytes = TotalPhysicalMemory();

    // The checks before the texture size stop start-up without reading it.
    TRequirement unmet = FirstUnmetRequirement(system);
    if (unmet == TRequirement::Vista || unmet == TRequirement::Bgra || unmet == TRequirement::GL14)
        throw ESystemRequirements(RequirementMessage(unmet));
    GLint maxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    MaxTextureSize = maxTexture;
    if (unmet != TRequirement::Met)
        throw ESystemRequirements(RequirementMessage(unmet));
}
