#include "platform/win32/shell/cShellLink.h"

#include "platform/Types.h"
#include "platform/win32/Text.h"

namespace win32 {
namespace {

// What the shell's getters are handed: 255 blanks, as a fixed buffer.
constexpr int kTextBuffer = 255;

// Whether `text` survives a trip through the ANSI code page unchanged.
bool FitsAnsiCodePage(const std::wstring& text) {
    if (::GetACP() == CP_UTF8) {
        return true;
    }
    BOOL lossy = FALSE;
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(),
                              static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
    return length > 0 && lossy == FALSE;
}

// A shortcut's target as the shell keeps it whole. Wine's shell stores the
// target in the ANSI code page, so a letter outside it would come back as
// "?" and the shortcut would lead nowhere; such a path is handed over by
// its short name, which names the same file in letters the code page has.
std::wstring TargetTheShellKeeps(const std::wstring& path) {
    if (FitsAnsiCodePage(path)) {
        return path;
    }
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) {
        return path;
    }
    std::wstring shortPath(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) {
        return path;
    }
    shortPath.resize(length);
    return FitsAnsiCodePage(shortPath) ? shortPath : path;
}

}  // namespace

std::wstring cShellLink::TrimAtNull(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

cShellLink::ShellObject cShellLink::CreateShellObject() {
    ShellObject object;
    const ComponentObjects* com = apartment_.Enter();
    if (com == nullptr ||
        FAILED(com->CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, object.link.PutVoid())) ||
        FAILED(object.link->QueryInterface(IID_IPersistFile, object.file.PutVoid()))) {
        return {};
    }
    return object;
}

bool cShellLink::CreateLink() {
    if (ExeFile_.empty() || LnkFile_.empty()) {
        return false;
    }
    const ShellObject object = CreateShellObject();
    return object.link && Write(object);
}

bool cShellLink::Write(const ShellObject& object) const {
    IShellLinkW& link = *object.link.Get();
    if (FAILED(link.SetPath(TargetTheShellKeeps(Widen(ExeFile_)).c_str())) ||
        (!WorkDir_.empty() && FAILED(link.SetWorkingDirectory(Widen(WorkDir_).c_str()))) ||
        (!ExeArgs_.empty() && FAILED(link.SetArguments(Widen(ExeArgs_).c_str()))) ||
        (!Description_.empty() && FAILED(link.SetDescription(Widen(Description_).c_str()))) ||
        (!IconFile_.empty() && FAILED(link.SetIconLocation(Widen(IconFile_).c_str(), IconIdx_)))) {
        return false;
    }
    if (FAILED(link.SetHotkey(static_cast<WORD>(HotKey_))) || FAILED(link.SetShowCmd(StartShow_)) ||
        FAILED(link.Resolve(nullptr, SLR_UPDATE))) {
        return false;
    }
    return SUCCEEDED(object.file->Save(Widen(LnkFile_).c_str(), FALSE));
}

bool cShellLink::GetLinkInfo() {
    if (LnkFile_.empty()) {
        return false;
    }
    const ShellObject object = CreateShellObject();
    if (!object.link) {
        throw platform::RuntimeError("ActiveX component can't create object");
    }
    if (FAILED(object.file->Load(Widen(LnkFile_).c_str(), STGM_READ))) {
        return false;
    }
    return Read(object);
}

bool cShellLink::Read(const ShellObject& object) {
    IShellLinkW& link = *object.link.Get();
    // The property becomes 255 blanks, the shell fills it, and the text
    // before the NUL stays.
    const auto read = [](std::string& property, auto getter) {
        std::wstring buffer(kTextBuffer, L' ');
        const bool done = SUCCEEDED(getter(buffer.data()));
        property = Narrow(TrimAtNull(buffer));
        return done;
    };
    WIN32_FIND_DATAW ignored{};
    if (!read(
            ExeFile_,
            [&](wchar_t* t) { return link.GetPath(t, kTextBuffer, &ignored, SLGP_UNCPRIORITY); }) ||
        !read(WorkDir_, [&](wchar_t* t) { return link.GetWorkingDirectory(t, kTextBuffer); }) ||
        !read(ExeArgs_, [&](wchar_t* t) { return link.GetArguments(t, kTextBuffer); }) ||
        !read(Description_, [&](wchar_t* t) { return link.GetDescription(t, kTextBuffer); })) {
        return false;
    }
    WORD hotKey = 0;
    if (FAILED(link.GetHotkey(&hotKey))) {
        return false;
    }
    HotKey_ =
        static_cast<std::int32_t>((static_cast<std::uint32_t>(HotKey_) & 0xFFFF0000u) | hotKey);
    int iconIndex = 0;
    if (!read(IconFile_,
              [&](wchar_t* t) { return link.GetIconLocation(t, kTextBuffer, &iconIndex); })) {
        return false;
    }
    IconIdx_ = iconIndex;
    int showCommand = 0;
    if (FAILED(link.GetShowCmd(&showCommand))) {
        return false;
    }
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
    StartShow_ = SW_SHOWNORMAL;
}

}  // namespace win32
