// Drawing of the levels into the scene, and the same drawing under selection names for picking.
#include <windows.h>
#include <GL/gl.h>

#include "base/Errors.h"
#include "model/LevelsScene.h"
#include "render/PassState.h"
#include "render/SelectionNames.h"

namespace {

const char* const Module = "FileCollections";

constexpr float SelectionFrameGap = 0.004f;

void UseAlphaBlend() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

} // namespace

void DrawItemIcon(const TFSEView& item, uint32_t pass) {
    if (!item.Visible())
        return;
    const bool picking = (pass & PassItems) != 0;
    if (picking)
        glPushName(SelectionNameOf(&item));
    const TItemIcon icon = item.Icon();
    const TQuad& c = item.Corners();
    glColor3f(0.9f, 0.9f, 0.9f);
    glBegin(GL_QUADS);
    const TTexCoords& t = icon.Coords;
    glTexCoord2f(t.U0, t.V0);
    glVertex3f(c[0].x, c[0].y, c[0].z);
    glTexCoord2f(t.U1, t.V0);
    glVertex3f(c[1].x, c[1].y, c[1].z);
    glTexCoord2f(t.U1, t.V1);
    glVertex3f(c[3].x, c[3].y, c[3].z);
    glTexCoord2f(t.U0, t.V1);
    glVertex3f(c[2].x, c[2].y, c[2].z);
    glEnd();
    if (picking)
        glPopName();
}

void DrawItemSelectionFrame(const TFSEView& item) {
    const TQuad& c = item.Corners();
    TVector3 p1 = c[2];
    MoveAwayFrom(p1, c[0], SelectionFrameGap);
    p1.x -= SelectionFrameGap;
    TVector3 p2 = c[0];
    MoveAwayFrom(p2, c[2], SelectionFrameGap);
    p2.x -= SelectionFrameGap;
    TVector3 p3 = c[1];
    MoveAwayFrom(p3, c[3], SelectionFrameGap);
    p3.x += SelectionFrameGap;
    TVector3 p4 = c[3];
    MoveAwayFrom(p4, c[1], SelectionFrameGap);
    p4.x += SelectionFrameGap;
    glColor3f(0, 1, 0);
    glBegin(GL_QUADS);
    for (const TVector3* p : {&p1, &p2, &p3, &p4})
        glVertex3f(p->x, p->y, p->z);
    glEnd();
}

void DrawAxesMarker() {
    glLineWidth(1);
    glBegin(GL_LINES);
    glColor3b(127, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0.1f, 0, 0);
    glColor3b(0, 127, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0.1f, 0);
    glColor3b(0, 0, 127);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 0.1f);
    glEnd();
}

int32_t TLevelsScene::LastDrawnIndex(bool all) const {
    const int32_t last = FLevels->ViewCount() - 1;
    if (all || !FLevels->Stacked() || !FLevels->Marked())
        return last;
    const int32_t marked = FLevels->IndexOf(FLevels->Marked());
    return marked < 0 ? last : marked;
}

void TLevelsScene::Render(uint32_t pass, bool shiftHeld) {
    TLevelsCollection& levels = *FLevels;
    if (pass == PassFill)
        return;
    BeginScenePass();
    TFolderView* current = levels.Current();
    TFolderView* marked = levels.Marked();
    if (pass & PassBandReplace) {
        for (int32_t i = LastDrawnIndex(false); i >= 0; --i)
            levels.ViewAt(i)->ClearSelection();
        if (current)
            RenderView(*current, pass, TViewState::Current);
        return;
    }
    if (pass & PassBandToggle) {
        if (current)
            RenderView(*current, pass, TViewState::Current);
        return;
    }
    if (pass & PassLevels) {
        const bool all = FAllWithShift && shiftHeld;
        const int32_t last = LastDrawnIndex(all);
        for (int32_t i = last; i >= 0; --i)
            RenderView(*levels.ViewAt(i), pass, TViewState::Other);
        if (marked)
            RenderView(*marked, PassLevels, TViewState::Marked);
        DrawSortCaptions(last, pass);
        return;
    }
    if (pass & (PassMarkedA | PassMarkedB)) {
        if (marked) {
            RenderView(*marked, pass, TViewState::Other);
            if (auto* caption = RenderCaption<TLevelTextureCaption>(marked->LevelCaption())) {
                glEnable(GL_TEXTURE_2D);
                glBindTexture(GL_TEXTURE_2D, FLevelCaptionAtlas->Texture());
                caption->Draw(pass);
            }
        }
        return;
    }
    const int32_t last = LastDrawnIndex(false);
    for (int32_t i = last; i >= 0; --i) {
        TFolderView* view = levels.ViewAt(i);
        const TViewState state = view == current
                                     ? TViewState::Current
                                     : (view == marked ? TViewState::Marked : TViewState::Other);
        RenderView(*view, pass, state);
    }
    DrawLevelCaptions(last, pass);
    DrawSortCaptions(last, pass);
}

void TLevelsScene::DrawLevelCaptions(int32_t lastDrawn, uint32_t pass) {
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, FLevelCaptionAtlas->Texture());
    FLevelCaptionAtlas->EnsureMipmaps();
    for (int32_t i = lastDrawn; i >= 0; --i)
        if (auto* caption = RenderCaption<TLevelTextureCaption>(FLevels->ViewAt(i)->LevelCaption()))
            if (caption->Placed())
                caption->Draw(pass);
}

