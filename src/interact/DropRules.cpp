#include "interact/DropRules.h"

TDropDecision DecideDrop(uint32_t keys, uint32_t allowed, bool hasTarget) {
    const bool control = (keys & DropKeyControl) != 0;
    const bool shift = (keys & DropKeyShift) != 0;
    TDropDecision decision;
    uint32_t asked = DropEffectNone;
    if (control && shift) {
        decision.Operation = TDropOperation::Shortcut;
        asked = allowed & DropEffectLink;
    } else if (control) {
        decision.Operation = TDropOperation::Copy;
        asked = allowed & DropEffectCopy;
    } else if (shift) {
        asked = allowed & DropEffectMove;
    }
    if (!hasTarget)
        return decision;
    if (asked == DropEffectNone) {
        if (allowed & DropEffectMove)
            asked = DropEffectMove;
        else if (allowed & DropEffectCopy)
            asked = DropEffectCopy;
    }
    decision.Effect = asked;
    return decision;
}

TDropDecision DecideRecycleDrop(uint32_t allowed) {
    return TDropDecision{TDropOperation::Move, allowed & DropEffectMove};
}

std::u16string PhantomOperationLine(const std::u16string& word) {
    return word + u" ";
}

std::u16string PhantomTargetLine(const std::u16string& to, const std::u16string& target) {
    return to + u" " + target + u" ";
}

int32_t ClampPhantomX(int32_t x, int32_t labelWidth, int32_t viewportWidth) {
    if (x + labelWidth > viewportWidth - PhantomRightMargin)
        x = viewportWidth - labelWidth - PhantomRightMargin;
    return x < 0 ? 0 : x;
}
