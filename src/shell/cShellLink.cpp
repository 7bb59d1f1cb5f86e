#include "shell/cShellLink.h"

namespace shell {
namespace {

// What the shell's getters are handed: 255 blanks, as a fixed buffer.
constexpr int kTextBuffer = 255;
constexpr std::uint32_t kResolveUpdate = 4;    // SLR_UPDATE
constexpr std::uint32_t kPathUncPriority = 2;  // SLGP_UNCPRIORITY
constexpr std::uint32_t kReadMode = 0;         // STGM_READ
constexpr std::int32_t kNormalWindow = 1;      // SW_SHOWNORMAL

}  // namespace

std::string cShellLink::TrimAtNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

bool cShellLink::CreateLink() {
    if (ExeFile_.empty() || LnkFile_.empty())
        return false;
    std::unique_ptr<platform::ShellLinkObject> link = shell_.CreateShellLink();
    if (!link)
        return false;
    if (!link->SetPath(ExeFile_))
        return false;
    if (!WorkDir_.empty() && !link->SetWorkingDirectory(WorkDir_))
        return false;
    if (!ExeArgs_.empty() && !link->SetArguments(ExeArgs_))
        return false;
    if (!Description_.empty() && !link->SetDescription(Description_))
        return false;
    if (!IconFile_.empty() && !link->SetIconLocation(IconFile_, IconIdx_))
        return false;
    if (!link->SetHotkey(static_cast<std::uint16_t>(HotKey_)))
        return false;
    if (!link->SetShowCmd(StartShow_))
        return false;
    if (!link->Resolve(0, kResolveUpdate))
        return false;
    return link->Save(LnkFile_, false);
}

bool cShellLink::GetLinkInfo() {
    if (LnkFile_.empty())
        return false;
    std::unique_ptr<platform::ShellLinkObject> link = shell_.CreateShellLink();
    if (!link)
        throw platform::RuntimeError("ActiveX component can't create object");
    if (!link->Load(LnkFile_, kReadMode))
        return false;

    auto read = [](std::string& property, auto getter) {
        property.assign(kTextBuffer, ' ');
        bool ok = getter(property);
        property = TrimAtNull(property);
        return ok;
    };
    if (!read(ExeFile_,
              [&](std::string& t) { return link->GetPath(t, kTextBuffer, kPathUncPriority); }))
        return false;
    if (!read(WorkDir_, [&](std::string& t) { return link->GetWorkingDirectory(t, kTextBuffer); }))
        return false;
    if (!read(ExeArgs_, [&](std::string& t) { return link->GetArguments(t, kTextBuffer); }))
        return false;
    if (!read(Description_, [&](std::string& t) { return link->GetDescription(t, kTextBuffer); }))
        return false;
    std::uint16_t hotKey = 0;
    if (!link->GetHotkey(&hotKey))
        return false;
    HotKey_ =
        static_cast<std::int32_t>((static_cast<std::uint32_t>(HotKey_) & 0xFFFF0000u) | hotKey);
    int iconIndex = 0;
    if (!read(IconFile_,
              [&](std::string& t) { return link->GetIconLocation(t, kTextBuffer, &iconIndex); }))
        return false;
    IconIdx_ = iconIndex;
    int showCommand = 0;
    if (!link->GetShowCmd(&showCommand))
        return false;
    StartShow_ = showCommand;
    return true;
}

void cShellLink::Reset() {
    LnkFile_.clear();
    ExeFile_.clear();
    Description_.clear();
    WorkDir_.clear();
    ExeArgs_.clear();
    IconFile_.clear();
    HotKey_ = 0;
    IconIdx_ = 0;
    StartShow_ = kNormalWindow;
}

}  // namespace shell
