#include "ui/ConverterForm.h"

#include <optional>
#include <string>

#include "core/ClipboardAmount.h"
#include "ui/Keys.h"

namespace ui {

ConverterForm::ConverterForm(platform::Platform& platform, ConverterHost& host, const char* name,
                             bool showInTaskbar, CommonCommands commands)
    : Form(platform, name, showInTaskbar), host_(host), commands_(commands) {}

ConverterForm::~ConverterForm() = default;

void ConverterForm::AddCommandButtons(const std::vector<platform::ImageButtonDesign>& designs) {
    for (const platform::ImageButtonDesign& design : designs) {
        const int index = design.index;
        Window().AddImageButton(design).SetOnClick([this, index] { imaCommand_Click(index); });
    }
}

void ConverterForm::AttachEntry(std::vector<platform::Label*> captions,
                                std::vector<platform::Label*> displays,
                                const platform::Bounds& markerDesign) {
    converter_.emplace(Platform(), Window(), static_cast<EntryWindow&>(*this), std::move(captions),
                       std::move(displays), markerDesign);
}

void ConverterForm::SetUpEntry() {
    converter_->marker.SetUp(Display(0).Placement());
    Entry().SaveUndo();
}

void ConverterForm::DpiChanged() {
    Form::DpiChanged();
    if (converter_)
        converter_->marker.Rescale();
}

void ConverterForm::ForgetControls() {
    ForgetWindowControls();
    converter_.reset();
}

void ConverterForm::MoveToField(bool forward) {
    Entry().EndEntry();
    SelectField(NextField(ActiveField(), forward));
}

void ConverterForm::Form_KeyDown(int keyCode, int shift) {
    if (WindowKeyDown(keyCode, shift))
        return;
    switch (ClipboardKeyOf(keyCode, shift)) {
        case ClipboardKey::kCopy:
            CopyActiveDisplay();
            return;
        case ClipboardKey::kPaste:
            PasteIntoActiveDisplay();
            return;
        case ClipboardKey::kNone:
            break;
    }
    namespace vk = platform::vk;
    switch (keyCode) {
        case vk::kTab:
            MoveToField(!ShiftHeld(shift));
            return;
        case vk::kUp:
            MoveToField(false);
            return;
        case vk::kDown:
            MoveToField(true);
            return;
        case vk::kF4:
            if (AltHeld(shift))
                imaCommand_Click(commands_.close);
            return;
        case vk::kF1:
            host_.ShowHelp(Window().Handle());
            return;
        default:
            HandleEntryKey(Entry(), keyCode);
            return;
    }
}

void ConverterForm::CopyActiveDisplay() {
    const std::string& shown = DisplayText(ActiveField());
    // An amount typed or converted; otherwise a name, copied as it is.
    const std::string text =
        Entry().ActiveFieldTakesTyping()
            ? core::CopiedAmount(shown, Platform().Numbers().DecimalSeparator())
            : shown;
    Platform().ClipboardText().SetText(Window().Handle(), text);
}

void ConverterForm::PasteIntoActiveDisplay() {
    std::optional<std::string> amount;
    if (Entry().ActiveFieldTakesTyping())
        amount = core::PastedAmount(Platform().ClipboardText().Text(Window().Handle()),
                                    Platform().Numbers().DecimalSeparator());
    if (amount)
        Entry().TypeAmount(*amount);
    else
        Platform().Sound().Beep();
}

void ConverterForm::imaCommand_Click(int index) {
    if (index == commands_.close) {
        Unload();
    } else if (index == commands_.about) {
        host_.ShowAbout(Window());
    } else if (index == commands_.help) {
        // The window's own F1 handling opens the help file.
        Platform().Keys().SendKeys("{F1}");
    } else {
        WindowCommand(index);
    }
}

}  // namespace ui
