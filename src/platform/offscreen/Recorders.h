// The services whose effect lies outside the program's windows, recorded for
// the tests to look at: help requests and message boxes.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace offscreen {

struct HelpRequest {
    platform::WindowHandle owner;
    std::string file;
};

struct ShownMessage {
    std::string text;
    std::string title;
};

class HelpRecorder : public platform::Help {
public:
    void ShowContents(platform::WindowHandle owner, const std::string& helpFile) override {
        requests_.push_back({owner, helpFile});
    }
    const std::vector<HelpRequest>& Requests() const { return requests_; }

private:
    std::vector<HelpRequest> requests_;
};

// A message box is answered at once: it only tells.
class MessageRecorder : public platform::MessageBox {
public:
    void ShowCritical(const std::string& text, const std::string& title) override {
        messages_.push_back({text, title});
    }
    const std::vector<ShownMessage>& Shown() const { return messages_; }

private:
    std::vector<ShownMessage> messages_;
};

}  // namespace offscreen
