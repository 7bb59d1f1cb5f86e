// What the program relies on from the clipboard, on every platform.
#include "ContractFixture.h"

namespace contract {
namespace {

class PlatformClipboard : public ContractTest {};

TEST_F(PlatformClipboard, GivesBackTheTextItWasGivenInPlaceOfTheLast) {
    RecordingEvents events;
    auto window = MakeWindow("frmCopy", events);
    platform::Clipboard& clipboard = Platform().ClipboardText();

    // UTF-8 both ways: a no-break space and the euro sign.
    const std::string amount =
        "1\xC2\xA0"
        "234,56 \xE2\x82\xAC";
    clipboard.SetText(window->Handle(), amount);
    EXPECT_EQ(clipboard.Text(window->Handle()), amount);

    clipboard.SetText(window->Handle(), "6,55957");
    EXPECT_EQ(clipboard.Text(window->Handle()), "6,55957") << "the new text replaces the last";

    clipboard.SetText(window->Handle(), "");
    EXPECT_EQ(clipboard.Text(window->Handle()), "") << "an empty text reads back empty";
}

}  // namespace
}  // namespace contract
