// Shell services: the notification area, window procedures, special
// folders, the shell's shortcut object, launching documents, files and the
// registry.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Types.h"

namespace platform {

using IconHandle = std::uintptr_t;
using ItemIdList = std::uintptr_t;

// The longest path the shell writes, with its NUL.
constexpr int kMaxPath = 260;

// A notification-area icon record.
// The platform sets the record's size for its own layout.
struct NotifyIconData {
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::string szTip;  // at most 63 characters
};

namespace nim {
constexpr int kAdd = 0;
constexpr int kModify = 1;
constexpr int kDelete = 2;
}  // namespace nim
namespace nif {
constexpr std::uint32_t kMessage = 1;
constexpr std::uint32_t kIcon = 2;
constexpr std::uint32_t kTip = 4;
}  // namespace nif

// Window messages the program looks at.
namespace wm {
constexpr unsigned kUser = 0x0400;
constexpr unsigned kMouseMove = 0x0200;
constexpr unsigned kLButtonDown = 0x0201;
constexpr unsigned kLButtonUp = 0x0202;
constexpr unsigned kLButtonDblClk = 0x0203;
constexpr unsigned kRButtonDown = 0x0204;
constexpr unsigned kRButtonUp = 0x0205;
}  // namespace wm

// A window procedure: message number, wParam, lParam to a result.
using WindowProc =
    std::function<std::intptr_t(WindowHandle, unsigned, std::uintptr_t, std::intptr_t)>;
// The procedure a window had before a replacement, to chain to.
using PrevProc = std::uintptr_t;

// The shell's shortcut object (IShellLink with IPersistFile). Every call
// answers whether it succeeded. Getters fill `text` up to `size` characters.
class ShellLinkObject {
public:
    virtual ~ShellLinkObject() = default;
    virtual bool SetPath(const std::string& path) = 0;
    virtual bool SetWorkingDirectory(const std::string& directory) = 0;
    virtual bool SetArguments(const std::string& arguments) = 0;
    virtual bool SetDescription(const std::string& description) = 0;
    virtual bool SetIconLocation(const std::string& file, int index) = 0;
    virtual bool SetHotkey(std::uint16_t hotKey) = 0;
    virtual bool SetShowCmd(int showCommand) = 0;
    virtual bool Resolve(WindowHandle window, std::uint32_t flags) = 0;
    // IPersistFile
    virtual bool Save(const std::string& file, bool remember) = 0;
    virtual bool Load(const std::string& file, std::uint32_t mode) = 0;

    virtual bool GetPath(std::string& text, int size, std::uint32_t flags) = 0;
    virtual bool GetWorkingDirectory(std::string& text, int size) = 0;
    virtual bool GetArguments(std::string& text, int size) = 0;
    virtual bool GetDescription(std::string& text, int size) = 0;
    virtual bool GetHotkey(std::uint16_t* hotKey) = 0;
    virtual bool GetIconLocation(std::string& text, int size, int* index) = 0;
    virtual bool GetShowCmd(int* showCommand) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;

    virtual bool NotifyIcon(int message, const NotifyIconData& data) = 0;
    // The window's own icon, as its Icon picture holds it.
    virtual IconHandle WindowIcon(WindowHandle window) = 0;

    // Replaces a window's procedure; returns the one it had.
    virtual PrevProc SetWindowProc(WindowHandle window, WindowProc procedure) = 0;
    // Puts back a procedure that SetWindowProc returned.
    virtual void RestoreWindowProc(WindowHandle window, PrevProc previous) = 0;
    virtual std::intptr_t CallWindowProc(PrevProc previous, WindowHandle window, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // A message number shared by every program under that name.
    virtual unsigned RegisterWindowMessage(const std::string& name) = 0;

    // SHGetSpecialFolderLocation: 0 and the folder's item list on success.
    virtual int SpecialFolderLocation(WindowHandle owner, int folder, ItemIdList* list) = 0;
    // SHGetPathFromIDList: 1 and the path on success. `buffer` must hold
    // kMaxPath characters; the path ends at the first NUL.
    virtual int PathFromIdList(ItemIdList list, std::string& buffer) = 0;
    virtual void FreeIdList(ItemIdList list) = 0;

    // Creates the shell's shortcut object; null when it cannot.
    virtual std::unique_ptr<ShellLinkObject> CreateShellLink() = 0;

    // ShellExecute: above 32 on success, otherwise an error number.
    virtual std::intptr_t Execute(WindowHandle window, const std::string& operation,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) = 0;

    virtual bool DeleteFile(const std::string& path) = 0;
};

// Reading the registry.
namespace hkey {
constexpr std::uintptr_t kCurrentUser = 0x80000001u;
constexpr std::uintptr_t kLocalMachine = 0x80000002u;
constexpr std::uintptr_t kUsers = 0x80000003u;
}  // namespace hkey

class Registry {
public:
    virtual ~Registry() = default;
    // The text value `name` of `key` under `root`; false when the key or
    // value is missing or no text.
    virtual bool ReadString(std::uintptr_t root, const std::string& key, const std::string& name,
                            std::string* value) = 0;
};

}  // namespace platform
