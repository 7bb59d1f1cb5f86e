#include "ui/Form.h"

#include "chrome/mRgn.h"

namespace ui {

Form::Form(platform::Platform& platform, const char* name, bool showInTaskbar)
    : platform_(platform), name_(name), showInTaskbar_(showInTaskbar) {}

Form::~Form() = default;

void Form::Load() {
    if (Loaded())
        return;
    platform::FormDesign design;
    design.name = name_;
    design.caption = "Convalis";
    design.bounds = chrome::outline::kTwipsSize;
    design.picture = &chrome::BackgroundPicture;
    design.showInTaskbar = showInTaskbar_;
    window_ = platform_.CreateForm(design, *this);
    CreateControls();
    Form_Load();
}

void Form::Unload() {
    if (!Loaded())
        return;
    Form_Unload();
    ForgetControls();
    platform_.Unload(std::move(window_));
}

void Form::ShowModal(platform::Window& owner) {
    Load();
    window_->CenterOver(owner);
    window_->ShowModal(owner);
}

void Form::Resize() {
    if (Loaded())
        chrome::PaintWindowFrame(platform_, *window_);
}

void Form::DpiChanged() {
    if (!Loaded())
        return;
    // The outline's size is the same in twips, but not its pixels. The old
    // shape goes first: a resize on the way would frame the new image
    // along it.
    platform_.Graphics().RemoveWindowShape(window_->Handle());
    chrome::ApplyWindowOutline(platform_, *window_);
    chrome::PaintWindowFrame(platform_, *window_);
}

}  // namespace ui
