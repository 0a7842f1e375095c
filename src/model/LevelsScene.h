#pragma once
// The levels collection as the main window holds it: the collection with the texture managers
// it draws with (icon textures, the caption pool, the level and sort caption atlases), and the
// drawing of every level for the frame and for picking.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "model/FolderResourcesWin.h"
#include "model/LevelsCollection.h"
#include "model/ShellChangesWin.h"
#include "model/ShellNamespaceWin.h"
#include "render/PassFlags.h"

// View states of the drawing.
enum class TViewState { Current = 0, Other = 1, Marked = 2 };

class TLevelsScene {
public:
    // Needs the GL context current and the shell's image list.
    TLevelsScene(const TMainWindowValues& window, TShellNamespace& shell, TGeomCamera* camera,
                 TAnimationTimer& timer, TLevelsHooks hooks);
    ~TLevelsScene();
    TLevelsScene(const TLevelsScene&) = delete;
    TLevelsScene& operator=(const TLevelsScene&) = delete;

    TLevelsCollection& Levels() { return *FLevels; }
    TIconTextureManager& Icons() { return *FIcons; }

    // Draws the levels for a pass (PassFrame for the frame; the picking passes set PassLevels
    // or PassItems). Shift held lets a level pick reach every level of a stack.
    void Render(uint32_t pass, bool shiftHeld = false);
    // Whether Shift-drawing of every level is allowed (the scene's state is not its fifth).
    void SetAllLevelsWithShift(bool allowed) { FAllWithShift = allowed; }

    int32_t ItemCaptionHeight() const { return FItemCaptionHeight; }
    int32_t LevelCaptionHeight() const { return FLevelCaptionHeight; }
    int32_t SortCaptionHeight() const { return FSortCaptionHeight; }

private:
    void RenderView(TFolderView& view, uint32_t pass, TViewState state);
    void DrawFrame(TFolderView& view, TViewState state, uint32_t pass);
    void DrawPageCaption(TFolderView& view);
    void DrawItems(TFolderView& view, uint32_t pass);
    void DrawLevelCaptions(int32_t lastDrawn, uint32_t pass);
    void DrawSortCaptions(int32_t lastDrawn, uint32_t pass);
    int32_t LastDrawnIndex(bool all) const;

    int32_t FItemCaptionHeight = 0;
    int32_t FLevelCaptionHeight = 0;
    int32_t FSortCaptionHeight = 0;
    std::unique_ptr<TIconTextureManager> FIcons;
    std::unique_ptr<TCaptionAtlasPool> FCaptionPool;
    std::unique_ptr<TCaptionAtlasManager> FLevelCaptionAtlas;
    std::unique_ptr<TCaptionAtlasManager> FSortCaptionAtlas;
    std::unique_ptr<TWinFolderResources> FResources;
    std::unique_ptr<TLevelsCollection> FLevels;
    std::unique_ptr<TShellChangeRegistrations> FShellChanges;
    TGeomCamera* FCamera;
    bool FAllWithShift = true;
};

// Draws an item's icon quad (under its selection name when the pass picks items), and the
// outline just outside its tile.
void DrawItemIcon(const TFSEView& item, uint32_t pass);
void DrawItemSelectionFrame(const TFSEView& item);
// Three short axes at the origin: x red, y green, z blue.
void DrawAxesMarker();
