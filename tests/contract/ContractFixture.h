// What every contract test starts from: a backend, and windows made on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Backend.h"

namespace contract {

using program_tests::Backend;
using program_tests::MakeBackend;

class ContractTest : public ::testing::Test {
protected:
    ContractTest() : backend_(MakeBackend()) {}

    platform::Platform& Platform() { return backend_->Platform(); }
    Backend& Run() { return *backend_; }

    // A window of 3000 x 2000 twips, hidden, whose events go unheard.
    std::unique_ptr<platform::Window> MakeWindow(const std::string& name) {
        platform::FormDesign design;
        design.name = name;
        design.caption = "Convalis contract";
        design.bounds = {1500, 1500, 3000, 2000};
        return Platform().CreateForm(design, events_);
    }

    struct : platform::FormEvents {
        void KeyDown(int, int) override {}
        void CloseRequested() override {}
    } events_;
    std::unique_ptr<Backend> backend_;
};

}  // namespace contract
