// What every platform's application object reports about the product: the
// facts the build defines once.
#pragma once

#include <string>

#include "platform/Services.h"

namespace platform {

class ProductApplication : public Application {
public:
    std::string ProductName() const override;
    // The build's version; a platform that reads the program file's own
    // version resource reports that instead.
    std::string Version() const override;
    std::string FileDescription() const override;
    std::string LegalCopyright() const override;
};

}  // namespace platform
