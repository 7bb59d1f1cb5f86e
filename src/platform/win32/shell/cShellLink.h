// Writes and reads Windows shortcut files (".lnk") through the shell's own
// shortcut object, created anew for each call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/ComPtr.h"

namespace win32 {

class cShellLink {
public:
    // `apartment`: the thread's, entered to make the shell's object.
    explicit cShellLink(ComApartment& apartment) : apartment_(apartment) {}

    const std::string& LnkFile() const { return LnkFile_; }
    void SetLnkFile(const std::string& NewLnkFile) { LnkFile_ = NewLnkFile; }
    const std::string& ExeFile() const { return ExeFile_; }
    void SetExeFile(const std::string& NewExeFile) { ExeFile_ = NewExeFile; }
    const std::string& Description() const { return Description_; }
    void SetDescription(const std::string& NewDescription) { Description_ = NewDescription; }
    std::int32_t HotKey() const { return HotKey_; }
    void SetHotKey(std::int32_t NewHotKey) { HotKey_ = NewHotKey; }
    const std::string& WorkDir() const { return WorkDir_; }
    void SetWorkDir(const std::string& NewWorkDir) { WorkDir_ = NewWorkDir; }
    const std::string& ExeArgs() const { return ExeArgs_; }
    void SetExeArgs(const std::string& NewExeArgs) { ExeArgs_ = NewExeArgs; }
    const std::string& IconFile() const { return IconFile_; }
    void SetIconFile(const std::string& NewIconFile) { IconFile_ = NewIconFile; }
    std::int32_t IconIdx() const { return IconIdx_; }
    void SetIconIdx(std::int32_t NewIconIdx) { IconIdx_ = NewIconIdx; }
    std::int32_t StartShow() const { return StartShow_; }
    void SetStartShow(std::int32_t NewStartShow) { StartShow_ = NewStartShow; }

    // Writes the shortcut file LnkFile from the properties; false when
    // ExeFile or LnkFile is empty or the shell fails.
    bool CreateLink();
    // Reads the shortcut file LnkFile into the other properties; false when
    // it cannot be read, the properties untouched if it cannot be opened.
    // Raises a run-time error when the shell's object cannot be made.
    bool GetLinkInfo();
    // Every text empty, the numbers 0 and StartShow 1 (normal window).
    void Reset();

private:
    struct ShellObject {
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
    };
    // The shell's shortcut object with its file interface; empty when it
    // cannot be made.
    ShellObject CreateShellObject();
    bool Write(const ShellObject& object) const;
    bool Read(const ShellObject& object);
    static std::wstring TrimAtNull(const std::wstring& text);

    ComApartment& apartment_;
    std::string LnkFile_;
    std::string ExeFile_;
    std::string Description_;
    std::int32_t HotKey_ = 0;
    std::string WorkDir_;
    std::string ExeArgs_;
    std::string IconFile_;
    std::int32_t IconIdx_ = 0;
    std::int32_t StartShow_ = 0;
};

}  // namespace win32
