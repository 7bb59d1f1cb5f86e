// The saved design state of a control: named integer values, keys matched
// without regard to case (a compiled design holds them in lower case).
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace chrome {

class PropertyBag {
public:
    // Stores a value as the text it is saved as.
    void WriteProperty(const std::string& key, std::int64_t value);
    void WriteText(const std::string& key, const std::string& text);

    // The saved value under `key`, or `fallback` when the key is missing.
    // Raises the run-time error "Type mismatch" for a value that is no
    // integer.
    std::int64_t ReadProperty(const std::string& key, std::int64_t fallback) const;

    bool Contains(const std::string& key) const;

private:
    struct CaseInsensitiveLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, std::string, CaseInsensitiveLess> values_;
};

}  // namespace chrome
