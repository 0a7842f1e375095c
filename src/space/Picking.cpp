#include "space/Picking.h"

#include <windows.h>

#include "space/ScenePerspective.h"
#include "space/SelectionHits.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cstdlib>

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

namespace {

// Draws the named objects through a pick region of width x height window pixels centred on
// (x, y) into buffer; the number of hit records.
int32_t SelectThrough(double x, double y, double width, double height, int32_t clientHeight,
                      const TViewport& viewport, const TPickDrawProc& draw, uint32_t flags,
                      std::span<uint32_t> buffer) {
    TSelectionMode selection(buffer.data(), static_cast<int32_t>(buffer.size()));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLint pickViewport[4] = {viewport.X, viewport.Y, viewport.Width, viewport.Height};
    gluPickMatrix(x, clientHeight - y, width, height, pickViewport);
    MultScenePerspective(viewport.Width, viewport.Height);
    glInitNames();
    draw(flags);
    return selection.End();
}

bool CanPick(int32_t clientHeight, const TViewport& viewport) {
    return clientHeight > 0 && viewport.Height > 0;
}

} // namespace

std::optional<uint32_t> PickAt(int32_t x, int32_t y, int32_t clientHeight,
                               const TViewport& viewport, const TPickDrawProc& draw,
                               uint32_t flags) {
    if (!CanPick(clientHeight, viewport))
        return std::nullopt;
    std::array<GLuint, SelectionBufferSize> buffer{};
    const int32_t hits = SelectThrough(x, y, PickRegionSize, PickRegionSize, clientHeight, viewport,
                                       draw, flags, buffer);
    return NearestHitName(buffer, hits);
}

std::vector<uint32_t> PickInRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                      int32_t clientHeight, const TViewport& viewport,
                                      const TPickDrawProc& draw, uint32_t flags,
                                      int32_t expectedNames) {
    if (!CanPick(clientHeight, viewport))
        return {};
    std::vector<uint32_t> buffer(static_cast<size_t>(expectedNames) * OneNameRecordWords);
    const int32_t hits =
        SelectThrough((x0 + x1) / 2, (y0 + y1) / 2, std::max(1, std::abs(x0 - x1)),
                      std::max(1, std::abs(y0 - y1)), clientHeight, viewport, draw, flags, buffer);
    return HitNames(buffer, hits);
}
