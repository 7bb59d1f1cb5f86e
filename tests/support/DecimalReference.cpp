#include "DecimalReference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace testing_support {
namespace {

constexpr std::uint32_t kLimb = 1'000'000'000;

// A number in limbs of nine decimal digits, the lowest first, times `factor`
// (below 2^31).
void MultiplyBy(std::vector<std::uint32_t>& limbs, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product % kLimb);
        carry = product / kLimb;
    }
    for (; carry > 0; carry /= kLimb)
        limbs.push_back(static_cast<std::uint32_t>(carry % kLimb));
}

// Adds one unit of the last digit.
void Increment(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[i - 1];
}

// Writes the number with one digit before the point at least, and no
// trailing zero after it.
Decimal Normalised(Decimal number) {
    if (number.digits.find_first_not_of('0') == std::string::npos)
        return {"0", 0};
    while (number.scale > 0 && number.digits.back() == '0') {
        number.digits.pop_back();
        --number.scale;
    }
    const int size = static_cast<int>(number.digits.size());
    if (size <= number.scale)
        number.digits.insert(0, static_cast<std::size_t>(number.scale + 1 - size), '0');
    return number;
}

// Keeps the first `count` digits, rounding half up on the rest.
Decimal KeepDigits(Decimal number, std::size_t count) {
    if (number.digits.size() <= count)
        return Normalised(number);
    bool up = number.digits[count] >= '5';
    int dropped = static_cast<int>(number.digits.size() - count);
    number.digits.resize(count);
    if (up)
        Increment(number.digits);
    number.scale -= dropped;
    for (; number.scale < 0; ++number.scale)
        number.digits += '0';
    return Normalised(number);
}

Decimal Significant15(Decimal number) {
    std::size_t leadingZeros = number.digits.find_first_not_of('0');
    if (leadingZeros == std::string::npos)
        return number;
    number.digits.erase(0, leadingZeros);
    return KeepDigits(number, 15);
}

bool HalfwayBetweenCents(const Decimal& number) {
    if (number.scale < 3)
        return false;
    std::string rest = number.digits.substr(number.digits.size() - (number.scale - 2));
    return rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
}

}  // namespace

// m x 2^e with an integer m is m x 2^e for e >= 0 and m x 5^-e / 10^-e
// otherwise.
Decimal ExactDecimal(double magnitude) {
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    std::vector<std::uint32_t> limbs;
    for (; mantissa > 0 || limbs.empty(); mantissa /= kLimb)
        limbs.push_back(static_cast<std::uint32_t>(mantissa % kLimb));
    // By 2^31 or 5^13 at a time: the products stay within 64 bits.
    for (int power = exponent - 53; power > 0; power -= 31)
        MultiplyBy(limbs, std::uint32_t{1} << std::min(power, 31));
    int scale = 0;
    for (int power = 53 - exponent; power > 0; power -= 13) {
        const int step = std::min(power, 13);
        std::uint32_t factor = 1;
        for (int k = 0; k < step; ++k)
            factor *= 5;
        MultiplyBy(limbs, factor);
        scale += step;
    }
    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(limbs[i]);
        digits.append(9 - limb.size(), '0').append(limb);
    }
    return Normalised({digits, scale});
}

std::string ReferenceFixed2(double value, const std::string& separator) {
    Decimal exact = ExactDecimal(std::fabs(value));
    Decimal taken15 = Significant15(exact);
    Decimal number = HalfwayBetweenCents(taken15) ? taken15 : exact;
    Decimal cents =
        number.scale > 2 ? KeepDigits(number, number.digits.size() - number.scale + 2) : number;
    for (; cents.scale < 2; ++cents.scale)
        cents.digits += '0';
    while (cents.digits.size() < 3)
        cents.digits.insert(cents.digits.begin(), '0');
    std::size_t point = cents.digits.size() - 2;
    std::string integer = cents.digits.substr(0, point);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    bool zero = cents.digits.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + integer + separator + cents.digits.substr(point);
}

}  // namespace testing_support
