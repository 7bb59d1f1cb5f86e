#include "platform/ProductApplication.h"

#include "ProductInfo.h"

namespace platform {

std::string ProductApplication::ProductName() const {
    return product::kName;
}

std::string ProductApplication::Version() const {
    return product::kVersion;
}

std::string ProductApplication::FileDescription() const {
    return product::kFileDescription;
}

std::string ProductApplication::LegalCopyright() const {
    return product::kLegalCopyright;
}

}  // namespace platform
