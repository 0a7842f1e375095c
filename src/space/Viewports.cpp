#include "space/Viewports.h"

#include "base/Errors.h"

TViewportManager2::TViewportManager2(const int32_t& clientHeight) : ClientHeight(clientHeight) {}

int32_t TViewportManager2::Add(const TViewport& v) {
    ++FCount;
    if (Capacity() < FCount) {
        ViewportList.resize(FCount + 4);
        Rects.resize(FCount + 4);
    }
    const int32_t index = FCount - 1;
    SetViewport(index, v);
    return index;
}

void TViewportManager2::SetViewport(int32_t i, const TViewport& v) {
    CheckIndex(i);
    ViewportList[i] = v;
    UpdateRect(i);
}

void TViewportManager2::SetSize(int32_t i, int32_t width, int32_t height) {
    CheckIndex(i);
    ViewportList[i].Width = width;
    ViewportList[i].Height = height;
    UpdateRect(i);
}

void TViewportManager2::GetViewport(int32_t i, TViewport& v) const {
    CheckIndex(i);
    v = ViewportList[i];
}

void TViewportManager2::GetRect(int32_t i, TViewportRect& r) const {
    CheckIndex(i);
    r = Rects[i];
}

void TViewportManager2::WindowToViewport(int32_t i, int32_t x, int32_t y, int32_t& vx,
                                         int32_t& vy) const {
    CheckIndex(i);
    vx = x - ViewportList[i].X;
    vy = ClientHeight - y - ViewportList[i].Y;
}

int32_t TViewportManager2::HitTest(int32_t x, int32_t y) const {
    for (int32_t i = 0; i < FCount; ++i) {
        const TViewportRect& r = Rects[i];
        if (r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom)
            return i;
    }
    return -1;
}

void TViewportManager2::CheckIndex(int32_t i) const {
    GMAssert(i >= 0 && i < FCount, "Viewports");
}

void TViewportManager2::UpdateRect(int32_t i) {
    const TViewport& v = ViewportList[i];
    TViewportRect& r = Rects[i];
    r.Left = v.X;
    r.Bottom = ClientHeight - v.Y;
    r.Right = r.Left + v.Width;
    r.Top = r.Bottom - v.Height;
}
