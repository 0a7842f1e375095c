#include "model/LevelsScene.h"

namespace {

// A caption measured once to learn the texture height of its kind.
int32_t ProbeHeight(TCaptionAtlasManager& atlas, const char16_t* text, int32_t texels, float width,
                    float height) {
    TPageTextureCaption probe(text, &atlas, texels, width, height);
    return probe.PixelHeight();
}

} // namespace

TLevelsScene::TLevelsScene(const TMainWindowValues& window, TShellNamespace& shell,
                           TGeomCamera* camera, TAnimationTimer& timer, TLevelsHooks hooks)
    : FCamera(camera) {
    {
        TCaptionAtlasManager probeAtlas(512, 512, 1, false);
        FItemCaptionHeight = ProbeHeight(probeAtlas, u"fse caption prob", SmallCaptionPixelWidth,
                                         SmallCaptionWorldWidth, SmallCaptionWorldHeight);
        probeAtlas.FreeAll();
        FLevelCaptionHeight =
            ProbeHeight(probeAtlas, u"level caption probe", LevelCaptionPixelWidth,
                        LevelCaptionWorldWidth, LevelCaptionWorldHeight);
        probeAtlas.FreeAll();
        FSortCaptionHeight = ProbeHeight(probeAtlas, u"sort caption probe", SmallCaptionPixelWidth,
                                         SmallCaptionWorldWidth, SmallCaptionWorldHeight);
    }
    // A page's atlas holds its tiles' captions and the page caption.
    FCaptionPool = std::make_unique<TCaptionAtlasPool>(SmallCaptionPixelWidth, FItemCaptionHeight,
                                                       ItemsPerPage + 1);
    FLevelCaptionAtlas = std::make_unique<TCaptionAtlasManager>(
        LevelCaptionPixelWidth, FLevelCaptionHeight, MaxOpenFolders, true);
    FSortCaptionAtlas = std::make_unique<TCaptionAtlasManager>(
        SmallCaptionPixelWidth, FSortCaptionHeight, 2 * MaxOpenFolders, true);
    FIcons = std::make_unique<TIconTextureManager>(window);
    FResources = std::make_unique<TWinFolderResources>(window, *FIcons, *FCaptionPool,
                                                       *FLevelCaptionAtlas, *FSortCaptionAtlas);
    FLevels =
        std::make_unique<TLevelsCollection>(shell, *FResources, camera, timer, std::move(hooks));
    if (HWND handle = window.MainWindow())
        FShellChanges = std::make_unique<TShellChangeRegistrations>(handle);
}

TLevelsScene::~TLevelsScene() {
    // The views first: their pages go back to the pool, their icon work and watches end.
    FShellChanges.reset();
    FLevels.reset();
    FResources.reset();
    FIcons.reset();
}
