// Alt+Z, Alt+O and the about box pressed again and again, in bursts, while
// the modal windows open and close: never two of one window, and every
// owner takes input again once the window over it has closed.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <sstream>
#include <thread>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

enum Kind { kZone, kOptions, kAbout, kKinds };
// The control that tells each window from the others.
constexpr std::array<const wchar_t*, kKinds> kMarks = {L"lblEti(0)", L"chkAppoint", L"lblTitle"};
constexpr std::array<const char*, kKinds> kNames = {"euro-zone window", "options dialog",
                                                    "about box"};

std::array<std::vector<HWND>, kKinds> ShownByKind(const ProgramUnderTest& app) {
    std::array<std::vector<HWND>, kKinds> shown;
    for (HWND window : app.OtherShownWindows()) {
        for (int kind = 0; kind < kKinds; ++kind) {
            if (ProgramWindow(window).Control(kMarks[kind]) != nullptr) {
                shown[kind].push_back(window);
            }
        }
    }
    return shown;
}

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
        do {
            const auto shown = ShownByKind(app_);
            for (int kind = 0; kind < kKinds; ++kind) {
                const int count = static_cast<int>(shown[kind].size());
                if (count > most_[kind]) {
                    most_[kind] = count;
                }
            }
        } while (WaitForSingleObject(stop_.get(), 5) == WAIT_TIMEOUT);
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
        const auto shown = ShownByKind(app_);
        return ProgramWindow(shown[kind].empty() ? nullptr : shown[kind].front());
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
        const auto shown = ShownByKind(app_);
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

// The main window dragged until little of it shows in a corner: the window
// that opens over it lies inside the work area, where it can be reached.
TEST_F(ModalWindows, OpenInsideTheWorkAreaOverAMainWindowInACorner) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const RECT main = WindowRect(app_.MainWindow());
    const int width = main.right - main.left;
    const int height = main.bottom - main.top;
    struct Corner {
        POINT mainAt;
        WORD key;
        Kind opened;
    };
    for (const Corner& corner :
         {Corner{{work.left - 143, work.top - 121}, 'O', kOptions},
          Corner{{work.right - width + 143, work.bottom - height + 121}, 'Z', kZone}}) {
        ASSERT_TRUE(SetWindowPos(app_.MainWindow(), nullptr, corner.mainAt.x, corner.mainAt.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        app_.Press({WithAlt(corner.key)});
        ASSERT_TRUE(Settled({corner.opened}));
        const RECT shown = WindowRect(Shown(corner.opened).Handle());
        EXPECT_TRUE(shown.left >= work.left && shown.top >= work.top && shown.right <= work.right &&
                    shown.bottom <= work.bottom)
            << "the " << kNames[corner.opened] << " opens at (" << shown.left << ", " << shown.top
            << ")-(" << shown.right << ", " << shown.bottom << ")";
        Shown(corner.opened).Press({WithAlt(VK_F4)});
        ASSERT_TRUE(Settled({}));
    }
}

}  // namespace
}  // namespace e2e
