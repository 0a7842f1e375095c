#pragma once
// Which named objects of the scene lie under a window point or a rectangle: the scene is drawn
// again in OpenGL selection mode through a pick region (Windows layer).
#include "space/Viewports.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// OpenGL selection mode into a buffer for the scope: normal rendering comes back even when the
// drawing throws, so later frames are not swallowed by selection mode.
class TSelectionMode {
public:
    TSelectionMode(uint32_t* buffer, int32_t size);
    ~TSelectionMode();
    TSelectionMode(const TSelectionMode&) = delete;
    TSelectionMode& operator=(const TSelectionMode&) = delete;
    // Back to rendering; the number of hit records (negative when the buffer overflowed).
    int32_t End();

private:
    bool FActive = true;
};

// Draws the pickable objects, each under its selection name, for the given pass flags.
using TPickDrawProc = std::function<void(uint32_t flags)>;

// (x, y) in window pixels of a client area clientHeight pixels high; viewport is the scene
// viewport (OpenGL convention), whose size gives the perspective's aspect. Leaves the
// projection matrix current with the pick region loaded. Returns the first name of the nearest
// named hit, none over empty space or while the client area has no height.
std::optional<uint32_t> PickAt(int32_t x, int32_t y, int32_t clientHeight,
                               const TViewport& viewport, const TPickDrawProc& draw,
                               uint32_t flags);

// Every name drawn inside the rectangle with corners (x0, y0) and (x1, y1), in window pixels as
// for PickAt, at least one pixel wide and high. The buffer holds expectedNames records of one
// name; the records beyond are dropped.
std::vector<uint32_t> PickInRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                      int32_t clientHeight, const TViewport& viewport,
                                      const TPickDrawProc& draw, uint32_t flags,
                                      int32_t expectedNames);