void TLevelsScene::DrawSortCaptions(int32_t lastDrawn, uint32_t pass) {
    (void)pass; // sort captions always carry their own names
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, FSortCaptionAtlas->Texture());
    FSortCaptionAtlas->EnsureMipmaps();
    for (int32_t i = lastDrawn; i >= 0; --i) {
        TFolderView* view = FLevels->ViewAt(i);
        for (TSceneCaption* scene : {view->SortCaptionLow(), view->SortCaptionHigh()})
            if (auto* caption = RenderCaption<TLevelSortCaption>(scene))
                if (caption->Placed())
                    caption->Draw();
    }
}

void TLevelsScene::RenderView(TFolderView& view, uint32_t pass, TViewState state) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    if (FCamera)
        FCamera->Apply();
    if (pass == PassFill || pass == PassLevels) {
        view.PlaceCaptions(view.CurrentPage());
        DrawFrame(view, state, pass);
        return;
    }
    if (pass & (PassItems | PassMarkedB | PassFrame | PassBandReplace | PassBandToggle)) {
        view.PlaceCaptions(view.CurrentPage());
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.1f);
        UseAlphaBlend();
        DrawFrame(view, state, pass);
        glPolygonMode(GL_FRONT, GL_LINE);
        glPolygonMode(GL_BACK, GL_POINT);
        int32_t first = 0;
        int32_t last = -1;
        view.PageRange(view.CurrentPage(), first, last);
        for (int32_t i = first; i <= last; ++i)
            if (view.ItemAt(i)->Selected())
                DrawItemSelectionFrame(*view.ItemAt(i));
        glPolygonMode(GL_FRONT, GL_FILL);
        glPolygonMode(GL_BACK, GL_POINT);
        DrawAxesMarker();
        glEnable(GL_TEXTURE_2D);
        DrawItems(view, pass);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_ALPHA_TEST);
        DrawFrame(view, TViewState::Other, PassFill);
        return;
    }
    GMAssert(false, Module);
}

void TLevelsScene::DrawItems(TFolderView& view, uint32_t pass) {
    const int32_t page = view.CurrentPage();
    const TPageInfo* info = view.Page(page);
    if (page >= view.PageCount() || info == nullptr || !info->Texture)
        return;
    auto& texture = static_cast<TWinPageTexture&>(*info->Texture);
    glBindTexture(GL_TEXTURE_2D, texture.Atlas().Texture());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    texture.Atlas().EnsureMipmaps();
    DrawPageCaption(view);
    int32_t first = 0;
    int32_t last = -1;
    view.PageRange(page, first, last);
    glColor4f(1, 1, 1, 0);
    for (int32_t i = first; i <= last; ++i) {
        const TFSEView& item = *view.ItemAt(i);
        if (auto* caption = RenderCaption<TFSETextureCaption>(item.Caption()))
            if (caption->Placed())
                caption->Draw(pass);
    }
    int32_t bound = -1;
    for (int32_t i = first; i <= last; ++i) {
        const TFSEView& item = *view.ItemAt(i);
        const int32_t atlas = item.Icon().Texture;
        if (atlas < 0)
            continue; // not known yet: nothing to draw it with
        if (atlas != bound) {
            FIcons->BindIconAtlas(atlas);
            bound = atlas;
        }
        DrawItemIcon(item, pass);
    }
}

void TLevelsScene::DrawPageCaption(TFolderView& view) {
    const TPageInfo* info = view.Page(view.CurrentPage());
    if (view.CurrentPage() >= view.PageCount() || info == nullptr)
        return;
    auto* caption = RenderCaption<TPageTextureCaption>(info->Caption.get());
    if (caption == nullptr || !caption->Placed())
        return;
    glColor3f(0.8f, 0.8f, 1.0f);
    caption->Draw();
}

void TLevelsScene::DrawFrame(TFolderView& view, TViewState state, uint32_t pass) {
    const bool picking = (pass & PassLevels) != 0;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_1D);
    if (state == TViewState::Current)
        glColor4b(0, 127, 0, 127);
    else
        glColor4b(110, 115, 110, 127);
    glLineWidth(state == TViewState::Current || state == TViewState::Marked ? 2.0f : 0.1f);
    const bool fill = pass == PassFill;
    // The hover pick finds a level anywhere on its panel, not only on its outline: a pointer
    // inside a level keeps it marked, and the release of a click on its tiles picks them there.
    if (!fill)
        glPolygonMode(GL_FRONT_AND_BACK, pass == PassLevels ? GL_FILL : GL_LINE);
    else
        glColor4b(80, 80, 80, 1);
    // The fill is all but invisible and lies a hair behind the captions, closer than a 16-bit
    // depth buffer tells apart: it must not hide the captions drawn after it.
    if (fill)
        glDepthMask(GL_FALSE);
    glEnable(GL_LINE_SMOOTH);
    UseAlphaBlend();
    if (picking)
        glPushName(SelectionNameOf(&view));
    const TQuad& f = view.Frame();
    glBegin(GL_QUADS);
    glVertex3f(f[0].x, f[0].y, f[0].z);
    glVertex3f(f[1].x, f[1].y, f[1].z);
    glVertex3f(f[3].x, f[3].y, f[3].z);
    glVertex3f(f[2].x, f[2].y, f[2].z);
    glEnd();
    glLineWidth(0.1f);
    if (fill)
        glDepthMask(GL_TRUE);
    if (picking)
        glPopName();
}
