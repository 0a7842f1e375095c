#include "model_folder_fakes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class FolderIconJob : public ::testing::Test {
protected:
    FolderIconJob() {
        const TMemoryNamespace::TNode drive = Shell.AddDrive(u'C', u"Local Disk");
        const TMemoryNamespace::TNode data = Shell.AddFolder(drive, u"Data");
        for (char16_t c : {u'a', u'b', u'c'})
            Shell.AddFile(data, std::u16string(1, c), 0, 0);
        Levels.OpenOrActivate(Levels.DesktopIDList(), TOpenFlight::NoFlight);
        View = Levels.OpenOrActivate(Shell.AbsoluteIDList(data).Get(), TOpenFlight::NoFlight);
    }

    std::vector<TIconJobItem> Items() const {
        std::vector<TIconJobItem> items;
        for (int32_t i = 0; i < View->Count(); ++i)
            items.push_back(TIconJobItem{View->ItemAt(i), View->ItemAt(i)->AbsoluteIDList()});
        return items;
    }

    TMemoryNamespace Shell;
    TFakeResources Resources;
    TFakeTimer Timer;
    TLevelsCollection Levels{Shell, Resources, nullptr, Timer};
    TFolderView* View = nullptr;
};

} // namespace

TEST_F(FolderIconJob, StoresEveryIconAndRepaintsAfterEach) {
    std::atomic<int> repaints{0};
    std::atomic<int> threadCalls{0};
    TIconJob job(
        Items(),
        [](const TIDList*) {
            return TItemIcon{3, {0, 1, 0, 1}};
        },
        [&] { ++repaints; }, nullptr,
        [&] {
            ++threadCalls;
            return std::shared_ptr<void>(nullptr, [&](void*) { ++threadCalls; });
        });
    while (job.Running())
        std::this_thread::yield();
    for (int32_t i = 0; i < View->Count(); ++i)
        EXPECT_EQ(View->ItemAt(i)->Icon().Texture, 3);
    EXPECT_EQ(repaints.load(), 3);
    EXPECT_EQ(threadCalls.load(), 2); // the scope made as it starts, ended as it ends
}

// The worker asks the waiting thread for each icon and blocks until it is answered, as the
// icon manager's synchronous message does: cancelling must keep answering, not deadlock, and
// nothing fetched after the cancel reaches the item.
TEST_F(FolderIconJob, CancelAnswersTheWorkersRequestAndStoresNothingAfterIt) {
    std::atomic<bool> asked{false};
    std::atomic<bool> answered{false};
    const int before = View->ItemAt(0)->Icon().Texture;
    auto job = std::make_unique<TIconJob>(
        Items(),
        [&](const TIDList*) {
            asked = true;
            while (!answered)
                std::this_thread::yield();
            return TItemIcon{9, {0, 1, 0, 1}};
        },
        nullptr,
        [&] {
            if (asked)
                answered = true;
        });
    while (!asked)
        std::this_thread::yield();
    job.reset();
    EXPECT_TRUE(answered.load());
    for (int32_t i = 0; i < View->Count(); ++i)
        EXPECT_NE(View->ItemAt(i)->Icon().Texture, 9);
    EXPECT_EQ(View->ItemAt(0)->Icon().Texture, before);
}
