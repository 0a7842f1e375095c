#pragma once
// Where the tiles, captions and frame of one level stand: the base of the level lattices.
// A panel lies in the plane through Origin spanned by the unit axes U (right) and V (up);
// N = U x V points towards the default camera.
#include "space/VectorMath.h"

#include <cstdint>

class TLayoutManager {
public:
    TLayoutManager(const TVector3& origin, int32_t itemCount);
    virtual ~TLayoutManager() = default;
    TLayoutManager(const TLayoutManager&) = delete;
    TLayoutManager& operator=(const TLayoutManager&) = delete;

    virtual void GetCenter(TVector3& p) const = 0;
    virtual void GetTopCenter(TVector3& p) const = 0;
    virtual void SetItemCount(int32_t count, int32_t pageCount);
    // Marks the captions of every page as needing to be placed again.
    virtual void InvalidatePages() = 0;
    // Rotations turn the panel about its Center.
    virtual void RotateAroundX(float angle) = 0;
    virtual void RotateAroundY(float angle) = 0;
    virtual void RotateAroundU(float angle) = 0;
    virtual void RotateAroundV(float angle) = 0;
    virtual void TranslateX(float d) = 0;
    virtual void TranslateY(float d) = 0;
    virtual void TranslateZ(float d) = 0;
    // Strip order: bottom-left, bottom-right, top-left, top-right.
    virtual void GetIconQuad(int32_t i, TQuad& q) const = 0;
    // An icon quad turned towards the viewer.
    virtual void GetFacingIconQuad(int32_t i, TQuad& q) const = 0;
    virtual void GetTitleAnchor(TVector3& p) const = 0;
    virtual void GetPageCaptionAnchor(TVector3& p) const = 0;
    virtual void GetTopRightCaptionAnchor(TVector3& p) const = 0;
    virtual void GetBottomCaptionAnchor(TVector3& p) const = 0;
    virtual void GetItemCaptionAnchor(int32_t i, TVector3& p) const = 0;
    virtual void GetOrigin(TVector3& p) const;
    virtual void SetOrigin(const TVector3& p) = 0;
    // Whether the page's captions must be placed again; clears the mark.
    virtual bool TakePageChanged(int32_t page) = 0;
    virtual float GetHeight() const = 0;
    virtual float GetWidth() const = 0;
    // Back to the default axes.
    virtual void ResetOrientation();

    void GetAxes(TVector3& u, TVector3& v) const;
    int32_t GetItemCount() const { return ItemCount; }

protected:
    TVector3 Origin;
    TVector3 AxisU{1, 0, 0};
    TVector3 AxisV{0, 1, 0};
    int32_t ItemCount = 0;
};
