// Measures, under Wine or Windows, how long a folder of 1,000, 10,000 and 100,000 files (plain
// names, and names as real trees have them) takes from opening it as a level to its first drawn
// frame, and from choosing another order to its frame, against one raw FindFirstFileExW pass
// over it; and how long a frame takes with 1, 10 and 40 levels open: drawn off screen at a
// 1400x900 scene and copied to a window, as the program shows its frames.
// Usage: levels_bench [largest file count, default 100000]
#include <windows.h>
#include <GL/gl.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/GLWindow.h"
#include "app/OffscreenFrame.h"
#include "base/BaseDefsWin.h"
#include "base/BaseDefs.h"
#include "base/Handles.h"
#include "base/MainWindowValues.h"
#include "base/WinString.h"
#include "base/WindowIds.h"
#include "model/FolderOrder.h"
#include "model/LevelsScene.h"
#include "model/ShellNamespaceWin.h"
#include "space/WindowAnimationTimer.h"
#include "space/ScenePerspective.h"

namespace {

using TClock = std::chrono::steady_clock;

// The scene's size in a 1400x900 window.
constexpr int SceneWidth = 1400;
constexpr int SceneHeight = 900;

TIconTextureManager* WindowIcons = nullptr;

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GM_LOAD_ICON)
        return OnLoadIconMessage(WindowIcons, wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// The process's private bytes: its commit charge, which Windows reports in both fields and
// Wine only in PagefileUsage.
double PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PagefileUsage);
}

double Milliseconds(TClock::time_point since) {
    return std::chrono::duration<double, std::milli>(TClock::now() - since).count();
}

// The bench's window as the main window the scene objects expect.
class TBenchWindowValues final : public TMainWindowValues {
public:
    explicit TBenchWindowValues(HWND window) : FWindow(window) {}
    HWND MainWindow() const override { return FWindow; }
    HWND SceneWindow() const override { return FWindow; }
    int32_t ClientWidth() const override { return SceneWidth; }
    int32_t ClientHeight() const override { return SceneHeight; }
    int32_t Split() const override { return 0; }
    int32_t SceneViewport() const override { return 1; }
    bool Closing() const override { return false; }
    bool PaintSuspended() const override { return false; }
    void RequestRedraw() override {}

private:
    HWND FWindow;
};

// As in the program: the GL context on a hidden window, the frames painted into a plain one.
struct TWindowContext {
    // Declared in the order of creation: the context goes first, the windows last.
    TOwnedWindow Window;
    TOwnedWindow Scene;
    TWindowDC DC;
    TWindowDC SceneDC;
    TGLContext RC;

    bool Create() {
        WNDCLASSW wc{};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = BenchWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimmeraBench";
        RegisterClassW(&wc);
        Window.Reset(CreateWindowExW(0, wc.lpszClassName, L"Glimmera bench", WS_POPUP, 0, 0, 1, 1,
                                     nullptr, nullptr, wc.hInstance, nullptr));
        Scene.Reset(CreateWindowExW(0, wc.lpszClassName, L"Glimmera bench scene",
                                    WS_POPUP | WS_VISIBLE, 0, 0, SceneWidth, SceneHeight, nullptr,
                                    nullptr, wc.hInstance, nullptr));
        if (!Window || !Scene)
            return false;
        SceneDC.Open(Scene.Get());
        return DC.Open(Window.Get()) && !CreateSceneContext(DC.Get(), RC) &&
               wglMakeCurrent(DC.Get(), RC.Get());
    }
};

std::wstring TempRoot() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    return std::wstring(base) + L"glimmera-bench-" + std::to_wstring(GetCurrentProcessId());
}

int RawListing(const std::wstring& folder);

void MakeFiles(const std::wstring& folder, int count) {
    // Big folders take Wine many minutes to fill (it looks each new name up in the whole
    // folder), so tools/bench.sh fills them from the host once and they are kept.
    if (RawListing(folder) == count + 2)
        return;
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        const std::wstring name = folder + L"\\file" + std::to_wstring(i) + L".txt";
        TFileHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    }
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + L"\\" + name);
            else
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find.Get(), &data));
    }
    RemoveDirectoryW(folder.c_str());
}

