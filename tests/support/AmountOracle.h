// The amounts a converter window must show, worked out apart from the
// program: the legal rates written out here, the displays read with the C
// library, and every converted text compared with the exact decimal
// reference. The randomised tests, the fuzzing of the amount entry and the
// soak hold the windows to it.
#pragma once

#include <array>
#include <string>

#include "windows/converter/frmConvalis.h"
#include "windows/zone/frmZoneEuro.h"

namespace testing_support {

struct LegalRate {
    const char* currency;
    double perEuro;  // units of the currency for one euro
};

inline constexpr double kLegalFrancsPerEuro = 6.55957;
inline constexpr std::array<LegalRate, 12> kLegalRates = {{
    {"Drachme grecque", 340.75},
    {"Escudo portugais", 200.482},
    {"Florin néerlandais", 2.20371},
    {"Franc belge", 40.3399},
    {"Franc français", 6.55957},
    {"Franc luxembourg.", 40.3399},
    {"Lire italienne", 1936.27},
    {"Mark allemand", 1.95583},
    {"Mark finlandais", 5.94573},
    {"Peseta espagnole", 166.386},
    {"Punt irlandais", 0.787564},
    {"Shilling autrichien", 13.7603},
}};

// What is wrong with the amounts the main window shows, to the cent; empty
// when nothing is. While no entry is in progress the prices are a pair that
// a conversion wrote (or both "0", as loaded), and the change is the payment
// converted less the price in euros (or both "0", cleared by an entry);
// while the amount paid is typed, the prices stay a pair.
std::string MainAmountsProblem(const converter::frmConvalis& main, const std::string& separator);
// The same for the euro-zone window: while no entry is in progress, its two
// amounts are a pair at the legal rate of the currency it names.
std::string ZoneAmountsProblem(const zone::frmZoneEuro& zone, const std::string& separator);

}  // namespace testing_support
