// An exact decimal reference for the "0.00" formatter: the double's every
// digit, rounded to the nearest cent with halves away from zero, where only
// the halfway test looks at the value taken to 15 significant digits.
#pragma once

#include <string>

namespace testing_support {

// What "0.00" must show for a finite `value` with this decimal separator.
std::string ReferenceFixed2(double value, const std::string& separator = ",");

}  // namespace testing_support
