#pragma once
// The main window's client area split into viewports (the Explorer strip and the scene), with
// the conversions between OpenGL coordinates (origin bottom-left) and window coordinates
// (origin top-left).
#include <cstdint>
#include <vector>

// OpenGL convention: origin at the bottom-left of the client area.
struct TViewport {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

// Window convention: origin at the top-left of the client area.
struct TViewportRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

class TViewportManager2 {
public:
    // clientHeight is the main window's live client height, read on every conversion.
    explicit TViewportManager2(const int32_t& clientHeight);

    // Returns the new viewport's index. The arrays grow four entries beyond what is needed.
    int32_t Add(const TViewport& v);
    // Every indexed operation asserts 0 <= i < Count.
    void SetViewport(int32_t i, const TViewport& v);
    void SetSize(int32_t i, int32_t width, int32_t height);
    void GetViewport(int32_t i, TViewport& v) const;
    void GetRect(int32_t i, TViewportRect& r) const;
    // Window pixel (x, y) in the coordinates of viewport i.
    void WindowToViewport(int32_t i, int32_t x, int32_t y, int32_t& vx, int32_t& vy) const;
    // The first viewport whose rectangle holds (x, y), bounds inclusive; -1 if none.
    int32_t HitTest(int32_t x, int32_t y) const;

    int32_t Count() const { return FCount; }
    // Entries allocated in the arrays (at least Count).
    int32_t Capacity() const { return int32_t(ViewportList.size()); }

private:
    void CheckIndex(int32_t i) const;
    void UpdateRect(int32_t i);

    const int32_t& ClientHeight;
    std::vector<TViewport> ViewportList;
    std::vector<TViewportRect> Rects;
    int32_t FCount = 0;
};
