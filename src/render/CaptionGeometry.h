#pragma once
// The arithmetic of caption quads: bitmap height and font height from the caption's world
// size, the quad's width from the text's, and its corners from an anchor.
#include <cstdint>

#include "space/VectorMath.h"

// The caption kinds' sizes: item, page and sort captions, and level titles.
constexpr int32_t SmallCaptionPixelWidth = 256;
constexpr float SmallCaptionWorldWidth = 0.6f;
constexpr float SmallCaptionWorldHeight = 0.06f;
constexpr int32_t LevelCaptionPixelWidth = 512;
constexpr float LevelCaptionWorldWidth = 1.44f;
constexpr float LevelCaptionWorldHeight = 0.08f;

struct TCaptionPixelSize {
    int32_t PixelHeight = 0; // of the bitmap, at least 1
    int32_t FontHeight = 0;  // of the text, 80 % of the exact height
};

// The bitmap keeps the world aspect: PixelWidth x WorldHeight / WorldWidth, truncated.
TCaptionPixelSize CaptionPixelSize(int32_t pixelWidth, float worldWidth, float worldHeight);

struct TCaptionQuadSize {
    float Aspect = 0;    // TextWidth / PixelHeight
    float QuadWidth = 0; // WorldHeight x Aspect, at most WorldWidth
};

TCaptionQuadSize CaptionQuadSize(int32_t textWidth, int32_t pixelHeight, float worldWidth,
                                 float worldHeight);

// Fan order from the anchor: bottom-left, bottom-right, top-right, top-left; the quad spans
// QuadWidth along U and WorldHeight along V.
TQuad CaptionCorners(const TVector3& anchor, const TVector3& u, const TVector3& v, float quadWidth,
                     float worldHeight);
