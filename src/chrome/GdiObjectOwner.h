// Owns a GDI object (a region or a brush) and deletes it when it goes.
#pragma once

#include <utility>

#include "platform/Services.h"

namespace chrome {

class GdiObjectOwner {
public:
    GdiObjectOwner(platform::Gdi& gdi, platform::GdiObject object) : gdi_(gdi), object_(object) {}
    ~GdiObjectOwner() {
        if (object_ != 0)
            gdi_.DeleteObject(object_);
    }
    GdiObjectOwner(const GdiObjectOwner&) = delete;
    GdiObjectOwner& operator=(const GdiObjectOwner&) = delete;

    platform::GdiObject Get() const { return object_; }
    // Gives the object away (to a window that takes it over).
    platform::GdiObject Release() { return std::exchange(object_, 0); }

private:
    platform::Gdi& gdi_;
    platform::GdiObject object_;
};

}  // namespace chrome
