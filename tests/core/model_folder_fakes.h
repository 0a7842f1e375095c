#pragma once
// Stand-ins for the drawing layer of the folder model: captions that remember their text and
// place, page textures that count themselves, and icon jobs on real threads.
#include "model/LevelsCollection.h"
#include "model/MemoryNamespace.h"

#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <thread>

class TFakeCaption : public TSceneCaption {
public:
    TFakeCaption(std::u16string text, int& live) : Text(std::move(text)), Live(live) { ++Live; }
    ~TFakeCaption() override { --Live; }
    void Place(const TVector3& anchor, const TVector3&, const TVector3&) override {
        Corners = {anchor, anchor, anchor, anchor};
        ++Placed;
    }
    TQuad GetCorners() const override { return Corners; }
    void SetCorners(const TQuad& corners) override { Corners = corners; }

    std::u16string Text;
    TQuad Corners{};
    int Placed = 0;
    int& Live;
};

class TFakePage : public TPageTexture {
public:
    explicit TFakePage(int& live) : Live(live) { ++Live; }
    ~TFakePage() override { --Live; }
    int& Live;
};

// A watch that counts itself and the reports taken from it.
class TFakeWatch : public TFolderWatch {
public:
    TFakeWatch(int& live, int& acknowledged) : Live(live), Acknowledged(acknowledged) { ++Live; }
    ~TFakeWatch() override { --Live; }
    void Acknowledge() override { ++Acknowledged; }
    int& Live;
    int& Acknowledged;
};

class TFakeResources : public TFolderResources {
public:
    std::unique_ptr<TPageTexture> AcquirePageTexture() override {
        return std::make_unique<TFakePage>(LivePages);
    }
    std::unique_ptr<TSceneCaption> CreatePageCaption(TPageTexture&, std::u16string text) override {
        return std::make_unique<TFakeCaption>(std::move(text), LiveCaptions);
    }
    std::unique_ptr<TSceneCaption> CreateItemCaption(TPageTexture&, TFSEView&,
                                                     std::u16string text) override {
        return std::make_unique<TFakeCaption>(std::move(text), LiveCaptions);
    }
    std::unique_ptr<TSceneCaption> CreateLevelCaption(TFolderView&, std::u16string text) override {
        return std::make_unique<TFakeCaption>(std::move(text), LiveCaptions);
    }
    std::unique_ptr<TSceneCaption> CreateSortCaption(TFolderView&, std::u16string text,
                                                     TOrderEnd) override {
        return std::make_unique<TFakeCaption>(std::move(text), LiveCaptions);
    }
    TItemIcon TypeIcon(const TIDList*, std::u16string_view, bool isFolder) override {
        ++TypeIcons;
        return TItemIcon{isFolder ? 1 : 0, {0, 1, 0, 1}};
    }
    std::unique_ptr<TIconJob> StartIconJob(std::vector<TIconJobItem> items) override {
        ++IconJobs;
        if (!ThreadedIcons)
            return nullptr;
        return std::make_unique<TIconJob>(
            std::move(items),
            [this](const TIDList*) {
                std::this_thread::sleep_for(
                    std::chrono::microseconds(FetchDelayMicroseconds.load()));
                ++Fetched;
                return TItemIcon{7, {0.25f, 0.5f, 0.25f, 0.5f}};
            },
            [this] { ++Repaints; }, nullptr);
    }
    void Trace(std::u16string_view text) override { Traced.emplace_back(text); }
    void CheckGLError() override {}
    bool DirectoryExists(std::u16string_view path) override {
        return !Missing.count(std::u16string(path));
    }

    std::unique_ptr<TFolderWatch> WatchFolder(TFolderView&, std::u16string_view path) override {
        Watched.emplace_back(path);
        return std::make_unique<TFakeWatch>(LiveWatches, Acknowledged);
    }
    TVolumeToken RegisterVolume(std::u16string_view root) override {
        Roots.emplace_back(root);
        const auto volume = Volumes.find(std::u16string(root));
        return volume == Volumes.end() ? 0 : volume->second;
    }
    void ReleaseVolume(TVolumeToken volume) override { Released.push_back(volume); }

    int LivePages = 0;
    int LiveCaptions = 0;
    int TypeIcons = 0;
    int IconJobs = 0;
    bool ThreadedIcons = false;
    std::atomic<int> FetchDelayMicroseconds{200}; // read by the icon threads
    std::atomic<int> Fetched{0};
    std::atomic<int> Repaints{0};
    std::vector<std::u16string> Traced;
    std::set<std::u16string> Missing;
    std::vector<std::u16string> Watched;
    int LiveWatches = 0;
    int Acknowledged = 0;
    std::vector<std::u16string> Roots;
    std::map<std::u16string, TVolumeToken> Volumes; // drive roots that can go away
    std::vector<TVolumeToken> Released;
};

class TFakeTimer : public TAnimationTimer {
public:
    bool Start(uint32_t timerId) override {
        Running.insert(timerId);
        return true;
    }
    void Stop(uint32_t timerId) override { Running.erase(timerId); }
    void Redraw() override { ++Redraws; }
    std::set<uint32_t> Running;
    int Redraws = 0;
};

inline const TFakeCaption* AsFake(const TSceneCaption* caption) {
    return dynamic_cast<const TFakeCaption*>(caption);
}
