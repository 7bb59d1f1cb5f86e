// The component system on the user-interface thread, and owning pointers to
// its interfaces.
#pragma once

#include <utility>

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

// Holds one reference to a COM interface and releases it exactly once.
template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller holds.
    explicit ComPtr(Interface* adopted) noexcept : pointer_(adopted) {}
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // The out-parameter of a function that hands out a reference, as the
    // void** that CoCreateInstance and QueryInterface take. Whatever was held
    // is released first.
    void** PutVoid() noexcept {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }

    void Reset() noexcept {
        if (Interface* old = std::exchange(pointer_, nullptr)) {
            old->Release();
        }
    }

private:
    Interface* pointer_ = nullptr;
};

// The component system's functions that the program calls (ole32).
struct ComponentObjects {
    static constexpr wchar_t kLibrary[] = L"ole32.dll";

    explicit ComponentObjects(const SystemLibrary& library);
    bool Complete() const;

    decltype(&::CoInitializeEx) CoInitializeEx;
    decltype(&::CoUninitialize) CoUninitialize;
    decltype(&::CoCreateInstance) CoCreateInstance;
    decltype(&::CoTaskMemFree) CoTaskMemFree;
    decltype(&::CoDisconnectObject) CoDisconnectObject;
};

// The thread's membership of a single-threaded apartment, entered the first
// time the thread needs the component system (the shell's objects,
// ShellExecuteW, the screen readers' objects) and left at destruction.
class ComApartment {
public:
    ComApartment() = default;
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // The component system, with the thread in the apartment; null when the
    // system has none.
    const ComponentObjects* Enter();

private:
    const ComponentObjects* com_ = nullptr;
    HRESULT entered_ = E_FAIL;
};

}  // namespace win32
