#include "render_gl_fixture.h"

#include <GL/glext.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "base/Errors.h"
#include "PumpMessages.h"
#include "TestWindowValues.h"
#include "base/WindowIds.h"
#include "render/IconTextureManager.h"
#include "render/LightBitmap.h"

namespace {
TIconTextureManager* WindowManager = nullptr;

LRESULT CALLBACK IconWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GM_LOAD_ICON)
        return OnLoadIconMessage(WindowManager, wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// The test window plays the main window: it answers the icon message on this thread.
class TIconTextures : public TRenderGLTest {
protected:
    void SetUp() override {
        TRenderGLTest::SetUp();
        SetWindowLongPtrW(Context.Window(), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&IconWindowProc));
        Window.Window = Context.Window();
    }
    void TearDown() override { WindowManager = nullptr; }

    TTestWindowValues Window;

    // Texel (x, y) of an icon, counted from the icon's top-left, in the read-back atlas.
    static const uint8_t* IconTexel(const std::vector<uint8_t>& atlas, const TAtlasLayout& layout,
                                    int32_t cell, int32_t x, int32_t y) {
        TPixelOrigin origin = CellImageOrigin(layout, CellPosition(layout, cell));
        int32_t row = origin.Y + 31 - y; // uploaded bottom row first
        return &atlas[(size_t(row) * size_t(layout.AtlasWidth) + size_t(origin.X + x)) * 4];
    }
};

// Distinct image-list indices: asking for these files puts their icons into the list.
std::vector<int32_t> DistinctIconIndices(const TIconTextureManager& manager) {
    std::vector<int32_t> indices;
    for (const wchar_t* path :
         {L"C:\\", L"C:\\windows", L"C:\\windows\\win.ini", L"C:\\windows\\notepad.exe",
          L"C:\\windows\\regedit.exe", L"C:\\windows\\system32\\winecfg.exe"}) {
        TIconRequest request;
        PIDLIST_ABSOLUTE list = ILCreateFromPathW(path);
        request.IDList = list;
        indices.push_back(manager.GetIconIndex(request));
        ILFree(list);
    }
    for (int32_t index = 0; index < ImageList_GetImageCount(manager.ImageList()); ++index)
        indices.push_back(index);
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

bool SameEntry(const TIconTextureInfo& a, const TIconTextureInfo& b) {
    return a.Loaded == b.Loaded && a.CellIndex == b.CellIndex && a.AtlasIndex == b.AtlasIndex &&
           a.Coords.U0 == b.Coords.U0 && a.Coords.U1 == b.Coords.U1 && a.Coords.V0 == b.Coords.V0 &&
           a.Coords.V1 == b.Coords.V1;
}
} // namespace

TEST_F(TIconTextures, HundredAndFirstIconOpensASecondAtlas) {
    TIconAtlasManager atlas(32, 32);
    TDIBSection icon(32, 32);
    TIconCell first = atlas.Add(icon);
    TIconCell last;
    for (int i = 1; i <= 100; ++i)
        last = atlas.Add(icon);
    EXPECT_EQ(atlas.AtlasCount(), 2);
    EXPECT_EQ(last.AtlasIndex, 1);
    EXPECT_EQ(last.CellIndex, 100);
    EXPECT_FLOAT_EQ(last.Coords.U0, first.Coords.U0) << "first cell of its own atlas";
    EXPECT_FLOAT_EQ(last.Coords.V1, 36.0f / 512);
    EXPECT_FALSE(atlas.Atlas(1).MipmapsValid);
    atlas.BindAtlas(1);
    EXPECT_TRUE(atlas.Atlas(1).MipmapsValid);
    EXPECT_THROW(atlas.BindAtlas(2), EAssertionFailed);
}

TEST_F(TIconTextures, SystemIconHasAnOpaqueInsideAndATransparentOutside) {
    TIconTextureManager manager(Window);
    WindowManager = &manager;
    ASSERT_NE(manager.ImageList(), nullptr);
    EXPECT_GT(manager.EntryCount(), 0);
    TIconRequest folder;
    folder.IsFolder = true;
    TIconTextureInfo info = manager.GetIconTexture(folder); // on the window thread: no message
    ASSERT_TRUE(info.Loaded);
    EXPECT_EQ(info.AtlasIndex, 0);
    EXPECT_EQ(info.CellIndex, 0);

    const TAtlasLayout& layout = manager.IconAtlas().Layout();
    std::vector<uint8_t> atlas = ReadTexture(manager.IconAtlas().Atlas(0).Texture.Name(), GL_BGRA);
    EXPECT_EQ(IconTexel(atlas, layout, 0, 16, 16)[3], 255) << "inside the folder";
    int transparent = 0, opaque = 0;
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            uint8_t alpha = IconTexel(atlas, layout, 0, x, y)[3];
            transparent += alpha == 0;
            opaque += alpha == 255;
        }
    EXPECT_GT(transparent, 32) << "the outside of the icon";
    EXPECT_GT(opaque, 300);
    EXPECT_EQ(IconTexel(atlas, layout, 0, -1, 16)[3], 0) << "cell margin";

    manager.GetIconTexture(folder);
    manager.ResetIcons();
    EXPECT_FALSE(manager.Entry(manager.FolderIconIndex()).Loaded);
    TIconTextureInfo again = manager.GetIconTexture(folder);
    EXPECT_TRUE(again.Loaded);
    EXPECT_EQ(again.CellIndex, info.CellIndex) << "drawn again into the cell it had";
    EXPECT_EQ(manager.IconAtlas().Cells().TakenCount(), 1) << "loaded once per reset";
}

