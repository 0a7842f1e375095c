// System icons with their captions, drawn as the levels draw theirs. With GLIMMERA_SCENE_HOLD_MS
// set the window stays on screen that long, for a screenshot.
#include "render_gl_fixture.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "TestWindowValues.h"
#include "render/CaptionAtlas.h"
#include "render/IconTextureManager.h"
#include "render/TextureCaption.h"

namespace {
constexpr int SceneWidth = 640, SceneHeight = 360, TileWidth = 160, IconSize = 72;

struct TTile {
    TIconTextureInfo Icon;
    std::unique_ptr<TFSETextureCaption> Caption;
    float X = 0, Y = 0; // bottom-left of the icon, twice its texel size
};

void Quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1) {
    glBegin(GL_QUADS);
    glTexCoord2f(u0, v0), glVertex2f(x0, y0);
    glTexCoord2f(u1, v0), glVertex2f(x1, y0);
    glTexCoord2f(u1, v1), glVertex2f(x1, y1);
    glTexCoord2f(u0, v1), glVertex2f(x0, y1);
    glEnd();
}

class TScene {
public:
    explicit TScene(const TMainWindowValues& window) : Icons(window), Atlas(256, 25, 21, true) {
        const wchar_t* paths[] = {L"C:\\windows",
                                  L"C:\\windows\\notepad.exe",
                                  L"C:\\windows\\regedit.exe",
                                  L"C:\\windows\\system32\\winecfg.exe",
                                  L"C:\\",
                                  L"C:\\windows\\win.ini",
                                  L"C:\\windows\\system32\\cmd.exe",
                                  L"C:\\windows\\system32\\taskmgr.exe"};
        const char16_t* names[] = {u"Windows",     u"notepad.exe",           u"regedit.exe",
                                   u"winecfg.exe", u"Local Disk (C:)",       u"win.ini",
                                   u"cmd.exe",     u"A rather long name.txt"};
        for (int i = 0; i < 8; ++i) {
            TTile tile;
            TIconRequest request;
            PIDLIST_ABSOLUTE list = ILCreateFromPathW(paths[i]);
            request.IDList = list;
            tile.Icon = Icons.GetIconTexture(request);
            ILFree(list);
            tile.Caption =
                std::make_unique<TFSETextureCaption>(names[i], &Atlas, 256, 0.6f, 0.06f, nullptr);
            int column = i % 4, row = i / 4;
            tile.X = float(column * TileWidth + (TileWidth - IconSize) / 2);
            tile.Y = float(SceneHeight - 140 - row * 150);
            // The caption at texel scale, centred under its icon.
            float width = float(tile.Caption->TextWidth());
            float left = float(column * TileWidth) + (TileWidth - width) / 2, top = tile.Y - 4;
            tile.Caption->SetCorners({left, top - 29, 0}, {left + width, top - 29, 0},
                                     {left + width, top, 0}, {left, top, 0});
            Tiles.push_back(std::move(tile));
        }
    }

    void Draw() {
        glViewport(0, 0, SceneWidth, SceneHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, SceneWidth, 0, SceneHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D), glDisable(GL_BLEND), glDisable(GL_ALPHA_TEST);
        glBegin(GL_QUADS); // the frame's background gradient
        glColor3f(0.32549f, 0.396078f, 0.470588f);
        glVertex2f(0, 0), glVertex2f(SceneWidth, 0);
        glColor3f(0.520784f, 0.633725f, 0.752941f);
        glVertex2f(SceneWidth, SceneHeight), glVertex2f(0, SceneHeight);
        glEnd();

        glEnable(GL_TEXTURE_2D), glEnable(GL_ALPHA_TEST), glEnable(GL_BLEND);
        glAlphaFunc(GL_GREATER, 0.1f);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glBindTexture(GL_TEXTURE_2D, Atlas.Texture());
        Atlas.EnsureMipmaps();
        for (const TTile& tile : Tiles)
            tile.Caption->Draw(0x1);
        for (const TTile& tile : Tiles) {
            Icons.BindIconAtlas(tile.Icon.AtlasIndex);
            Quad(tile.X, tile.Y, tile.X + IconSize, tile.Y + IconSize, tile.Icon.Coords.U0,
                 tile.Icon.Coords.V0, tile.Icon.Coords.U1, tile.Icon.Coords.V1);
        }
        glFlush();
    }

    TIconTextureManager Icons;
    TCaptionAtlasManager Atlas;
    std::vector<TTile> Tiles;
};

// Draws, shows and serves messages for a while: pixels of a window not yet on screen are
// undefined.
void ShowFor(TScene& scene, HDC dc, int milliseconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        scene.Draw();
        SwapBuffers(dc);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(30);
    }
}

class TRenderScene : public TRenderGLTest {
protected:
    const uint8_t* Pixel(int x, int y) const {
        return &Frame[(size_t(y) * SceneWidth + size_t(x)) * 4];
    }
    bool IsBackground(int x, int y) const {
        const uint8_t *p = Pixel(x, y), *background = Pixel(2, y); // the gradient is vertical
        return std::abs(p[0] - background[0]) <= 2 && std::abs(p[2] - background[2]) <= 2;
    }

    std::vector<uint8_t> Frame = std::vector<uint8_t>(size_t(SceneWidth) * SceneHeight * 4);
};
} // namespace

TEST_F(TRenderScene, IconsAndCaptionsStandOutFromTheBackground) {
    SetWindowPos(Context.Window(), HWND_TOP, 0, 0, SceneWidth, SceneHeight, SWP_SHOWWINDOW);
    TTestWindowValues window;
    window.Window = Context.Window(); // icons load right here, on the window thread
    TScene scene(window);
    ShowFor(scene, Context.DC(), 300);
    scene.Draw();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SceneWidth, SceneHeight, GL_RGBA, GL_UNSIGNED_BYTE, Frame.data());

    for (const TTile& tile : scene.Tiles) {
        ASSERT_TRUE(tile.Icon.Loaded);
        int x = int(tile.X), y = int(tile.Y);
        EXPECT_FALSE(IsBackground(x + IconSize / 2, y + IconSize / 2)) << "icon at " << x;
        EXPECT_TRUE(IsBackground(x + 3, y + 3)) << "transparent around the icon at " << x;
        const TQuad& quad = tile.Caption->Corners();
        int white = 0;
        for (int py = int(quad[0].y); py < int(quad[2].y); ++py)
            for (int px = int(quad[0].x); px < int(quad[1].x); ++px)
                white += Pixel(px, py)[0] > 240 && Pixel(px, py)[2] > 240;
        EXPECT_GT(white, 20) << "caption under the icon at " << x;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    if (const char* hold = std::getenv("GLIMMERA_SCENE_HOLD_MS"))
        ShowFor(scene, Context.DC(), atoi(hold));
}
