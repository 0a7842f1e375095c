#pragma once
// Where the panels of all open levels stand relative to each other and from where the camera
// looks at each: side by side in columns, or cascaded in depth.
#include "space/LayoutManager.h"

#include <cstdint>

class THighLayoutEnumerator {
public:
    virtual ~THighLayoutEnumerator() = default;

    // Starts a new arrangement; the next PlaceNext puts its panel at the world origin.
    virtual void Reset() = 0;
    // Moves the layout to the next place of the arrangement.
    virtual void PlaceNext(TLayoutManager* layout) = 0;
    // The camera's eye and look-at point for viewing one placed layout.
    virtual void GetCameraPosition(const TLayoutManager& layout, TVector3& p) const = 0;
    virtual void GetCameraTarget(const TLayoutManager& layout, TVector3& p) const = 0;
};

// Panels stacked downwards from y = 0; the panel that crosses MaxColumnHeight still joins the
// current column, the next one starts a new column to the right. Layouts must have computed
// their frame before they are placed, or their width is 0.
class TFlatColumnMajorHLE : public THighLayoutEnumerator {
public:
    explicit TFlatColumnMajorHLE(float maxColumnHeight);

    void Reset() override;
    void PlaceNext(TLayoutManager* layout) override;
    void GetCameraPosition(const TLayoutManager& layout, TVector3& p) const override;
    void GetCameraTarget(const TLayoutManager& layout, TVector3& p) const override;

    int32_t GetPlacedCount() const { return PlacedCount; }

private:
    float MaxColumnHeight;
    int32_t PlacedCount = 0;
    TVector3 Cursor;
};

// Panels cascaded down, right and towards the viewer, each a step from the one before.
class TZStackHLE : public THighLayoutEnumerator {
public:
    void Reset() override;
    void PlaceNext(TLayoutManager* layout) override;
    void GetCameraPosition(const TLayoutManager& layout, TVector3& p) const override;
    void GetCameraTarget(const TLayoutManager& layout, TVector3& p) const override;

    int32_t GetPlacedCount() const { return PlacedCount; }

private:
    int32_t PlacedCount = 0;
    TVector3 Cursor;
};
