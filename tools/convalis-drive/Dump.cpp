#include "Dump.h"

#include <cstdio>
#include <sstream>

#include "app/Program.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace drive {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

void DescribeMainWindow(std::ostringstream& json, const converter::frmConvalis& main) {
    json << ", \"displays\": [";
    for (int i = 0; i < converter::frmConvalis::kFields; ++i) {
        json << (i ? ", " : "") << Quoted(main.DisplayText(i));
    }
    json << "], \"active\": " << main.ActiveField()
         << ", \"entry\": " << Bool(main.EntryInProgress())
         << ", \"changeRow\": " << Bool(main.ChangeRowShown());
}

void DescribeZoneEuro(std::ostringstream& json, const zone::frmZoneEuro& zone) {
    json << ", \"displays\": [";
    for (int i = 0; i < zone::frmZoneEuro::kFields; ++i) {
        json << (i ? ", " : "") << Quoted(zone.DisplayText(i));
    }
    json << "], \"active\": " << zone.ActiveField()
         << ", \"entry\": " << Bool(zone.EntryInProgress())
         << ", \"currency\": " << zone.CurrencyIndex();
}

void DescribeOptions(std::ostringstream& json, const dialogs::frmOptions& options,
                     const offscreen::OffscreenWindow& window) {
    const platform::Control* focus = window.FocusedControl();
    json << ", \"checks\": {\"chkDémarrage\": " << options.chkDémarrage().Value()
         << ", \"chkAppoint\": " << options.chkAppoint().Value()
         << "}, \"focus\": " << Quoted(focus != nullptr ? focus->Name() : "")
         << ", \"tag\": " << Quoted(options.Window().Tag());
}

void DescribeAbout(std::ostringstream& json, const dialogs::frmAbout& about) {
    json << ", \"marquee\": {\"text\": " << Quoted(about.lblMarquee().Caption())
         << ", \"left\": " << about.lblMarquee().Placement().left << "}";
}

}  // namespace

std::string DumpWindows(app::Program& program, const offscreen::OffscreenPlatform& platform) {
    std::ostringstream json;
    json << "[";
    bool first = true;
    for (const offscreen::OffscreenWindow* window : platform.LoadedWindows()) {
        json << (first ? "" : ", ") << "{\"name\": " << Quoted(window->Name())
             << ", \"visible\": " << Bool(window->Visible());
        if (window->Name() == "frmConvalis") {
            DescribeMainWindow(json, program.MainWindow());
        } else if (window->Name() == "frmZoneEuro") {
            DescribeZoneEuro(json, program.ZoneEuro());
        } else if (window->Name() == "frmOptions") {
            DescribeOptions(json, program.Options(), *window);
        } else if (window->Name() == "frmAbout") {
            DescribeAbout(json, program.About());
        }
        json << "}";
        first = false;
    }
    json << "]";
    return json.str();
}

}  // namespace drive
