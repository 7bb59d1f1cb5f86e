#include "DecimalReference.h"

#include <cmath>
#include <cstdio>

namespace testing_support {
namespace {

using Wide = unsigned __int128;

std::string Digits(Wide number) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + number % 10));
        number /= 10;
    } while (number != 0);
    return digits;
}

// The cents of a magnitude below 2^64, worked out in integers: it is m / 2^k
// exactly, with integers m < 2^53 and k. Only whether the value lies halfway
// between two cents is decided on the value taken to 15 significant digits,
// N / 10^s, rounded half up; otherwise the exact value is rounded half up.
Wide Cents(double magnitude) {
    int exponent = 0;
    const Wide m = static_cast<Wide>(std::ldexp(std::frexp(magnitude, &exponent), 53));
    const int k = 53 - exponent;
    if (k <= 0)
        return (m << -k) * 100;
    if (k >= 64 || m == 0)  // below 2^-11: 0 either way
        return 0;
    const Wide hundredfold = m * 100;
    const Wide exact = (hundredfold >> k) + ((hundredfold >> (k - 1)) & 1);
    if (m >> k >= Wide(1'000'000'000'000'000))
        return exact;
    Wide power = 1;  // 10^s, where 10^14 <= m 10^s / 2^k < 10^15
    while ((m * power) >> k < Wide(100'000'000'000'000))
        power *= 10;
    const Wide taken15 = (2 * m * power + (Wide(1) << k)) >> (k + 1);
    const Wide halfCent = power / 1000;  // 10^(s - 3): T's place of half a cent
    if (halfCent > 0 && taken15 % halfCent == 0 && taken15 / halfCent % 10 == 5)
        return taken15 / (halfCent * 10) + 1;
    return exact;
}

}  // namespace

std::string ReferenceFixed2(double value, const std::string& separator) {
    const double magnitude = std::fabs(value);
    std::string digits;
    if (magnitude >= 0x1p64) {
        // An integer: the C library writes its every digit (glibc's printf
        // is exact), apart from the program's own formatting.
        char text[320];
        std::snprintf(text, sizeof text, "%.0f00", magnitude);
        digits = text;
    } else {
        digits = Digits(Cents(magnitude));
    }
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + digits.substr(0, digits.size() - 2) + separator +
           digits.substr(digits.size() - 2);
}

}  // namespace testing_support
