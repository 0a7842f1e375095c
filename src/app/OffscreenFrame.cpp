#include "app/OffscreenFrame.h"

#include <GL/glext.h>

#include "base/BaseDefsWin.h"

namespace {

// GL_EXT_framebuffer_object's entry points of the current context.
struct TFramebufferEntries {
    PFNGLGENFRAMEBUFFERSEXTPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSEXTPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC BindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSEXTPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSEXTPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFEREXTPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEEXTPROC RenderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC CheckFramebufferStatus = nullptr;

    bool Complete() const {
        return GenFramebuffers && DeleteFramebuffers && BindFramebuffer && GenRenderbuffers &&
               DeleteRenderbuffers && BindRenderbuffer && RenderbufferStorage &&
               FramebufferRenderbuffer && CheckFramebufferStatus;
    }
};

template <class T> void Load(T& entry, const char* name) {
    entry = reinterpret_cast<T>(GLEntryPoint(name));
}

TFramebufferEntries LoadEntries() {
    TFramebufferEntries gl;
    if (!GLLoaderFlags.HasFramebufferObject)
        return gl;
    Load(gl.GenFramebuffers, "glGenFramebuffersEXT");
    Load(gl.DeleteFramebuffers, "glDeleteFramebuffersEXT");
    Load(gl.BindFramebuffer, "glBindFramebufferEXT");
    Load(gl.GenRenderbuffers, "glGenRenderbuffersEXT");
    Load(gl.DeleteRenderbuffers, "glDeleteRenderbuffersEXT");
    Load(gl.BindRenderbuffer, "glBindRenderbufferEXT");
    Load(gl.RenderbufferStorage, "glRenderbufferStorageEXT");
    Load(gl.FramebufferRenderbuffer, "glFramebufferRenderbufferEXT");
    Load(gl.CheckFramebufferStatus, "glCheckFramebufferStatusEXT");
    return gl;
}

// One table for the one context the program has.
const TFramebufferEntries& Entries() {
    static const TFramebufferEntries entries = LoadEntries();
    return entries;
}

} // namespace

bool TOffscreenFrame::Supported() {
    return Entries().Complete();
}

TOffscreenFrame::TOffscreenFrame() {
    // The depth precision the pixel format gave the window's own framebuffer, so the scene
    // looks as it would drawn there.
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    FDepthFormat = depthBits > 16 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16;
    Entries().GenFramebuffers(1, &FFramebuffer);
}

TOffscreenFrame::~TOffscreenFrame() {
    Release();
    Entries().DeleteFramebuffers(1, &FFramebuffer);
}

void TOffscreenFrame::Release() {
    const TFramebufferEntries& gl = Entries();
    if (FColour)
        gl.DeleteRenderbuffers(1, &FColour);
    if (FDepth)
        gl.DeleteRenderbuffers(1, &FDepth);
    FColour = FDepth = 0;
    FWidth = FHeight = 0;
    FComplete = false;
}

void TOffscreenFrame::Allocate(int32_t width, int32_t height) {
    const TFramebufferEntries& gl = Entries();
    Release();
    gl.BindFramebuffer(GL_FRAMEBUFFER_EXT, FFramebuffer);
    gl.GenRenderbuffers(1, &FColour);
    gl.BindRenderbuffer(GL_RENDERBUFFER_EXT, FColour);
    gl.RenderbufferStorage(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                               FColour);
    gl.GenRenderbuffers(1, &FDepth);
    gl.BindRenderbuffer(GL_RENDERBUFFER_EXT, FDepth);
    gl.RenderbufferStorage(GL_RENDERBUFFER_EXT, FDepthFormat, width, height);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                               FDepth);
    gl.BindRenderbuffer(GL_RENDERBUFFER_EXT, 0);
    FComplete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    // A refused size leaves no error behind for the next CheckGLError to find.
    while (glGetError() != GL_NO_ERROR) {
    }
    FWidth = width;
    FHeight = height;
    FPixels.SetSize(width, height);
}

bool TOffscreenFrame::Begin(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0)
        return false;
    if (width != FWidth || height != FHeight)
        Allocate(width, height);
    if (!FComplete || !FPixels.Bits()) {
        Entries().BindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
        return false;
    }
    Entries().BindFramebuffer(GL_FRAMEBUFFER_EXT, FFramebuffer);
    return true;
}

void TOffscreenFrame::Finish() {
    // The bitmap is bottom-up, as glReadPixels writes rows.
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, FWidth, FHeight, GL_BGRA, GL_UNSIGNED_BYTE, FPixels.Bits());
    Entries().BindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
}

void TOffscreenFrame::Paint(HDC dc) const {
    if (FPixels.Bits())
        BitBlt(dc, 0, 0, FWidth, FHeight, FPixels.DC(), 0, 0, SRCCOPY);
}
