#pragma once
// The lattice of one level: the items of one page in two columns, column-major (item i sits in
// column i / ColumnLength at row i % ColumnLength, row 0 at the top), with the level's captions
// and frame around them. Per page it remembers whether the captions must be placed again.
#include "space/LayoutManager.h"

#include <vector>

class TRectangularLattice : public TLayoutManager {
public:
    // World units.
    static constexpr float ColumnPitch = 0.76f;
    static constexpr float RowPitch = 0.106f;
    static constexpr float IconOffsetU = 0.165f;
    static constexpr float IconOffsetV = 0.1f;
    static constexpr float IconSize = 0.1f;
    static constexpr float HeightMargin = 0.318f;
    static constexpr float FrameLift = 0.002f;

    // Directions of Neighbour.
    static constexpr int32_t PreviousColumn = 0;
    static constexpr int32_t NextColumn = 1;
    static constexpr int32_t RowUp = 2;
    static constexpr int32_t RowDown = 3;

    TRectangularLattice(const TVector3& origin, int32_t itemCount, int32_t pageCount);

    void GetCenter(TVector3& p) const override;
    void GetTopCenter(TVector3& p) const override;
    void SetItemCount(int32_t count, int32_t pageCount) override;
    void InvalidatePages() override;
    void RotateAroundX(float angle) override;
    void RotateAroundY(float angle) override;
    void RotateAroundU(float angle) override;
    void RotateAroundV(float angle) override;
    void TranslateX(float d) override;
    void TranslateY(float d) override;
    void TranslateZ(float d) override;
    void GetIconQuad(int32_t i, TQuad& q) const override;
    // Not supported by flat lattices: fails an assertion.
    void GetFacingIconQuad(int32_t i, TQuad& q) const override;
    void GetTitleAnchor(TVector3& p) const override;
    void GetPageCaptionAnchor(TVector3& p) const override;
    void GetTopRightCaptionAnchor(TVector3& p) const override;
    void GetBottomCaptionAnchor(TVector3& p) const override;
    // Just right of the item's icon.
    void GetItemCaptionAnchor(int32_t i, TVector3& p) const override;
    // Moves the lattice; Center stays until the next ComputeFrame.
    void SetOrigin(const TVector3& p) override;
    bool TakePageChanged(int32_t page) override;
    float GetHeight() const override;
    // The frame width from the last ComputeFrame; 0 before it.
    float GetWidth() const override;
    // Default axes and the origin last set by creation, SetOrigin or a translation.
    void ResetOrientation() override;

    // The panel frame in strip order; also updates Width, Center and TopCenter.
    void ComputeFrame(TQuad& f);
    // The item reached from item i by one keyboard move; stays on i at the lattice's edges and
    // lands on the last item when the move enters the empty tail of the second column.
    int32_t Neighbour(int32_t i, int32_t direction) const;

    int32_t GetColumnLength() const { return ColumnLength; }
    int32_t GetColumnCount() const { return ColumnCount; }
    int32_t GetPageCount() const { return PageCount; }

private:
    // Rows per column used for placing; at least 1.
    int32_t Rows() const;
    // Cell origin C(i) and icon corner I(i) (bottom-left of the icon quad).
    void CellOrigin(int32_t i, TVector3& c) const;
    void IconCorner(int32_t i, TVector3& p) const;
    void Normal(TVector3& n) const;
    // Turns the axes (except the one turned about) and the offset of Origin from Center.
    void Rotate(const TVector3& axis, float angle, bool turnU, bool turnV);
    void Translate(float TVector3::*component, float d);

    std::vector<uint8_t> PageChanged;
    TVector3 Center;
    TVector3 TopCenter;
    int32_t ColumnCount = 2;
    int32_t ColumnLength = 0;
    int32_t PageCount = 0;
    TVector3 HomeOrigin;
    float Width = 0;
};
