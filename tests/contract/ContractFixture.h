// What every contract test starts from: a backend, and windows made on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Backend.h"

namespace contract {

using program_tests::Backend;
using program_tests::MakeBackend;

// Window events, as recorded.
class RecordingEvents : public platform::FormEvents {
public:
    std::vector<int> keys;
    std::function<void(int)> onKey;

    void KeyDown(int keyCode, int) override {
        keys.push_back(keyCode);
        if (onKey)
            onKey(keyCode);
    }
    void CloseRequested() override {}
};

class ContractTest : public ::testing::Test {
protected:
    ContractTest() : backend_(MakeBackend()) {}

    platform::Platform& Platform() { return backend_->Platform(); }
    Backend& Run() { return *backend_; }

    // A window of 3000 x 2000 twips, hidden.
    std::unique_ptr<platform::Window> MakeWindow(const std::string& name,
                                                 platform::FormEvents& events) {
        platform::FormDesign design;
        design.name = name;
        design.caption = "Convalis contract";
        design.bounds = {1500, 1500, 3000, 2000};
        return Platform().CreateForm(design, events);
    }

    std::unique_ptr<Backend> backend_;
};

}  // namespace contract
