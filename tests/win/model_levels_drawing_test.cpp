#include "model_levels_fixture.h"
#include "PumpMessages.h"
#include "base/BaseDefsWin.h"
#include "base/WinString.h"
#include "services/IDListWin.h"
#include "render/SelectionNames.h"
#include "space/Picking.h"
#include "space/ScenePerspective.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TProcessCounts {
    double Handles = 0;
    double GdiObjects = 0;
    double UserObjects = 0;
};

TProcessCounts ProcessCounts() {
    return TProcessCounts{double(OpenKernelHandleCount()),
                          double(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
                          double(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))};
}

class LevelsDrawing : public LevelsSceneTest {
protected:
    bool IconWorkRunning() {
        for (int32_t i = 0; i < Levels().ViewCount(); ++i) {
            TFolderView* view = Levels().ViewAt(i);
            const TPageInfo* page = view->Page(view->CurrentPage());
            if (page && page->IconJob && page->IconJob->Running())
                return true;
        }
        return false;
    }

    TFolderView* OpenFolderWithFiles(int count) {
        for (int i = 0; i < count; ++i) {
            const std::wstring name = L"item" + std::to_wstring(100 + i) + L".txt";
            TTempFolder::WriteFileBytes(Folder / name, "x", 1);
        }
        TOwnedIDList list = Shell.ParseName(FromWide(Folder.Path()));
        if (!list)
            return nullptr;
        return Levels().OpenOrActivate(list.Get(), TOpenFlight::NoFlight);
    }

    // Where a scene point shows in window pixels (y down).
    POINT ScreenPoint(const TVector3& p) {
        LoadScenePerspective(Size, Size);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        Camera.Apply();
        GLdouble model[16];
        GLdouble projection[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        const GLint viewport[4] = {0, 0, Size, Size};
        GLdouble x = 0, y = 0, z = 0;
        gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
        return POINT{static_cast<LONG>(x), static_cast<LONG>(Size - y)};
    }

    static TVector3 Middle(const TFSEView& item) {
        const TQuad& c = item.Corners();
        return TVector3{(c[0].x + c[3].x) / 2, (c[0].y + c[3].y) / 2, (c[0].z + c[3].z) / 2};
    }

    TFSEView* PickItem(POINT at) {
        const TPickDrawProc draw = [this](uint32_t flags) { Scene->Render(flags); };
        const std::optional<uint32_t> name =
            PickAt(at.x, at.y, Size, TViewport{0, 0, Size, Size}, draw, PassLevels | 0x180);
        return name ? ObjectOfSelectionName<TFSEView>(*name) : nullptr;
    }
};

} // namespace

TEST_F(LevelsDrawing, CaptionHeightsAreMeasuredFromTheProbes) {
    EXPECT_GT(Scene->ItemCaptionHeight(), 0);
    EXPECT_GT(Scene->LevelCaptionHeight(), Scene->ItemCaptionHeight());
    EXPECT_EQ(Scene->SortCaptionHeight(), Scene->ItemCaptionHeight());
}

TEST_F(LevelsDrawing, PickingATileByItsScreenPositionGivesItsItem) {
    TFolderView* view = OpenFolderWithFiles(12);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Count(), 12);
    Levels().PlaceCamera(view);
    Scene->Render(PassFrame);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    for (int32_t index : {0, 3, 11}) {
        TFSEView* item = view->ItemAt(index);
        EXPECT_EQ(PickItem(ScreenPoint(Middle(*item))), item) << index;
    }
    // Far off to the side there is no tile.
    EXPECT_EQ(PickItem(POINT{2, 2}), nullptr);
}

