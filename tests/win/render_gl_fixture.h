#pragma once
// A current GL context with the texture limit read as start-up reads it, and texture read-back.
#include <gtest/gtest.h>

#include "GLTestContext.h"

#include <vector>

#include "base/BaseDefs.h"

// Level `level` of a texture as one byte per texel (Format GL_ALPHA) or four (GL_BGRA),
// rows bottom-up.
inline std::vector<uint8_t> ReadTexture(GLuint texture, GLenum format, GLint level = 0) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    size_t bytesPerTexel = format == GL_ALPHA ? 1 : 4;
    std::vector<uint8_t> texels(size_t(width) * size_t(height) * bytesPerTexel);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

class TRenderGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Context.Ready());
        GLint size = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
        MaxTextureSize = size;
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    TGLTestContext Context;
};
