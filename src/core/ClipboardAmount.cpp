#include "core/ClipboardAmount.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace core {
namespace {

constexpr std::size_t kMaxIntegerDigits = 15;
constexpr std::size_t kMaxDecimals = 2;

// Blanks that may group digits: the space, and the no-break and narrow
// no-break spaces that number formats put between thousands.
constexpr std::string_view kGroupingBlanks[] = {" ", "\xC2\xA0", "\xE2\x80\xAF"};
// Blanks trimmed around the number: those, and the tabs and line ends that a
// copied table cell or line brings.
constexpr std::string_view kTrimmedBlanks[] = {" ", "\xC2\xA0", "\xE2\x80\xAF", "\t", "\r", "\n"};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The length of the grouping blank that `text` starts with, or 0.
std::size_t GroupingBlankLength(std::string_view text) {
    for (std::string_view blank : kGroupingBlanks) {
        if (StartsWith(text, blank))
            return blank.size();
    }
    return 0;
}

std::string_view Trimmed(std::string_view text) {
    bool trimmed = true;
    while (trimmed) {
        trimmed = false;
        for (std::string_view blank : kTrimmedBlanks) {
            if (StartsWith(text, blank)) {
                text.remove_prefix(blank.size());
                trimmed = true;
            }
            if (EndsWith(text, blank)) {
                text.remove_suffix(blank.size());
                trimmed = true;
            }
        }
    }
    return text;
}

// What may stand between two groups of digits; blanks of every width are
// one kind. kUser is the user's decimal separator when it is neither "."
// nor ",": it only ever marks the decimals.
enum class Separator { kBlank, kPoint, kComma, kUser };

// Whether a paste can tell `separator` from the digits around it.
bool IsReadable(std::string_view separator) {
    return !separator.empty() && separator.find_first_of("0123456789") == std::string_view::npos;
}

// How Split names the user's decimal separator.
std::optional<Separator> UserSeparator(std::string_view separator) {
    if (separator == ",")
        return Separator::kComma;
    if (separator == ".")
        return Separator::kPoint;
    if (IsReadable(separator))
        return Separator::kUser;
    return std::nullopt;
}

// A text cut into groups of digits with one separator between each two.
struct Groups {
    std::vector<std::string> digits;
    std::vector<Separator> separators;  // one fewer than digits
};

// Cuts `text` at its separators; nothing when it has any other character,
// or two separators in a row. Only the first group may be empty (".5"), and
// the last ("12,").
std::optional<Groups> Split(std::string_view text, std::string_view userSeparator) {
    const bool userKind = UserSeparator(userSeparator) == Separator::kUser;
    Groups groups;
    groups.digits.emplace_back();
    while (!text.empty()) {
        const char c = text.front();
        if (c >= '0' && c <= '9') {
            groups.digits.back() += c;
            text.remove_prefix(1);
            continue;
        }
        std::size_t length = 1;
        Separator separator;
        if (userKind && StartsWith(text, userSeparator)) {
            length = userSeparator.size();
            separator = Separator::kUser;
        } else if (c == '.') {
            separator = Separator::kPoint;
        } else if (c == ',') {
            separator = Separator::kComma;
        } else if ((length = GroupingBlankLength(text)) != 0) {
            separator = Separator::kBlank;
        } else {
            return std::nullopt;
        }
        if (groups.digits.back().empty() && groups.digits.size() > 1)
            return std::nullopt;
        groups.separators.push_back(separator);
        groups.digits.emplace_back();
        text.remove_prefix(length);
    }
    return groups;
}

// Whether the last separator is the decimal mark: the user's decimal
// separator, or a point or a comma that follows another kind of separator,
// or that at most two digits follow.
bool EndsWithDecimalMark(const Groups& groups, std::optional<Separator> user) {
    if (groups.separators.empty() || groups.separators.back() == Separator::kBlank)
        return false;
    const Separator last = groups.separators.back();
    if (last == user || groups.digits.back().size() <= kMaxDecimals)
        return true;
    return std::any_of(groups.separators.begin(), groups.separators.end() - 1,
                       [last](Separator s) { return s != last; });
}

// Whether the integer part is one run of digits, or grouped by threes with
// one kind of separator other than kUser: a first group of one to three digits without a
// leading zero, then groups of three.
bool IsWellGrouped(const std::vector<std::string>& digits,
                   const std::vector<Separator>& separators) {
    if (separators.empty())
        return true;
    const bool oneKind = separators.front() != Separator::kUser &&
                         std::all_of(separators.begin(), separators.end(),
                                     [&](Separator s) { return s == separators.front(); });
    const std::string& first = digits.front();
    const bool firstFits = !first.empty() && first.size() <= 3 && first.front() != '0';
    return oneKind && firstFits &&
           std::all_of(digits.begin() + 1, digits.end(),
                       [](const std::string& group) { return group.size() == 3; });
}

}  // namespace

std::string CopiedAmount(const std::string& display, const std::string& decimalSeparator) {
    std::string copied = display;
    const std::size_t comma = copied.find(',');
    if (comma != std::string::npos && IsReadable(decimalSeparator))
        copied.replace(comma, 1, decimalSeparator);
    return copied;
}

std::optional<std::string> PastedAmount(const std::string& text,
                                        const std::string& decimalSeparator) {
    std::optional<Groups> groups = Split(Trimmed(text), decimalSeparator);
    if (!groups)
        return std::nullopt;
    const bool hasDecimalMark = EndsWithDecimalMark(*groups, UserSeparator(decimalSeparator));
    const std::size_t integerGroups = groups->digits.size() - (hasDecimalMark ? 1 : 0);
    const std::vector<std::string> integer(groups->digits.begin(),
                                           groups->digits.begin() + integerGroups);
    const std::vector<Separator> grouping(groups->separators.begin(),
                                          groups->separators.begin() + (integerGroups - 1));
    if (!IsWellGrouped(integer, grouping))
        return std::nullopt;
    // The decimal mark's character groups nothing.
    if (hasDecimalMark && !grouping.empty() && grouping.front() == groups->separators.back())
        return std::nullopt;

    std::string integerDigits;
    for (const std::string& group : integer)
        integerDigits += group;
    const std::string decimals = hasDecimalMark ? groups->digits.back() : std::string();
    if (integerDigits.empty() && decimals.empty())
        return std::nullopt;
    integerDigits.erase(0, integerDigits.find_first_not_of('0'));
    if (integerDigits.size() > kMaxIntegerDigits || decimals.size() > kMaxDecimals)
        return std::nullopt;

    std::string amount = integerDigits.empty() ? "0" : integerDigits;
    if (hasDecimalMark)
        amount += "," + decimals;
    return amount;
}

}  // namespace core