// Counts pixels of a caption's quad that show text (bright on the cleared black).
TEST_F(LevelsDrawing, SortCaptionsAtBothEndsShowAboveThePanelFill) {
    Levels().OpenOrActivate(Levels().DrivesIDList(), TOpenFlight::NoFlight);
    TFolderView* view = OpenFolderWithFiles(3);
    ASSERT_NE(view, nullptr);
    Levels().PlaceCamera(view);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadScenePerspective(Size, Size);
    Scene->Render(PassFrame);
    glFinish();
    for (TSceneCaption* scene : {view->SortCaptionLow(), view->SortCaptionHigh()}) {
        const TLevelSortCaption* caption = RenderCaption<TLevelSortCaption>(scene);
        ASSERT_NE(caption, nullptr);
        const POINT a = ScreenPoint(caption->Corners()[0]);
        const POINT b = ScreenPoint(caption->Corners()[2]);
        const LONG left = std::min(a.x, b.x), right = std::max(a.x, b.x);
        const LONG top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
        ASSERT_GT(right - left, 2);
        ASSERT_GT(bottom - top, 2);
        std::vector<uint8_t> pixels(size_t(right - left) * size_t(bottom - top) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(left, Size - bottom, right - left, bottom - top, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
        int lit = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            lit += pixels[i + 1] > 96 ? 1 : 0;
        EXPECT_GT(lit, 5) << caption->Text().size();
    }
}

TEST_F(LevelsDrawing, FortyLevelsOpenAndDraw) {
    Levels().OpenOrActivate(Levels().DrivesIDList(), TOpenFlight::NoFlight);
    for (int i = 0; Levels().ViewCount() < MaxOpenFolders; ++i) {
        const std::wstring folder = Folder / (L"level" + std::to_wstring(i));
        CreateDirectoryW(folder.c_str(), nullptr);
        TTempFolder::WriteFileBytes(folder + L"\\item.txt", "x", 1);
        TOwnedIDList list = Shell.ParseName(FromWide(folder));
        ASSERT_TRUE(list);
        try {
            ASSERT_NE(Levels().OpenOrActivate(list.Get(), TOpenFlight::NoFlight), nullptr) << i;
        } catch (const std::exception& e) {
            FAIL() << i << " " << e.what();
        }
    }
    Scene->Render(PassFrame);
    EXPECT_EQ(Levels().ViewCount(), MaxOpenFolders);
}

TEST_F(LevelsDrawing, PageIconWorkEndsCleanlyUnderRapidChanges) {
    TFolderView* view = OpenFolderWithFiles(60);
    ASSERT_NE(view, nullptr);
    TOwnedIDList list = Shell.ParseName(FromWide(Folder.Path()));
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 5; ++i) {
            view->GoToPage(i % 3);
            view->Reload();
            view->SetSortOrder(static_cast<TSortOrder>(i % SortOrderCount));
        }
        Levels().CloseView(*view, false);
        view = Levels().OpenOrActivate(list.Get(), TOpenFlight::NoFlight);
        ASSERT_NE(view, nullptr);
    }
    Scene->Render(PassFrame);
    // The last page's icon work runs to its end, and leaves every item its exact icon.
    const TPageInfo* page = view->Page(view->CurrentPage());
    ASSERT_TRUE(page && page->IconJob);
    ASSERT_TRUE(PumpUntil([&] { return !page->IconJob->Running(); }));
    for (int32_t i = 0; i < ItemsPerPage; ++i) {
        TOwnedIDList absolute = view->ItemAt(i)->AbsoluteIDList();
        TIconRequest exact;
        exact.IDList = AsAbsolute(absolute.Get());
        const TIconTextureInfo entry = Scene->Icons().Entry(Scene->Icons().GetIconIndex(exact));
        const TItemIcon icon = view->ItemAt(i)->Icon();
        EXPECT_TRUE(entry.Loaded) << i;
        EXPECT_EQ(icon.Texture, entry.AtlasIndex) << i;
        EXPECT_EQ(icon.Coords.U0, entry.Coords.U0) << i;
        EXPECT_EQ(icon.Coords.V1, entry.Coords.V1) << i;
    }
}

// Handles, GDI and USER objects a level takes come back when it closes.
TEST_F(LevelsDrawing, ThirtyLevelsOpenedAndClosedGiveBackTheirObjects) {
    std::vector<TOwnedIDList> folders;
    for (int i = 0; i < 30; ++i) {
        const std::wstring folder = Folder / (L"level" + std::to_wstring(i));
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int k = 0; k < 3; ++k)
            TTempFolder::WriteFileBytes(folder + L"\\item" + std::to_wstring(k) + L".txt", "x", 1);
        folders.push_back(Shell.ParseName(FromWide(folder)));
        ASSERT_TRUE(folders.back());
    }
    const auto openAndCloseAll = [&] {
        for (const TOwnedIDList& folder : folders) {
            TFolderView* view = Levels().OpenOrActivate(folder.Get(), TOpenFlight::Fly);
            ASSERT_NE(view, nullptr);
            Scene->Render(PassFrame);
        }
        ASSERT_TRUE(PumpUntil([&] { return !IconWorkRunning(); }));
        Levels().CloseAllBut(*Levels().ViewAt(0));
        ASSERT_EQ(Levels().ViewCount(), 1);
    };
    openAndCloseAll(); // what the first levels of a run create once (icon cells, shell caches)
    const TProcessCounts before = ProcessCounts();
    openAndCloseAll();
    const TProcessCounts after = ProcessCounts();
    EXPECT_NEAR(after.Handles, before.Handles, 5);
    EXPECT_NEAR(after.GdiObjects, before.GdiObjects, 5);
    EXPECT_NEAR(after.UserObjects, before.UserObjects, 5);
    EXPECT_GT(before.Handles, 10) << "the count is real";
    RecordProperty("GdiObjects", int(after.GdiObjects));
}
