// UTF-8 and UTF-16 conversions: whatever a file or the system holds, the
// program gets valid UTF-8.
#include <gtest/gtest.h>

#include "platform/UnicodeText.h"

namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD
const std::string kEuroSign = "\xE2\x82\xAC";     // U+20AC
const std::string kGClef = "\xF0\x9D\x84\x9E";    // U+1D11E, a surrogate pair in UTF-16

TEST(UnicodeText, ConvertsEveryCharacterBothWays) {
    const std::string text = "Prix : 12,50 " + kEuroSign + " \xC3\xA9t\xC3\xA9 " + kGClef;
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"Prix : 12,50 \u20AC \u00E9t\u00E9 \U0001D11E");
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\0')), std::string(1, '\0'));
}

TEST(UnicodeText, ALoneSurrogateBecomesTheReplacementCharacter) {
    const char16_t high = 0xD834, low = 0xDD1E;
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', high}), "a" + kReplacement);
    EXPECT_EQ(Utf16ToUtf8(std::u16string{high, u'b'}), kReplacement + "b");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{low, u'c'}), kReplacement + "c");
    // Low before high is two lone halves, not a pair.
    EXPECT_EQ(Utf16ToUtf8(std::u16string{low, high}), kReplacement + kReplacement);
    EXPECT_EQ(Utf16ToUtf8(std::u16string{high, high, low}), kReplacement + kGClef);
}

TEST(UnicodeText, EachIllFormedPartOfUtf8BecomesOneReplacementCharacter) {
    const std::u16string r(1, u'\uFFFD');
    EXPECT_EQ(Utf8ToUtf16("a\x80"), u"a" + r);                  // a stray continuation byte
    EXPECT_EQ(Utf8ToUtf16("\xC3"), r);                          // cut short
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82z"), r + u"z");              // cut short, then a letter
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), r + r);                  // an overlong slash
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), r + r + r);          // an encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), r + r + r + r);  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToUtf16("\xFF"), r);
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xF0\x9D\x84")), kReplacement);
}

}  // namespace
