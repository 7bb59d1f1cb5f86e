// Alt+Z, Alt+O and the about box pressed again and again, in bursts, while
// the modal windows open and close: never two of one window, and every
// owner takes input again once the window over it has closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <sstream>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr WindowKind kKinds[] = {WindowKind::kEuroZone, WindowKind::kOptions, WindowKind::kAbout};
constexpr const char* kNames[] = {"main window", "euro-zone window", "options dialog", "about box"};
// The shown windows of each kind, indexed by WindowKind.
using ShownWindows = std::array<std::vector<HWND>, 4>;

class ModalWindows : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.WaitForMainWindow(), nullptr); }

    // Waits until the windows `open` are shown, one of each and no other,
    // each owned by the one before it (the first by the main window), and
    // only the last takes input.
    testing::AssertionResult Settled(const std::vector<WindowKind>& open) {
        std::string problem;
        return testing::AssertionResult(
                   WaitUntil([&] { return (problem = Problem(open)).empty(); }))
               << problem;
    }
    ProgramWindow Shown(WindowKind kind) {
        const std::vector<HWND> shown = ShownByKind()[static_cast<int>(kind)];
        return ProgramWindow(shown.empty() ? nullptr : shown.front(), kind);
    }
    // The euro-zone window shows the next currency once it has taken the
    // keys sent before the arrow (or, from a foreground main window, the
    // keys and the arrow).
    testing::AssertionResult ZoneTakesKeys(const std::vector<Keystroke>& keys = {}) {
        const ProgramWindow zone = Shown(WindowKind::kEuroZone);
        const std::wstring before = zone.Text(L"lblP(0)");
        if (keys.empty()) {
            zone.Press({{VK_RIGHT}});
        } else {
            SendKeystrokes(keys);
        }
        return testing::AssertionResult(WaitUntil([&] { return zone.Text(L"lblP(0)") != before; }))
               << "the euro-zone window takes no keys";
    }

    ProgramUnderTest app_;

private:
    // The program's shown windows by kind. A window's kind is read once,
    // from its controls: reading them is slow, and a window keeps its kind.
    ShownWindows ShownByKind() {
        ShownWindows shown;
        for (HWND window : app_.OtherShownWindows()) {
            auto known = kinds_.find(window);
            for (const WindowKind kind : kKinds) {
                if (known == kinds_.end() && ProgramWindow::IsOfKind(window, kind)) {
                    known = kinds_.emplace(window, kind).first;
                }
            }
            if (known != kinds_.end()) {  // else still making its controls
                shown[static_cast<int>(known->second)].push_back(window);
            }
        }
        return shown;
    }
    std::string Problem(const std::vector<WindowKind>& open) {
        std::ostringstream problem;
        const ShownWindows shown = ShownByKind();
        for (const WindowKind kind : kKinds) {
            const bool expected = std::find(open.begin(), open.end(), kind) != open.end();
            const size_t count = shown[static_cast<int>(kind)].size();
            if (count != (expected ? 1u : 0u)) {
                problem << count << " " << kNames[static_cast<int>(kind)] << " shown; ";
            }
        }
        if (!problem.str().empty()) {
            return problem.str();
        }
        HWND owner = app_.MainWindow();
        for (const WindowKind kind : open) {
            HWND window = shown[static_cast<int>(kind)].front();
            if (GetWindow(window, GW_OWNER) != owner || IsWindowEnabled(owner)) {
                problem << "the " << kNames[static_cast<int>(kind)]
                        << " has another owner, or its owner takes input; ";
            }
            owner = window;
        }
        if (!IsWindowEnabled(owner)) {
            problem << "the frontmost window takes no input";
        }
        return problem.str();
    }

    std::map<HWND, WindowKind> kinds_;
};

TEST_F(ModalWindows, BurstsOfOpeningKeysAndClicksOpenOneWindowAtATime) {
    using K = WindowKind;
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        // The first key opens the euro-zone window; the others reach it,
        // and it opens nothing.
        app_.Press({WithAlt('Z'), WithAlt('O'), WithAlt('Z'), WithAlt('O'), WithAlt('Z')});
        ASSERT_TRUE(Settled({K::kEuroZone}));
        ASSERT_TRUE(ZoneTakesKeys());
        ASSERT_TRUE(Settled({K::kEuroZone}));

        // The about box over it, and the opening keys again.
        Shown(K::kEuroZone).Click(L"imaCommand(1)");
        ASSERT_TRUE(Settled({K::kEuroZone, K::kAbout}));
        Shown(K::kAbout).Press({WithAlt('Z'), WithAlt('O'), WithAlt('Z'), {VK_ESCAPE}});
        ASSERT_TRUE(Settled({K::kEuroZone}));
        ASSERT_TRUE(ZoneTakesKeys());
        Shown(K::kEuroZone).Press({WithAlt(VK_F4)});
        ASSERT_TRUE(Settled({}));

        app_.Press({WithAlt('O'), WithAlt('Z'), WithAlt('O'), WithAlt('Z')});
        ASSERT_TRUE(Settled({K::kOptions}));
        Shown(K::kOptions).Press({WithAlt('Z'), WithAlt('O'), {VK_ESCAPE}});
        ASSERT_TRUE(Settled({}));

        app_.Click(L"imaCommand(3)");
        ASSERT_TRUE(Settled({K::kAbout}));
        Shown(K::kAbout).Press({WithAlt('O'), WithAlt('Z'), {VK_RETURN}});
        ASSERT_TRUE(Settled({}));
    }

    // Another program may hand the foreground to the main window while a
    // window is open over it (Wine lets it, disabled as it is): the keys
    // typed once the main window is active are the open window's (Alt+O
    // opens no second window), and they bring it back to the front. Under
    // Wine that change of focus releases Alt, as X holds no key down, so a
    // key after the first may come without it: the window is closed from
    // the front.
    app_.Press({WithAlt('Z')});
    ASSERT_TRUE(Settled({K::kEuroZone}));
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(BringToForeground(app_.MainWindow()))
            << "the main window never came to the front";
        EXPECT_TRUE(ZoneTakesKeys({WithAlt('O'), {VK_RIGHT}}));
        ASSERT_TRUE(Settled({K::kEuroZone}));
        EXPECT_TRUE(WaitUntil([&] {
            return GetForegroundWindow() == Shown(K::kEuroZone).Handle();
        })) << "the euro-zone window is not in front again";
    }
    Shown(K::kEuroZone).Press({WithAlt(VK_F4)});
    ASSERT_TRUE(Settled({}));
    // The main window takes keys again.
    app_.Type(L"3");
    EXPECT_TRUE(app_.Shows(L"lblP(0)", L"3"));
}

}  // namespace
}  // namespace e2e
