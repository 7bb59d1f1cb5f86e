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
    design.picture = &chrome::BackgroundPicture();
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

}  // namespace ui
