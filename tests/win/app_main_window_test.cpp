// The real main window, started and ended as the program does.
#include <windows.h>
#include <GL/gl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Entry.h"
#include "app/MainWindow.h"

namespace {

// Makes an assertion escape a message handler once the loop runs (a timer id nobody owns),
// and watches the teardown that follows.
class TTeardownProbe final : public TMainWindowProbe {
public:
    void Started(HWND window) override {
        Window = window;
        for (GLuint name = 1; name < 4096; ++name)
            if (glIsTexture(name))
                Textures.push_back(name);
        PostMessageW(window, WM_TIMER, 99, 0);
    }
    void SceneObjectDestroyed(const char* object) override {
        Destroyed.emplace_back(object);
        ContextCurrent.push_back(wglGetCurrentContext() != nullptr);
        if (Destroyed.back() != "Levels")
            return;
        TexturesLeft = 0;
        for (GLuint name : Textures)
            TexturesLeft += glIsTexture(name) ? 1 : 0;
    }

    HWND Window = nullptr;
    std::vector<GLuint> Textures;
    std::vector<std::string> Destroyed;
    std::vector<bool> ContextCurrent;
    int TexturesLeft = -1; // measured once the levels are gone
};

} // namespace

TEST(MainWindow, AnExceptionInAHandlerTearsTheSceneDownInOrderBeforeTheEntryShowsIt) {
    TTeardownProbe probe;
    std::string shown;
    bool windowGoneWhenShown = false;
    TEntryBoxes boxes;
    boxes.Requirements = [&](const ESystemRequirements&) { shown = "requirements"; };
    boxes.Error = [&](const std::exception& error) {
        shown = error.what();
        windowGoneWhenShown = !IsWindow(probe.Window);
    };
    EXPECT_EQ(RunEntry([&] { return RunMain(&probe); }, boxes), 0);

    EXPECT_EQ(shown, "Assertion failed (Main)");
    EXPECT_TRUE(windowGoneWhenShown);
    EXPECT_EQ(probe.Destroyed, (std::vector<std::string>{
                                   "DropTarget", "SceneOps", "FilterEdit", "Levels", "Shell",
                                   "AnimationTimer", "SceneCamera", "Widgets", "ViewportManager"}));
    EXPECT_EQ(probe.ContextCurrent, std::vector<bool>(probe.Destroyed.size(), true));
    EXPECT_FALSE(probe.Textures.empty()) << "the levels drew with textures";
    EXPECT_EQ(probe.TexturesLeft, 0);
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << "the context went after the scene";
}

TEST(Entry, EveryEscapeEndsInOneBoxAndABoxThatFailsEndsTheProgramQuietly) {
    int errors = 0;
    std::string shown;
    TEntryBoxes boxes;
    boxes.Requirements = [&](const ESystemRequirements&) { ++errors; };
    boxes.Error = [&](const std::exception& error) {
        ++errors;
        shown = error.what();
        throw std::runtime_error("the box itself failed");
    };
    EXPECT_EQ(RunEntry([]() -> int { throw 42; }, boxes), 0);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(shown, "An exception of unknown kind");
}
