// Alt+Z, Alt+O and the about box pressed again and again, in bursts, while
// the modal windows open and close: never two of one window, and every
// owner takes input again once the window over it has closed.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <map>
#include <sstream>
#include <thread>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

enum Kind { kZone, kOptions, kAbout, kKinds };
constexpr std::array<WindowKind, kKinds> kWindowKinds = {WindowKind::kEuroZone,
                                                         WindowKind::kOptions, WindowKind::kAbout};
constexpr std::array<const char*, kKinds> kNames = {"euro-zone window", "options dialog",
                                                    "about box"};

// The program's shown windows of each kind. A window's kind is read once,
// from its controls: reading them is slow, and a window keeps its kind.
class WindowSorter {
public:
    std::array<std::vector<HWND>, kKinds> ShownByKind(const ProgramUnderTest& app) {
        std::array<std::vector<HWND>, kKinds> shown;
        for (HWND window : app.OtherShownWindows()) {
            auto known = kinds_.find(window);
            if (known == kinds_.end()) {
                const auto kind =
                    std::find_if(kWindowKinds.begin(), kWindowKinds.end(),
                                 [&](WindowKind k) { return ProgramWindow::IsOfKind(window, k); });
                if (kind == kWindowKinds.end()) {
                    continue;  // still making its controls
                }
                known = kinds_.emplace(window, static_cast<int>(kind - kWindowKinds.begin())).first;
            }
            shown[known->second].push_back(window);
        }
        return shown;
    }

private:
    std::map<HWND, int> kinds_;
};

// Counts the program's shown windows of each kind in a thread of its own,
// all the while the test drives the program, and keeps the most seen at
// once: a second window that shows only for a moment counts too.
class WindowCensus {
public:
    explicit WindowCensus(const ProgramUnderTest& app)
        : app_(app),
          stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this] { Run(); }) {}
    ~WindowCensus() {
        SetEvent(stop_.get());
        thread_.join();
    }
    WindowCensus(const WindowCensus&) = delete;
    WindowCensus& operator=(const WindowCensus&) = delete;

    int MostAtOnce(Kind kind) const { return most_[kind]; }

private:
    void Run() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        WindowSorter sorter;
        do {
            const auto shown = sorter.ShownByKind(app_);
            for (int kind = 0; kind < kKinds; ++kind) {
                const int count = static_cast<int>(shown[kind].size());
                if (count > most_[kind]) {
                    most_[kind] = count;
                }
            }
        } while (WaitForSingleObject(stop_.get(), 5) == WAIT_TIMEOUT);
        CoUninitialize();
    }

    const ProgramUnderTest& app_;
    std::array<std::atomic<int>, kKinds> most_{};
    UniqueHandle stop_;
    std::thread thread_;
};

