#include "render/CaptionGeometry.h"

#include <algorithm>

#include "base/Errors.h"

namespace {
constexpr const char* Module = "images";
constexpr double FontShare = 0.8;
} // namespace

TCaptionPixelSize CaptionPixelSize(int32_t pixelWidth, float worldWidth, float worldHeight) {
    double height = double(pixelWidth) * double(worldHeight) / double(worldWidth);
    TCaptionPixelSize size;
    size.PixelHeight = static_cast<int32_t>(height);
    GMAssert(size.PixelHeight >= 1, Module);
    size.FontHeight = static_cast<int32_t>(height * FontShare);
    return size;
}

TCaptionQuadSize CaptionQuadSize(int32_t textWidth, int32_t pixelHeight, float worldWidth,
                                 float worldHeight) {
    TCaptionQuadSize size;
    size.Aspect = static_cast<float>(textWidth) / static_cast<float>(pixelHeight);
    size.QuadWidth = std::min(worldHeight * size.Aspect, worldWidth);
    return size;
}

TQuad CaptionCorners(const TVector3& anchor, const TVector3& u, const TVector3& v, float quadWidth,
                     float worldHeight) {
    TQuad corners;
    corners[0] = anchor;
    QuadCorners(anchor, u, v, quadWidth, worldHeight, corners[1], corners[2], corners[3]);
    return corners;
}
