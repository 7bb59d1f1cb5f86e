// The drawing-surface control; the focus marker drawn on it is checked at
// every scale in tests/program/PicturesTest.cpp.
#include <gtest/gtest.h>

#include "chrome/mDrawing.h"
#include "chrome/nrvGDICtl.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace {

using platform::MakeRgb;
using platform::SystemColor;

class DrawingSurface : public ::testing::Test {
protected:
    DrawingSurface()
        : window_(platform_.CreateForm({"frmTest", "Test", {0, 0, 3000, 3000}}, events_)),
          surface_(window_->AddSurface({"nrvTest", -1, {0, 0, 150, 150}, true})),
          control_(surface_, platform_.Graphics()) {}

    struct NoEvents : platform::FormEvents {
        void KeyDown(int, int) override {}
        void CloseRequested() override {}
    } events_;
    offscreen::OffscreenPlatform platform_;
    std::unique_ptr<platform::Window> window_;
    platform::Surface& surface_;
    chrome::nrvGDICtl control_;
};

TEST_F(DrawingSurface, LoadStateAppliesSavedKeysWhateverTheirCase) {
    chrome::PropertyBag bag;
    bag.WriteProperty("drawmode", 7);
    bag.WriteText("FORECOLOR", "&HFF");
    control_.LoadState(bag);
    EXPECT_EQ(control_.DrawMode(), 7);
    EXPECT_EQ(control_.ForeColor(), 0xFFu);
    // Missing keys leave the attributes as they were.
    EXPECT_EQ(control_.BackColor(), SystemColor(platform::syscolor::kWindow));
    EXPECT_EQ(control_.Fillstyle(), 1);
}

TEST_F(DrawingSurface, LoadStateStopsAtAValueOfTheWrongTypeOrSize) {
    chrome::PropertyBag bag;
    bag.WriteProperty("BackColor", 0x123456);
    bag.WriteText("FillColor", "olive");
    bag.WriteProperty("DrawMode", 9);
    EXPECT_THROW(control_.LoadState(bag), platform::RuntimeError);
    EXPECT_EQ(control_.BackColor(), 0x123456u);
    EXPECT_EQ(control_.DrawMode(), 13);

    // Too wide for its attribute: an error, not the value's low bits.
    const std::vector<std::pair<const char*, std::int64_t>> tooWide = {
        {"DrawMode", (std::int64_t{1} << 32) + 7},
        {"FillStyle", 32768},
        {"FillStyle", -32769},
        {"ForeColor", std::int64_t{1} << 32},
        {"FillColor", INT32_MIN - std::int64_t{1}}};
    for (const auto& [key, value] : tooWide) {
        chrome::PropertyBag wide;
        wide.WriteProperty(key, value);
        EXPECT_THROW(control_.LoadState(wide), platform::RuntimeError) << key << " " << value;
        EXPECT_EQ(control_.DrawMode(), 13);
        EXPECT_EQ(control_.Fillstyle(), 1);
        EXPECT_EQ(control_.ForeColor(), SystemColor(platform::syscolor::kButtonText));
        EXPECT_EQ(control_.FillColor(), MakeRgb(0, 0, 0));
    }

    // A colour's 32 bits may be saved signed or unsigned.
    chrome::PropertyBag colours;
    colours.WriteText("ForeColor", "&H80000005");
    colours.WriteProperty("FillColor", -2147483646);  // &H80000002
    control_.LoadState(colours);
    EXPECT_EQ(control_.ForeColor(), 0x80000005u);
    EXPECT_EQ(control_.FillColor(), 0x80000002u);
}

TEST_F(DrawingSurface, AnAttributeTheSurfaceRefusesKeepsItsValue) {
    control_.SetFillstyle(2);
    EXPECT_THROW(control_.SetFillstyle(32768), platform::RuntimeError);  // overflow
    EXPECT_THROW(control_.SetFillstyle(8), platform::RuntimeError);      // no such style
    try {  // nor is this, though it fits in 16 bits: not an overflow
        control_.SetFillstyle(INT16_MIN);
        ADD_FAILURE() << "the style was taken";
    } catch (const platform::RuntimeError& error) {
        EXPECT_STREQ(error.what(), "Invalid property value");
    }
    EXPECT_EQ(control_.Fillstyle(), 2);
    EXPECT_THROW(control_.SetDrawMode(-32769), platform::RuntimeError);
    EXPECT_THROW(control_.SetDrawMode(0), platform::RuntimeError);
    EXPECT_EQ(control_.DrawMode(), 13);

    // A surface whose device context is gone refuses every attribute.
    control_.SetFillColor(MakeRgb(0, 0, 255));
    control_.SetForeColor(MakeRgb(255, 0, 0));
    platform_.Gdi().Detach(control_.hdc());
    EXPECT_THROW(control_.SetFillColor(MakeRgb(0, 255, 0)), platform::RuntimeError);
    EXPECT_THROW(control_.SetForeColor(MakeRgb(0, 255, 0)), platform::RuntimeError);
    EXPECT_THROW(control_.SetFillstyle(0), platform::RuntimeError);
    EXPECT_THROW(control_.SetDrawMode(7), platform::RuntimeError);
    EXPECT_EQ(control_.FillColor(), MakeRgb(0, 0, 255));
    EXPECT_EQ(control_.ForeColor(), MakeRgb(255, 0, 0));
    EXPECT_EQ(control_.Fillstyle(), 2);
    EXPECT_EQ(control_.DrawMode(), 13);
}

TEST_F(DrawingSurface, TranslateColorResolvesSystemColoursWhenCalled) {
    platform::Gdi& gdi = platform_.Graphics();
    EXPECT_EQ(chrome::TranslateColor(gdi, 0x00FF0000), 0x00FF0000u);
    platform_.Gdi().SetSysColor(platform::syscolor::kButtonFace, MakeRgb(1, 2, 3));
    EXPECT_EQ(chrome::TranslateColor(gdi, 0x8000000F), MakeRgb(1, 2, 3));
    EXPECT_EQ(chrome::TranslateColor(gdi, 0x800000FF), 0u);
}

}  // namespace
