// The program suite over an offscreen platform of the test's own making (its
// command line, folders and scale), for what only that platform records:
// virtual time, the shell's calls, pictures, announcements, a control or a
// clipboard that fails. These tests run natively only.
#pragma once

#include "ProgramTest.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace program_tests {

std::unique_ptr<Backend> MakeOffscreenBackend(offscreen::ProgramFacts facts, platform::Dpi dpi);

class OffscreenProgramTest : public ProgramTest {
protected:
    using ProgramTest::Start;
    void Start(const platform::LocalDateTime& now, offscreen::ProgramFacts facts,
               platform::Dpi dpi = platform::Dpi()) {
        End();
        Start(now, MakeOffscreenBackend(std::move(facts), dpi));
    }
    offscreen::OffscreenPlatform& Offscreen() {
        return static_cast<offscreen::OffscreenPlatform&>(System().Platform());
    }
    offscreen::OffscreenWindow& Window(const std::string& name) {
        return *Offscreen().FindWindow(name);
    }
};

}  // namespace program_tests
