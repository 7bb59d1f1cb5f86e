// The addresses the program opens through the shell, seen by a stand-in for
// the browser and the mail program.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Desktop.h"

namespace e2e {

// While a recorder lives, the shell opens "http" and "mailto" addresses with
// record-launch.exe (built beside the test driver), which notes the command
// line of each launch in a file of the recorder's. Programs started after
// the recorder find the file through their environment.
class LaunchRecorder {
public:
    LaunchRecorder();
    ~LaunchRecorder();
    LaunchRecorder(const LaunchRecorder&) = delete;
    LaunchRecorder& operator=(const LaunchRecorder&) = delete;

    // The command lines of the launches so far, in order.
    std::vector<std::wstring> Launches() const;

private:
    std::wstring log_;
    std::vector<std::unique_ptr<ScopedRegistryString>> handlers_;
};

}  // namespace e2e
