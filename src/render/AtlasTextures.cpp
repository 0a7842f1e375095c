#include "render/AtlasTextures.h"

#include <GL/glext.h>

#include <vector>

#include "base/BaseDefs.h"
#include "base/BaseDefsWin.h"
#include "base/Errors.h"

namespace {
constexpr const char* Module = "TextureManagement";
// Only the window thread's GL context creates and deletes textures.
int32_t LiveTextures = 0;
} // namespace

TGLTexture::TGLTexture(GLuint name) : FName(name) {
    if (FName)
        ++LiveTextures;
}

int32_t TGLTexture::LiveCount() {
    return LiveTextures;
}

TGLTexture& TGLTexture::operator=(TGLTexture&& other) noexcept {
    if (this != &other) {
        Reset();
        FName = other.FName;
        other.FName = 0;
    }
    return *this;
}

void TGLTexture::Reset() {
    if (FName) {
        glDeleteTextures(1, &FName);
        --LiveTextures;
    }
    FName = 0;
}

TGLTexture CreateAtlasTexture(int32_t width, int32_t height, GLint internalFormat, GLenum format) {
    width = NextPowerOfTwo(width);
    height = NextPowerOfTwo(height);
    GLuint name = 0;
    glGenTextures(1, &name);
    TGLTexture texture(name);
    glBindTexture(GL_TEXTURE_2D, name);
    CheckGLError("{3E5C0F9A-71B2-4D8E-9A46-0C2B7D51E803}");

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    CheckGLError("{9B1D6E24-5F03-4C7A-B8E1-2A94C6F0D317}");

    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 nullptr);
    GLint probedWidth = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &probedWidth);
    if (probedWidth == 0)
        throw ESystemRequirements(u"Unsufficient texture memory");

    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_FALSE);
    std::vector<uint8_t> zeros(size_t(width) * size_t(height) * 4, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 zeros.data());
    CheckGLError("{C47A2E80-8D1F-4B35-96E2-7F0A3B5C1D64}");
    return texture;
}

void WriteCell(const TAtlasLayout& layout, TCellPosition position, TPixelView pixels) {
    TPixelOrigin origin = CellImageOrigin(layout, position);
    GMAssert(origin.X + pixels.Width <= layout.AtlasWidth &&
                 origin.Y + pixels.Height <= layout.AtlasHeight,
             Module);
    glTexSubImage2D(GL_TEXTURE_2D, 0, origin.X, origin.Y, pixels.Width, pixels.Height, GL_BGRA,
                    GL_UNSIGNED_BYTE, pixels.Bits);
}

TGenerateMipmapProc GenerateMipmapEntry() {
    return reinterpret_cast<TGenerateMipmapProc>(GLEntryPoint("glGenerateMipmap"));
}

void RebuildMipmaps(TGenerateMipmapProc generate) {
    if (generate) {
        glEnable(GL_TEXTURE_2D);
        generate(GL_TEXTURE_2D);
        return;
    }
    static const uint8_t zeroTexel[4] = {0, 0, 0, 0};
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, zeroTexel);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_FALSE);
}

void EnsureMipmaps(bool& valid, GLuint texture) {
    if (valid)
        return;
    valid = true;
    if (texture != KeepBoundTexture)
        glBindTexture(GL_TEXTURE_2D, texture);
    RebuildMipmaps(GenerateMipmapEntry());
}
