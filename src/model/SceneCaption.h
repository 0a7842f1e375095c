#pragma once
// A caption of the scene as the folder model sees it: something it places along a lattice's
// axes. The drawing layer makes and draws the real ones.
#include "space/VectorMath.h"

class TSceneCaption {
public:
    virtual ~TSceneCaption() = default;
    // Spans the caption from Anchor along the axes U and V.
    virtual void Place(const TVector3& anchor, const TVector3& u, const TVector3& v) = 0;
    virtual TQuad GetCorners() const = 0;
    virtual void SetCorners(const TQuad& corners) = 0;
};