int RawListing(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    int count = 0;
    if (find) {
        do
            ++count;
        while (FindNextFileW(find.Get(), &data));
    }
    return count;
}

struct TFrameTimes {
    double Total = 0;
    double ReadBack = 0; // reading the pixels back into the frame's bitmap
    double Paint = 0;    // painting the bitmap into the window
};

// One frame as the program draws it: off screen, then copied into the window.
TFrameTimes DrawFrame(TLevelsScene& scene, TOffscreenFrame& frame, HDC dc) {
    const TClock::time_point start = TClock::now();
    frame.Begin(SceneWidth, SceneHeight);
    glViewport(0, 0, SceneWidth, SceneHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadScenePerspective(SceneWidth, SceneHeight);
    scene.Render(PassFrame);
    glFinish();
    const TClock::time_point readBack = TClock::now();
    frame.Finish();
    const TClock::time_point paint = TClock::now();
    frame.Paint(dc);
    GdiFlush();
    const TClock::time_point end = TClock::now();
    const auto ms = [](TClock::time_point from, TClock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    return TFrameTimes{ms(start, end), ms(readBack, paint), ms(paint, end)};
}

TFrameTimes FrameTime(TLevelsScene& scene, TOffscreenFrame& frame, HDC dc) {
    constexpr int Frames = 20;
    DrawFrame(scene, frame, dc);
    TFrameTimes sum;
    for (int i = 0; i < Frames; ++i) {
        const TFrameTimes one = DrawFrame(scene, frame, dc);
        sum.Total += one.Total;
        sum.ReadBack += one.ReadBack;
        sum.Paint += one.Paint;
    }
    return TFrameTimes{sum.Total / Frames, sum.ReadBack / Frames, sum.Paint / Frames};
}

// One pass over the folder's children through the shell, doing the given work on each.
template <class TWork> double ShellPass(TNamespaceFolder& folder, TWork work) {
    const TClock::time_point start = TClock::now();
    std::unique_ptr<TChildEnumerator> children = folder.EnumerateChildren();
    while (children) {
        TOwnedIDList child = children->Next();
        if (!child)
            break;
        work(child.Get());
    }
    return Milliseconds(start);
}

// Where an open spends its time: each shell call the model makes per item, timed as its own
// pass over the same folder.
void ShellBreakdown(TShellNamespace& shell, const std::wstring& path, int count) {
    TOwnedIDList list = shell.ParseName(FromWide(path));
    std::shared_ptr<TNamespaceFolder> folder = shell.BindToFolder(list.Get());
    if (!folder)
        return;
    const double enumerate = ShellPass(*folder, [](const TIDList*) {});
    const double normal =
        ShellPass(*folder, [&](const TIDList* c) { folder->DisplayName(c, TNameKind::Normal); });
    const double parsing =
        ShellPass(*folder, [&](const TIDList* c) { folder->DisplayName(c, TNameKind::Parsing); });
    const double data = ShellPass(*folder, [&](const TIDList* c) {
        TFileData fileData;
        folder->FileData(c, fileData);
    });
    const double attributes = ShellPass(*folder, [&](const TIDList* c) {
        uint32_t mask = AttrFolder | AttrFileSystem | AttrLink;
        folder->QueryAttributes(c, mask);
    });
    const double recorded = ShellPass(*folder, [&](const TIDList* c) {
        uint32_t attributes = 0;
        folder->RecordedAttributes(c, attributes);
    });
    std::string key;
    const double sortKey = ShellPass(*folder, [&](const TIDList* c) {
        shell.SortKey(folder->DisplayName(c, TNameKind::Parsing), key);
    });
    const auto perItem = [count](double ms) { return ms * 1000.0 / count; };
    std::printf("\nshell calls per item, %d files (us): enumerate %.1f, normal name %.1f, "
                "parsing name %.1f, file data %.1f, attributes %.1f, recorded attributes %.1f, "
                "sort key %.1f\n",
                count, perItem(enumerate), perItem(normal - enumerate),
                perItem(parsing - enumerate), perItem(data - enumerate),
                perItem(attributes - enumerate), perItem(recorded - enumerate),
                perItem(sortKey - parsing));
}

// Opening the folder as a level to its first frame, against a raw listing; one row.
void OpenRow(TShellNamespace& shell, TLevelsScene& scene, TOffscreenFrame& frame, HDC dc,
             const std::wstring& folder, const std::string& label, int count) {
    TLevelsCollection& levels = scene.Levels();
    RawListing(folder); // warm the file system's caches for both
    const TClock::time_point rawStart = TClock::now();
    const int listed = RawListing(folder);
    const double raw = Milliseconds(rawStart);

    TOwnedIDList list = shell.ParseName(FromWide(folder));
    const double privateBefore = PrivateBytes();
    const TClock::time_point start = TClock::now();
    TFolderView* view = levels.OpenOrActivate(list.Get(), TOpenFlight::NoFlight);
    levels.PlaceCamera(view);
    DrawFrame(scene, frame, dc);
    const double opened = Milliseconds(start);
    const double perItem = (PrivateBytes() - privateBefore) / count;
    std::printf("%-22s %14.1f %14.1f %14.1f %14.0f   (%d listed, %d items)\n", label.c_str(),
                opened, raw, raw > 0 ? opened / raw : 0.0, perItem, listed,
                view ? view->Count() : 0);
    if (view)
        levels.CloseView(*view, false);
}

// Each order's first choice on a level just opened in name order, to its first frame, against
// a raw listing; then the reverse of each, whose data the first choice read.
void OrderRows(TShellNamespace& shell, TLevelsScene& scene, TOffscreenFrame& frame, HDC dc,
               const std::wstring& folder, const std::string& label) {
    struct TChoice {
        const char* Row;
        TSortOrder First;
        TSortOrder Then;
    };
    static constexpr TChoice Choices[] = {
        {"-by-date", TSortOrder::NewestFirst, TSortOrder::OldestFirst},
        {"-by-size", TSortOrder::SizeDescending, TSortOrder::SizeAscending},
        {"-by-name-desc", TSortOrder::NameDescending, TSortOrder::NameAscending},
    };
    TLevelsCollection& levels = scene.Levels();
    TOwnedIDList list = shell.ParseName(FromWide(folder));
    for (const TChoice& choice : Choices) {
        TFolderView* view = levels.OpenOrActivate(list.Get(), TOpenFlight::NoFlight);
        if (!view)
            return;
        levels.PlaceCamera(view);
        DrawFrame(scene, frame, dc);
        RawListing(folder);
        const TClock::time_point rawStart = TClock::now();
        RawListing(folder);
        const double raw = Milliseconds(rawStart);
        const auto timed = [&](TSortOrder order) {
            const TClock::time_point start = TClock::now();
            view->SetSortOrder(order);
            DrawFrame(scene, frame, dc);
            return Milliseconds(start);
        };
        const double first = timed(choice.First);
        const double then = timed(choice.Then);
        std::printf("%-22s %14.1f %14.1f %14.1f   (then the reverse: %.1f ms)\n",
                    (label + choice.Row).c_str(), first, raw, raw > 0 ? first / raw : 0.0, then);
        levels.CloseView(*view, false);
    }
}
} // namespace

int main(int argc, char** argv) {
    const int largest = argc > 1 ? std::atoi(argv[1]) : 100000;
    TWindowContext context;
    if (!context.Create()) {
        std::printf("no OpenGL context\n");
        return 1;
    }
    TBenchWindowValues window(context.Window.Get());
    TWindowAnimationTimer timer(window);
    GLint maxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    MaxTextureSize = maxTexture;
    ReadGLLoaderFlags();
    if (!TOffscreenFrame::Supported()) {
        std::printf("no framebuffer objects\n");
        return 1;
    }
    TOffscreenFrame frame;
    TOleScope ole;

    const std::wstring root = TempRoot();
    CreateDirectoryW(root.c_str(), nullptr);
    wchar_t kept[MAX_PATH] = {};
    const std::wstring bigRoot =
        GetEnvironmentVariableW(L"GLIMMERA_BENCH_DATA", kept, MAX_PATH) ? kept : root;
    {
        TWinShellNamespace shell;
        TGeomCamera camera(0, 0, 5);
        TLevelsScene scene(window, shell, &camera, timer, TLevelsHooks{});
        WindowIcons = &scene.Icons();
        TLevelsCollection& levels = scene.Levels();
        levels.OpenOrActivate(levels.DesktopIDList(), TOpenFlight::NoFlight);
        levels.PlaceCamera(levels.Current());
        DrawFrame(scene, frame, context.SceneDC.Get());

        std::printf("%-22s %14s %14s %14s %14s\n", "files", "open+frame ms", "raw list ms", "ratio",
                    "bytes/item");
        for (int count = 1000; count <= largest; count *= 10) {
            const std::wstring folder = bigRoot + L"\\files" + std::to_wstring(count);
            MakeFiles(folder, count);
            OpenRow(shell, scene, frame, context.SceneDC.Get(), folder, std::to_string(count),
                    count);
        }
        // Named as real trees name their files; tools/bench-folders.py makes them.
        for (int count : {10000, 100000}) {
            const std::wstring folder = bigRoot + L"\\mixed" + std::to_wstring(count);
            if (count <= largest && RawListing(folder) > 2)
                OpenRow(shell, scene, frame, context.SceneDC.Get(), folder,
                        std::to_string(count) + "-mixed", count);
        }

        // Choosing another order on a level of the largest folders of each kind.
        std::printf("\n%-22s %14s %14s %14s\n", "order", "order+frame ms", "raw list ms", "ratio");
        for (const wchar_t* kind : {L"files", L"mixed"}) {
            const std::wstring folder = bigRoot + L"\\" + kind + std::to_wstring(largest);
            if (RawListing(folder) <= 2)
                continue;
            const std::string label = std::to_string(largest) + (kind[0] == L'm' ? "-mixed" : "");
            OrderRows(shell, scene, frame, context.SceneDC.Get(), folder, label);
        }

        const int profiled = largest < 10000 ? largest : 10000;
        const std::wstring profiledFolder = bigRoot + L"\\files" + std::to_wstring(profiled);
        MakeFiles(profiledFolder, profiled);
        ShellBreakdown(shell, profiledFolder, profiled);

        // Levels of 20 files each.
        std::printf("\n%-10s %14s %14s %14s\n", "levels", "frame ms", "read back ms", "paint ms");
        for (int i = 0; i < MaxOpenFolders; ++i)
            MakeFiles(root + L"\\level" + std::to_wstring(i), 20);
        int opened = 1;
        double privateAtOne = 0;
        for (int wanted : {1, 10, 40}) {
            for (; opened < wanted; ++opened) {
                TOwnedIDList list =
                    shell.ParseName(FromWide(root + L"\\level" + std::to_wstring(opened)));
                levels.OpenOrActivate(list.Get(), TOpenFlight::NoFlight);
            }
            levels.PlaceCamera(levels.ViewAt(levels.ViewCount() - 1));
            const TFrameTimes times = FrameTime(scene, frame, context.SceneDC.Get());
            std::printf("%-10d %14.2f %14.2f %14.2f\n", levels.ViewCount(), times.Total,
                        times.ReadBack, times.Paint);
            if (wanted == 1)
                privateAtOne = PrivateBytes();
        }
        // Textures live in the GL driver's memory, which Wine counts as the process's own.
        std::printf("\nan open level of 20 files: %.0f private bytes\n",
                    (PrivateBytes() - privateAtOne) / (opened - 1));
        WindowIcons = nullptr;
    }
    RemoveTree(root);
    return 0;
}
