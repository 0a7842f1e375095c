#include "interact/DragDropPhantom.h"

#include "render/BitmapAlpha.h"
#include "render/BitmapRaster.h"
#include "render/CaptionsFormatting.h"
#include "services/LocalizedStrings.h"

namespace {
// A long target path is cut into slices of this many characters, this many lines in all.
constexpr int32_t PhantomMaxChars = 40;
constexpr int32_t PhantomMaxLines = 5;

const std::u16string& OperationWord(TDropOperation operation) {
    switch (operation) {
    case TDropOperation::Copy:
        return sCopy;
    case TDropOperation::Shortcut:
        return sShortcut;
    case TDropOperation::Move:
        break;
    }
    return sMove;
}
} // namespace

void TDragDropPhantom::Redraw(const TPhantomState& state) {
    TLines lines;
    const std::u16string operation = PhantomOperationLine(OperationWord(state.Operation));
    const std::u16string target = PhantomTargetLine(sTo, state.Target);
    FText = operation + target;
    lines.Add(operation);
    lines.Add(target);
    int32_t width = 0;
    int32_t height = 0;
    FormatLinesToBitmap(lines, PhantomMaxChars, PhantomMaxLines, 0, ColourWhite, FBitmap, width,
                        height);
    SetUniformAlpha(FBitmap);
}

void TDragDropPhantom::MoveTo(int32_t x, int32_t y, int32_t viewportWidth) {
    FX = ClampPhantomX(x, FBitmap.Width(), viewportWidth);
    FY = y;
}

void TDragDropPhantom::Draw() const {
    DrawBitmapPixels(FBitmap, FX, FY);
}