class ModalWindows : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.WaitForShownMainWindow(), nullptr); }

    // Waits until the windows `open` are shown, one of each and no other,
    // each owned by the one before it (the first by the main window), and
    // only the last takes input.
    testing::AssertionResult Settled(const std::vector<Kind>& open) const {
        std::string seen;
        if (WaitUntil([&] { return (seen = Problem(open)).empty(); })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << seen;
    }
    ProgramWindow Shown(Kind kind) const {
        const auto shown = sorter_.ShownByKind(app_);
        return ProgramWindow(shown[kind].empty() ? nullptr : shown[kind].front(),
                             kWindowKinds[kind]);
    }
    // The euro-zone window shows the next currency once it has taken the
    // keys sent before the arrow.
    testing::AssertionResult ZoneTakesKeys() const {
        const ProgramWindow zone = Shown(kZone);
        const std::wstring before = zone.Text(L"lblP(0)");
        zone.Press({{VK_RIGHT}});
        if (WaitUntil([&] { return zone.Text(L"lblP(0)") != before; })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "the euro-zone window takes no keys";
    }

    ProgramUnderTest app_;

private:
    std::string Problem(const std::vector<Kind>& open) const {
        std::ostringstream problem;
        const auto shown = sorter_.ShownByKind(app_);
        for (int kind = 0; kind < kKinds; ++kind) {
            const bool expected = std::find(open.begin(), open.end(), kind) != open.end();
            if (shown[kind].size() != (expected ? 1u : 0u)) {
                problem << shown[kind].size() << " " << kNames[kind] << " shown; ";
            }
        }
        if (!problem.str().empty()) {
            return problem.str();
        }
        HWND owner = app_.MainWindow();
        for (Kind kind : open) {
            HWND window = shown[kind].front();
            if (GetWindow(window, GW_OWNER) != owner) {
                problem << "the " << kNames[kind] << " has another owner; ";
            }
            if (IsWindowEnabled(owner)) {
                problem << "the owner of the " << kNames[kind] << " takes input; ";
            }
            owner = window;
        }
        if (!IsWindowEnabled(owner)) {
            problem << "the frontmost window takes no input";
        }
        return problem.str();
    }

    mutable WindowSorter sorter_;
};

TEST_F(ModalWindows, BurstsOfOpeningKeysAndClicksOpenOneWindowAtATime) {
    WindowCensus census(app_);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        // The first key opens the euro-zone window; the others reach it,
        // and it opens nothing.
        app_.Press({WithAlt('Z'), WithAlt('O'), WithAlt('Z'), WithAlt('O'), WithAlt('Z')});
        ASSERT_TRUE(Settled({kZone}));
        ASSERT_TRUE(ZoneTakesKeys());
        ASSERT_TRUE(Settled({kZone}));

        // The about box over it, and the opening keys again.
        Shown(kZone).Click(L"imaCommand(1)");
        ASSERT_TRUE(Settled({kZone, kAbout}));
        Shown(kAbout).Press({WithAlt('Z'), WithAlt('O'), WithAlt('Z'), {VK_ESCAPE}});
        ASSERT_TRUE(Settled({kZone}));
        ASSERT_TRUE(ZoneTakesKeys());
        Shown(kZone).Press({WithAlt(VK_F4)});
        ASSERT_TRUE(Settled({}));

        app_.Press({WithAlt('O'), WithAlt('Z'), WithAlt('O'), WithAlt('Z')});
        ASSERT_TRUE(Settled({kOptions}));
        Shown(kOptions).Press({WithAlt('Z'), WithAlt('O'), {VK_ESCAPE}});
        ASSERT_TRUE(Settled({}));

        app_.Click(L"imaCommand(3)");
        ASSERT_TRUE(Settled({kAbout}));
        Shown(kAbout).Press({WithAlt('O'), WithAlt('Z'), {VK_RETURN}});
        ASSERT_TRUE(Settled({}));
    }
    for (Kind kind : {kZone, kOptions, kAbout}) {
        EXPECT_EQ(census.MostAtOnce(kind), 1) << kNames[kind] << "s shown at once";
    }
    // The main window takes keys again.
    app_.Type(L"3");
    EXPECT_TRUE(app_.Shows(L"lblP(0)", L"3"));
}

// Another program may hand the foreground to the main window while a window
// is open over it (Wine lets it, disabled as it is): the keys typed then are
// the open window's, Alt+F4 included, and they bring it back to the front.
TEST_F(ModalWindows, KeysTypedIntoTheDisabledOwnerGoToTheWindowOverIt) {
    app_.Press({WithAlt('Z')});
    ASSERT_TRUE(Settled({kZone}));
    const ProgramWindow zone = Shown(kZone);
    const auto handMainTheForeground = [&] {
        return WaitUntil([&] {
            SetForegroundWindow(app_.MainWindow());
            return GetForegroundWindow() == app_.MainWindow();
        });
    };
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        ASSERT_TRUE(handMainTheForeground()) << "the main window never came to the front";
        const std::wstring before = zone.Text(L"lblP(0)");
        SendKeystrokes({WithAlt('O'), {VK_RIGHT}});
        EXPECT_TRUE(WaitUntil([&] { return zone.Text(L"lblP(0)") != before; }))
            << "the euro-zone window did not take the keys";
        ASSERT_TRUE(Settled({kZone}));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == zone.Handle(); }))
            << "the euro-zone window is not in front again";
    }
    ASSERT_TRUE(handMainTheForeground());
    SendKeystrokes({WithAlt(VK_F4)});
    ASSERT_TRUE(Settled({}));
    app_.Type(L"3");
    EXPECT_TRUE(app_.Shows(L"lblP(0)", L"3"));
}

}  // namespace
}  // namespace e2e
