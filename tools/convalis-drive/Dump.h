// The driver's `dump`: the loaded windows as one line of JSON.
#pragma once

#include <string>

namespace app {
class Program;
}
namespace offscreen {
class OffscreenPlatform;
}

namespace drive {

std::string DumpWindows(app::Program& program, const offscreen::OffscreenPlatform& platform);

}  // namespace drive
