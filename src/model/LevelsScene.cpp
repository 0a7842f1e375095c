#include "model/LevelsScene.h"

namespace {

// A caption measured once to learn the texture height of its kind.
int32_t ProbeHeight(TCaptionAtlasManager& atlas, const char16_t* text, int32_t texels, float width,
                    float height) {
    TPageTextureCaption probe(text, &atlas, texels, width, height);
    return probe.PixelHeight();
}

} // namespace

TLevelsScene::TLevelsScene(TShellNamespace& shell, TGeomCamera* camera, TAnimationTimer& timer,
                           TLevelsHooks hooks)
    : FCamera(camera) {
    {
        TCaptionAtlasManager probeAtlas(512, 512, 1, false);
        FItemCaptionHeight = ProbeHeight(probeAtlas, u"fse caption prob", 256, 0.6f, 0.06f);
        probeAtlas.FreeAll();
        FLevelCaptionHeight = ProbeHeight(probeAtlas, u"level caption probe", 512, 1.44f, 0.08f);
        probeAtlas.FreeAll();
        FSortCaptionHeight = ProbeHeight(probeAtlas, u"sort caption probe", 256, 0.6f, 0.06f);
    }
    FCaptionPool = std::make_unique<TCaptionAtlasPool>(256, FItemCaptionHeight);
    FLevelCaptionAtlas =
        std::make_unique<TCaptionAtlasManager>(512, FLevelCaptionHeight, MaxOpenFolders, true);
    FSortCaptionAtlas =
        std::make_unique<TCaptionAtlasManager>(256, FSortCaptionHeight, 2 * MaxOpenFolders, true);
    FIcons = std::make_unique<TIconTextureManager>();
    FResources = std::make_unique<TWinFolderResources>(*FIcons, *FCaptionPool, *FLevelCaptionAtlas,
                                                       *FSortCaptionAtlas);
    FLevels =
        std::make_unique<TLevelsCollection>(shell, *FResources, camera, timer, std::move(hooks));
}

TLevelsScene::~TLevelsScene() {
    // The views first: their pages go back to the pool and their icon work ends.
    FLevels.reset();
    FResources.reset();
    FIcons.reset();
}
