#include "DecimalReference.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace testing_support {
namespace {

// A non-negative decimal number: its digits, the last `scale` of which
// follow the point.
struct Decimal {
    std::string digits;
    int scale = 0;
};

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

// The C library writes every digit of a double (glibc's printf is exact),
// apart from the program's own formatting. m x 2^(e - 53), with an integer
// m, has at most 53 - e decimals. The result has one digit before the point
// at least and no trailing zero after it.
Decimal ExactDecimal(double magnitude) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    std::vector<char> text(1400);  // 309 digits before the point, 1074 after, at most
    std::snprintf(text.data(), text.size(), "%.*f", std::clamp(53 - exponent, 0, 1074), magnitude);
    std::string written(text.data());
    const std::size_t point = written.find_first_not_of("0123456789");
    if (point == std::string::npos)
        return Normalised({written, 0});
    const int decimals = static_cast<int>(written.size() - point - 1);
    return Normalised({written.erase(point, 1), decimals});
}

}  // namespace

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