TEST_F(TIconTextures, WorkersGetConsistentIconsLoadedOnce) {
    TIconTextureManager manager(Window);
    WindowManager = &manager;
    std::vector<int32_t> indices = DistinctIconIndices(manager);
    const int32_t icons = static_cast<int32_t>(indices.size());
    ASSERT_GE(icons, 4);
    constexpr int Workers = 4;
    std::vector<std::vector<TIconTextureInfo>> seen(Workers,
                                                    std::vector<TIconTextureInfo>(size_t(icons)));
    std::atomic<int> finished{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < Workers; ++w)
        threads.emplace_back([&, w] {
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            for (int round = 0; round < 3; ++round)
                for (int32_t k = 0; k < icons; ++k) {
                    // Each worker walks the icons in its own order.
                    int32_t slot = ((w % 2 ? icons - 1 - k : k) + w * 5) % icons;
                    seen[size_t(w)][size_t(slot)] =
                        manager.GetIconTextureOfIndex(indices[size_t(slot)]);
                }
            CoUninitialize();
            ++finished;
        });
    bool done = PumpUntil([&] { return finished == Workers; });
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_TRUE(done);

    for (int32_t slot = 0; slot < icons; ++slot) {
        EXPECT_TRUE(seen[0][size_t(slot)].Loaded) << slot;
        for (int w = 1; w < Workers; ++w)
            EXPECT_TRUE(SameEntry(seen[0][size_t(slot)], seen[size_t(w)][size_t(slot)]))
                << "icon " << indices[size_t(slot)] << ", worker " << w;
    }
    EXPECT_EQ(manager.IconAtlas().Cells().TakenCount(), icons) << "each icon drawn once";
}

TEST_F(TIconTextures, ClosingWindowNeverWaitsForAskingWorkers) {
    TIconTextureManager manager(Window);
    WindowManager = &manager;
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0};
    std::vector<std::thread> threads;
    const int32_t icons = std::min(ImageList_GetImageCount(manager.ImageList()), 24);
    for (int w = 0; w < 3; ++w)
        threads.emplace_back([&] {
            int32_t index = 0;
            while (!stop) {
                manager.GetIconTextureOfIndex(index);
                index = (index + 1) % icons;
                ++calls;
            }
        });
    // Serve a few requests, then close while the workers keep asking and stop pumping.
    ASSERT_TRUE(PumpUntil([&] { return calls > 10; }));
    manager.ResetIcons();
    Window.IsClosing = true;
    auto closedAt = std::chrono::steady_clock::now();
    int callsAtClose = calls;
    while (calls < callsAtClose + 30 &&
           std::chrono::steady_clock::now() - closedAt < std::chrono::seconds(10))
        Sleep(5);
    EXPECT_GE(calls, callsAtClose + 30) << "workers are answered without the window thread";
    stop = true;
    for (std::thread& thread : threads)
        thread.join();

    // A message that arrives late is ignored.
    int32_t loaded = manager.IconAtlas().Cells().TakenCount();
    SendMessageW(Context.Window(), WM_GM_LOAD_ICON, WPARAM(icons - 1), 0);
    EXPECT_EQ(manager.IconAtlas().Cells().TakenCount(), loaded);
    EXPECT_EQ(OnLoadIconMessage(nullptr, 0), 0);
}

TEST_F(TIconTextures, DestroyingTheManagerWaitsOutWorkersBlockedInTheirRequest) {
    auto manager = std::make_unique<TIconTextureManager>(Window);
    TIconTextureManager* shared = manager.get();
    WindowManager = nullptr; // the window thread serves no request
    std::atomic<int> loaded{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < 3; ++w)
        threads.emplace_back([&, w] { loaded += shared->GetIconTextureOfIndex(w).Loaded; });
    // Every worker inside its request, and the window thread asked for an icon.
    while (shared->ActiveRequests() < 3 || HIWORD(GetQueueStatus(QS_SENDMESSAGE)) == 0)
        Sleep(1);
    auto before = std::chrono::steady_clock::now();
    manager.reset(); // on the window thread, without pumping
    auto waited = std::chrono::steady_clock::now() - before;
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(loaded, 0);
}
