// Unloaded windows are freed as soon as no handler runs, also while a long
// input is still being delivered: they must not pile up.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace {

class Unload : public testing_support::ProgramFixture {
protected:
    // Every window and drawing surface alive holds one device context.
    std::size_t LiveDeviceContexts() { return Platform().Gdi().DeviceContexts(); }
};

TEST_F(Unload, ClosedWindowsAreFreedWhileTheInputRuns) {
    Start();
    const std::size_t mainOnly = LiveDeviceContexts();
    std::size_t openZone = 0;
    Queue({"Alt+Z"});
    Then([&] { openZone = LiveDeviceContexts(); });
    Queue({"Alt+F4"});
    for (int pair = 0; pair < 25; ++pair) {
        // The euro-zone window and its about box, the options, the about box.
        Queue({"Alt+Z"});
        QueueClick("imaCommand", 1);
        Queue({"Escape", "Alt+F4", "Alt+O", "Escape"});
        QueueClick("imaCommand", 3);
        Queue({"Escape"});
        Then([&, pair] {
            ASSERT_EQ(LiveDeviceContexts(), mainOnly) << "after " << pair + 1 << " rounds";
        });
    }
    Run();
    EXPECT_GT(openZone, mainOnly);
    EXPECT_EQ(Platform().LoadedWindows().size(), 1u);
}

TEST_F(Unload, AWindowClosedInsideANestedLoopOutlivesItsHandlers) {
    Start();
    // The about box opened from the euro-zone window, both closed from
    // their own handlers, one inside the other's modal loop.
    Queue({"Alt+Z"});
    QueueClick("imaCommand", 1);
    Then([&] { EXPECT_EQ(Platform().LoadedWindows().size(), 3u); });
    Queue({"Alt+F4", "Alt+F4"});
    Then([&] { EXPECT_EQ(Platform().LoadedWindows().size(), 1u); });
    Run();
    EXPECT_TRUE(Main().Window().Visible());
}

}  // namespace
