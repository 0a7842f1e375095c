#pragma once
// OpenGL textures of the atlases: creation with a size probe, cell writes and mipmap upkeep.
// Every call needs the window thread's GL context current.
#include <windows.h>
#include <GL/gl.h>

#include <cstdint>

#include "render/AtlasLayout.h"
#include "render/PixelRoutines.h"

// Owns one texture name.
class TGLTexture {
public:
    TGLTexture() = default;
    explicit TGLTexture(GLuint name);
    ~TGLTexture() { Reset(); }
    TGLTexture(TGLTexture&& other) noexcept : FName(other.FName) { other.FName = 0; }
    TGLTexture& operator=(TGLTexture&& other) noexcept;
    TGLTexture(const TGLTexture&) = delete;
    TGLTexture& operator=(const TGLTexture&) = delete;

    GLuint Name() const { return FName; }
    void Reset();

    // Texture names owned right now, by every owner together: a leak shows as a count that
    // keeps growing while the scene returns to the same state.
    static int32_t LiveCount();

private:
    GLuint FName = 0;
};

// A zero-filled texture of (the next powers of two of) Width x Height with linear mipmapped
// filtering, clamped. Raises ESystemRequirements "Unsufficient texture memory" when the driver
// refuses the size.
TGLTexture CreateAtlasTexture(int32_t width, int32_t height, GLint internalFormat, GLenum format);

// Writes 32-bit bottom-up pixels into a cell of the bound texture, inside its margin.
void WriteCell(const TAtlasLayout& layout, TCellPosition position, TPixelView pixels);

using TGenerateMipmapProc = void(APIENTRY*)(GLenum target);

// The driver's glGenerateMipmap, or nullptr when it has none.
TGenerateMipmapProc GenerateMipmapEntry();

// Rebuilds the bound texture's mipmaps with Generate, or without it by letting the driver
// regenerate them after rewriting texel (0, 0), which lies in a margin and is always zero.
void RebuildMipmaps(TGenerateMipmapProc generate);

// Texture value that means "already bound".
constexpr GLuint KeepBoundTexture = ~0u;

// Rebuilds the mipmaps of Texture once after cells were written (Valid false).
void EnsureMipmaps(bool& valid, GLuint texture);
