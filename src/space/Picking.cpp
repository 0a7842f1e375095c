#include "space/Picking.h"

#include <windows.h>

#include "space/ScenePerspective.h"
#include "space/SelectionHits.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

namespace {

constexpr GLsizei SelectionBufferSize = 64;
constexpr double PickRegionSize = 2.0;

} // namespace

TSelectionMode::TSelectionMode(uint32_t* buffer, int32_t size) {
    glSelectBuffer(size, buffer);
    glRenderMode(GL_SELECT);
}

TSelectionMode::~TSelectionMode() {
    if (FActive)
        glRenderMode(GL_RENDER);
}

int32_t TSelectionMode::End() {
    FActive = false;
    return glRenderMode(GL_RENDER);
}

std::optional<uint32_t> PickAt(int32_t x, int32_t y, int32_t clientHeight,
                               const TViewport& viewport, const TPickDrawProc& draw,
                               uint32_t flags) {
    if (clientHeight <= 0 || viewport.Height <= 0)
        return std::nullopt;
    std::array<GLuint, SelectionBufferSize> buffer{};
    TSelectionMode selection(buffer.data(), SelectionBufferSize);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLint pickViewport[4] = {viewport.X, viewport.Y, viewport.Width, viewport.Height};
    gluPickMatrix(x, clientHeight - y, PickRegionSize, PickRegionSize, pickViewport);
    MultScenePerspective(viewport.Width, viewport.Height);

    glInitNames();
    draw(flags);
    const GLint hits = selection.End();
    return NearestHitName(buffer, hits);
}
