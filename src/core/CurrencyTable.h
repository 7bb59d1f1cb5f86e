// The twelve legacy currencies of the euro zone and their fixed rates, in
// units of the currency for one euro, alphabetical by French name.
#pragma once

#include <array>

namespace core {

inline constexpr int kCurrencyCount = 12;
// The row selected at each opening of the euro-zone window.
inline constexpr int kFrenchFrancRow = 4;

inline constexpr std::array<const char*, kCurrencyCount> CurrencyNames = {
    "Drachme grecque", "Escudo portugais",  "Florin néerlandais", "Franc belge",
    "Franc français",  "Franc luxembourg.", "Lire italienne",     "Mark allemand",
    "Mark finlandais", "Peseta espagnole",  "Punt irlandais",     "Shilling autrichien",
};

inline constexpr std::array<double, kCurrencyCount> CurrencyRates = {
    340.75,  200.482, 2.20371, 40.3399, 6.55957,  40.3399,
    1936.27, 1.95583, 5.94573, 166.386, 0.787564, 13.7603,
};

}  // namespace core
