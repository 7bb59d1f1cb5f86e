// What the program relies on from windows, controls, timers and the
// notification area, on every platform.
#include <ios>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ContractFixture.h"

namespace contract {
namespace {

using platform::RuntimeError;

using PlatformWindows = ContractTest;

// Where two controls overlap, the click goes to the upper one: an image
// button over the label added before it.
TEST_F(PlatformWindows, GiveAClickToTheUpperOfTwoOverlappingControls) {
    auto window = MakeWindow("frmOverlap");
    platform::Label& label = window->AddLabel(platform::PlainLabel(
        "lblUnder", -1, {300, 300, 1500, 600}, "Sous", platform::MakeRgb(0, 0, 0),
        platform::FontWeight::kRegular, platform::Alignment::kLeft));
    platform::ImageButton& button = window->AddImageButton(
        {"imaOver", -1, {1200, 300, 600, 600}, platform::Picture::kClose, "Fermer"});
    std::vector<std::string> clicks;
    label.SetOnClick([&] { clicks.push_back("label"); });
    button.SetOnClick([&] { clicks.push_back("button"); });
    window->Show();

    Run().ClickAt(*window, 1500, 600);
    ASSERT_TRUE(Run().RunUntil([&] { return clicks.size() == 1; })) << "no click";
    Run().ClickAt(*window, 600, 600);
    ASSERT_TRUE(Run().RunUntil([&] { return clicks.size() == 2; })) << "no second click";
    EXPECT_EQ(clicks, (std::vector<std::string>{"button", "label"}));
}

// A window opens centred on its owner, but an owner dragged to an edge of
// the screen does not take it off the screen.
TEST_F(PlatformWindows, OpenCentredOverTheirOwnerAndInsideTheScreen) {
    auto owner = MakeWindow("frmOwner");
    auto window = MakeWindow("frmOver");
    const int screenWidth = Platform().Display().WidthTwips();
    const int screenHeight = Platform().Display().HeightTwips();
    owner->Move({6000, 4500, 4500, 3000});
    window->CenterOver(*owner);
    // Centred to the pixel (15 twips at 96 dpi).
    EXPECT_NEAR(window->Placement().left, 6750, 15);
    EXPECT_NEAR(window->Placement().top, 5000, 15);

    for (const platform::Bounds& atEdge :
         {platform::Bounds{-2250, -1800, 4500, 3000},
          platform::Bounds{screenWidth - 1500, screenHeight - 900, 4500, 3000}}) {
        owner->Move(atEdge);
        window->CenterOver(*owner);
        const platform::Bounds place = window->Placement();
        EXPECT_GE(place.left, 0) << "owner at " << atEdge.left << ", " << atEdge.top;
        EXPECT_GE(place.top, 0) << "owner at " << atEdge.left << ", " << atEdge.top;
        EXPECT_LE(place.left + place.width, screenWidth) << "owner at " << atEdge.left;
        EXPECT_LE(place.top + place.height, screenHeight) << "owner at " << atEdge.top;
    }
}

using PlatformModalShow = ContractTest;

// Inside a modal loop, a window unloaded by a handler takes no control,
// timer or centring, and is freed only once the loop is over; the modal
// window, hidden by its handler, cannot be shown modal again before its
// show has returned, and stays hidden when activated.

TEST_F(PlatformModalShow, KeepsWindowsUnloadedInItsLoopUntilItEndsAndRefusesANestedShow) {
    auto owner = MakeWindow("frmOwner");
    owner->Show();
    auto modal = MakeWindow("frmModal");
    auto gone = MakeWindow("frmGone");
    platform::Window* const unloaded = gone.get();
    auto token = std::make_shared<int>();
    const std::weak_ptr<int> freed = token;
    gone->AddTimer().SetOnTick([token = std::move(token)] {});
    int ticks = 0;
    bool keptWhileTheLoopRuns = false;
    platform::Timer& timer = modal->AddTimer();
    timer.SetOnTick([&] {
        if (++ticks == 1) {
            Platform().Unload(std::move(gone));
            EXPECT_THROW(unloaded->AddSurface({"nrvBox", -1, {0, 0, 300, 300}, true}),
                         RuntimeError);
            EXPECT_THROW(unloaded->AddTimer(), RuntimeError);
            EXPECT_THROW(unloaded->CenterOver(*owner), RuntimeError);
            EXPECT_THROW(owner->CenterOver(*unloaded), RuntimeError);
        } else if (ticks == 2) {
            keptWhileTheLoopRuns = !freed.expired();
            modal->Hide();
            EXPECT_THROW(modal->ShowModal(*owner), RuntimeError);
            modal->Activate();
            EXPECT_FALSE(modal->Visible()) << "the hidden window showed when activated";
        }
    });
    timer.SetInterval(20);
    Run().PassTimeLater(100);
    modal->ShowModal(*owner);
    EXPECT_GE(ticks, 2);
    EXPECT_TRUE(keptWhileTheLoopRuns) << "the window was freed while the modal loop ran";
    EXPECT_TRUE(Run().RunUntil([&] { return freed.expired(); })) << "the window was never freed";
}

TEST_F(PlatformModalShow, RefusesItsOwnWindowAndAShownWindow) {
    auto owner = MakeWindow("frmOwner");
    auto window = MakeWindow("frmModal");
    EXPECT_THROW(window->ShowModal(*window), RuntimeError);
    window->Show();
    EXPECT_THROW(window->ShowModal(*owner), RuntimeError);
    EXPECT_TRUE(Run().TakesInput(*owner));
}

// Timers tick while enabled with an interval, and stop when disabled or
// when their window is unloaded, while a clock on another window goes on.
TEST_F(PlatformWindows, TimersTickWhileEnabledWithAnIntervalAndTheirWindowIsLoaded) {
    auto window = MakeWindow("frmTimer");
    platform::Timer& timer = window->AddTimer();
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 0);
    int ticks = 0;
    timer.SetOnTick([&] { ++ticks; });
    timer.SetInterval(15);
    EXPECT_EQ(timer.Interval(), 15);
    ASSERT_TRUE(Run().RunUntil([&] { return ticks >= 2; }));

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    const int stopped = ticks;
    auto unloaded = MakeWindow("frmUnloaded");
    int unloadedTicks = 0;
    platform::Timer& unloadedTimer = unloaded->AddTimer();
    unloadedTimer.SetOnTick([&] {
        if (++unloadedTicks == 1)
            Platform().Unload(std::move(unloaded));
    });
    unloadedTimer.SetInterval(10);
    auto other = MakeWindow("frmOther");
    platform::Timer& clock = other->AddTimer();
    int clockTicks = 0;
    clock.SetOnTick([&] { ++clockTicks; });
    clock.SetInterval(15);
    ASSERT_TRUE(Run().RunUntil([&] { return clockTicks >= 3 && unloadedTicks >= 1; }));
    EXPECT_EQ(ticks, stopped) << "a disabled timer ticked";
    EXPECT_EQ(unloadedTicks, 1) << "the timer of an unloaded window ticked";
}

// Values a property cannot take raise the run-time error and change nothing.
TEST_F(PlatformWindows, RefuseValuesTheirPropertiesCannotTake) {
    auto window = MakeWindow("frmRefusals");
    platform::Surface& surface = window->AddSurface({"nrvFocus", -1, {120, 900, 300, 300}});
    platform::Gdi& gdi = Platform().Graphics();
    EXPECT_THROW(gdi.SetDrawMode(surface.Hdc(), 99), RuntimeError);
    EXPECT_THROW(gdi.SetDrawMode(surface.Hdc(), 0), RuntimeError);
    EXPECT_THROW(gdi.SetBrush(surface.Hdc(), 8, 0), RuntimeError);
    EXPECT_NO_THROW(gdi.SetDrawMode(surface.Hdc(), 16));
    EXPECT_NO_THROW(gdi.SetBrush(surface.Hdc(), 7, 0));
}

// An OLE colour is an RGB value as it is, or the system colour of its index;
// any other value translates to nothing.
TEST_F(PlatformWindows, TranslateOleColoursAsTheSystemShowsThem) {
    const platform::Gdi& gdi = Platform().Graphics();
    platform::Rgb rgb = 0;
    for (const int index : {0, platform::syscolor::kButtonFace, platform::kSystemColorCount - 1}) {
        ASSERT_TRUE(gdi.TranslateColor(platform::SystemColor(index), &rgb)) << index;
        EXPECT_EQ(rgb, gdi.SysColor(index)) << index;
    }
    ASSERT_TRUE(gdi.TranslateColor(0x00FFFFFFu, &rgb));
    EXPECT_EQ(rgb, 0x00FFFFFFu);
    ASSERT_TRUE(gdi.TranslateColor(0, &rgb));
    EXPECT_EQ(rgb, 0u);

    rgb = platform::MakeRgb(1, 2, 3);
    for (const platform::OleColor refused : {platform::SystemColor(platform::kSystemColorCount),
                                             0x80000100u, 0x01000000u, 0x02FFFFFFu, 0xFFFFFFFFu}) {
        EXPECT_FALSE(gdi.TranslateColor(refused, &rgb)) << std::hex << refused;
    }
    EXPECT_EQ(rgb, platform::MakeRgb(1, 2, 3)) << "a refused colour changed the result";
}

TEST_F(PlatformWindows, TakeANotificationIconThatGoesWithItsObject) {
    auto window = MakeWindow("frmIcon");
    struct : platform::NotificationIconEvents {
        void IconDoubleClicked() override {}
        void ShellRestarted() override {}
    } iconEvents;
    platform::Shell& shell = Platform().ShellServices();
    auto icon = shell.CreateNotificationIcon(*window, "Convertisseur Francs-Euros", iconEvents);
    ASSERT_TRUE(icon->Add());
    EXPECT_TRUE(icon->StillThere());
    icon.reset();
    icon = shell.CreateNotificationIcon(*window, "Convalis", iconEvents);
    EXPECT_FALSE(icon->StillThere()) << "the icon outlived its object";
    EXPECT_TRUE(icon->Add());
}

}  // namespace
}  // namespace contract
