// What both converter windows share: value displays with their captions, the
// focus marker beside the active one, the amount-entry component, moving
// between fields, the common keys (Tab, Shift+Tab, Up, Down, F1, Alt+F4, the
// entry keys, and copy and paste of the active display) and the close, about
// and help commands. A window adds its own keys and commands, and says how
// its fields convert.
#pragma once

#include <optional>
#include <vector>

#include "chrome/FocusMarker.h"
#include "ui/AmountEntry.h"
#include "ui/Form.h"

namespace ui {

// What a converter window asks of the rest of the program.
class ConverterHost {
public:
    // Shows the about box modal over `owner`.
    virtual void ShowAbout(platform::Window& owner) = 0;
    // Opens the program's help file.
    virtual void ShowHelp(platform::WindowHandle owner) = 0;

protected:
    ~ConverterHost() = default;
};

class ConverterForm : public Form, private EntryWindow {
public:
    // The indices of the common commands among the window's image buttons.
    struct CommonCommands {
        int close;
        int about;
        int help;
    };

    ~ConverterForm() override;

    void SelectField(int field) { Entry().SelectField(field); }
    // Fills the displays that depend on the active one and ends the entry.
    void ConvertActiveField() { Entry().ConvertActiveField(); }

    void imaCommand_Click(int index);
    void Form_KeyDown(int keyCode, int shift);

    // What the window shows and holds.
    int ActiveField() const { return Entry().ActiveField(); }
    bool EntryInProgress() const { return Entry().EntryInProgress(); }
    const std::string& DisplayText(int field) const { return Entry().DisplayText(field); }
    const platform::Label& Display(int field) const { return Entry().Display(field); }
    const platform::Label& Caption(int field) const { return Entry().Caption(field); }
    const platform::Surface& FocusMarker() const { return converter_->marker.Surface(); }

protected:
    ConverterForm(platform::Platform& platform, ConverterHost& host, const char* name,
                  bool showInTaskbar, CommonCommands commands);

    // Creates the command buttons; a click runs imaCommand_Click(index).
    void AddCommandButtons(const std::vector<platform::ImageButtonDesign>& designs);
    // Creates the marker at its design place and the entry component over
    // the fields: `captions[i]` and `displays[i]` make up field i.
    void AttachEntry(std::vector<platform::Label*> captions, std::vector<platform::Label*> displays,
                     const platform::Bounds& markerDesign);
    // The load step: the marker beside display 0, the undo state saved.
    void SetUpEntry();

    AmountEntry& Entry() { return converter_->entry; }
    const AmountEntry& Entry() const { return converter_->entry; }

    // Ends an entry in progress, then makes the next or previous field active.
    void MoveToField(bool forward);

    // The window's own keys, seen before the common ones: true when handled.
    virtual bool WindowKeyDown(int keyCode, int shift) = 0;
    // The window's own commands.
    virtual void WindowCommand(int index) = 0;
    // The field after (or before) the active one.
    virtual int NextField(int active, bool forward) const = 0;
    // Drops the window's own controls; the common ones go after them.
    virtual void ForgetWindowControls() {}
    // The rest of EntryWindow is the window's: how its fields convert, what
    // a new entry clears, where typing goes and what undo gives back.

private:
    struct Controls {
        Controls(platform::Platform& platform, platform::Window& window, EntryWindow& entryWindow,
                 std::vector<platform::Label*> captions, std::vector<platform::Label*> displays,
                 const platform::Bounds& markerDesign)
            : marker(platform, window, markerDesign),
              entry(entryWindow, std::move(captions), std::move(displays), marker) {}
        chrome::FocusMarker marker;
        AmountEntry entry;
    };

    // Puts the active display on the clipboard as shown, amounts with the
    // user's decimal separator.
    void CopyActiveDisplay();
    // Types the clipboard's amount into the active display, in place of an
    // entry in progress or as a new one; beeps and changes nothing when it
    // holds no amount or the field takes no typing.
    void PasteIntoActiveDisplay();

    // Form
    void ForgetControls() final;
    void KeyDown(int keyCode, int shift) final { Form_KeyDown(keyCode, shift); }
    // The face, then the marker's triangle at the new scale.
    void DpiChanged() final;

    ConverterHost& host_;
    CommonCommands commands_;
    std::optional<Controls> converter_;
};

}  // namespace ui
