// What the program relies on from the notification area, on every platform
// (the Startup shortcut: tests/program/DialogsTest.cpp).
#include "ContractFixture.h"

namespace contract {
namespace {

// Icon events, as recorded.
class IconEvents : public platform::NotificationIconEvents {
public:
    void IconDoubleClicked() override {}
    void ShellRestarted() override {}
};

class PlatformNotificationArea : public ContractTest {};

TEST_F(PlatformNotificationArea, TakesTheIconAndRemovesItWithItsObject) {
    RecordingEvents events;
    auto window = MakeWindow("frmIcon", events);
    IconEvents iconEvents;
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
