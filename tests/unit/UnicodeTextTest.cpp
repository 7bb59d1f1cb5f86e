// UTF-8 and UTF-16 conversions, and the texts of shortcut files: whatever a
// file holds, the program gets valid UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "Utf8Check.h"
#include "platform/UnicodeText.h"
#include "platform/offscreen/ShellLinkFile.h"

namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;
using testing_support::IsValidUtf8;

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
    EXPECT_TRUE(IsValidUtf8(Utf16ToUtf8(Utf8ToUtf16("\xF0\x9D\x84"))));
}

// A shortcut as the program writes it, with its texts.
offscreen::ShellLinkData Link(const std::string& target, const std::string& description) {
    offscreen::ShellLinkData link;
    link.target = target;
    link.description = description;
    link.arguments = "/Hidden";
    link.showCommand = 7;
    return link;
}

// Replaces the UTF-16 code unit `from` by `to` wherever the file holds it.
void ReplaceUnit(std::vector<std::uint8_t>& bytes, char16_t from, char16_t to) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == (from & 0xFF) && bytes[i + 1] == (from >> 8)) {
            bytes[i] = static_cast<std::uint8_t>(to & 0xFF);
            bytes[i + 1] = static_cast<std::uint8_t>(to >> 8);
        }
    }
}

TEST(ShortcutFileTexts, ALoneSurrogateInTheFileReadsAsTheReplacementCharacter) {
    std::vector<std::uint8_t> bytes = offscreen::EncodeShellLink(Link("C:\\#.exe", "caisse #"));
    ReplaceUnit(bytes, u'#', 0xDC00);
    std::optional<offscreen::ShellLinkData> read = offscreen::DecodeShellLink(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->target, "C:\\" + kReplacement + ".exe");
    EXPECT_EQ(read->description, "caisse " + kReplacement);
}

TEST(ShortcutFileTexts, EightBitTextsAreReadInWindows1252) {
    // The comment as an 8-bit counted string: the file's Unicode flag off.
    offscreen::ShellLinkData bare = Link("C:\\Convalis.exe", "");
    bare.arguments.clear();
    std::vector<std::uint8_t> bytes = offscreen::EncodeShellLink(bare);
    bytes.resize(bytes.size() - 4);  // the terminal block
    bytes[0x14] = static_cast<std::uint8_t>((bytes[0x14] & ~0x80) | 0x04 | 0x20);
    const std::string comment = "caf\xE9 \x80 \x81";
    bytes.push_back(static_cast<std::uint8_t>(comment.size()));
    bytes.push_back(0);
    bytes.insert(bytes.end(), comment.begin(), comment.end());
    const std::string arguments = "/Hidden";
    bytes.push_back(static_cast<std::uint8_t>(arguments.size()));
    bytes.push_back(0);
    bytes.insert(bytes.end(), arguments.begin(), arguments.end());
    bytes.insert(bytes.end(), 4, 0);
    std::optional<offscreen::ShellLinkData> read = offscreen::DecodeShellLink(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->description, "caf\xC3\xA9 " + kEuroSign + " \xC2\x81");
    EXPECT_EQ(read->arguments, "/Hidden");
    EXPECT_EQ(read->target, "C:\\Convalis.exe");
}

TEST(ShortcutFileTexts, CountedStringsComeBackWholeUpToTheirLimit) {
    // 65,535 code units, an accent and a surrogate pair among them.
    std::string longest = "\xC3\xA9" + kGClef + std::string(offscreen::kMaxStringData - 3, 'x');
    offscreen::ShellLinkData link = Link("C:\\Convalis.exe", longest);
    std::optional<offscreen::ShellLinkData> read =
        offscreen::DecodeShellLink(offscreen::EncodeShellLink(link));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->description, longest);
    EXPECT_EQ(read->arguments, "/Hidden");

    // Beyond it the text is cut, between two characters.
    link.description = longest + "y";
    read = offscreen::DecodeShellLink(offscreen::EncodeShellLink(link));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->description, longest);
    link.description = std::string(offscreen::kMaxStringData - 1, 'x') + kGClef;
    read = offscreen::DecodeShellLink(offscreen::EncodeShellLink(link));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->description, std::string(offscreen::kMaxStringData - 1, 'x'));
    EXPECT_EQ(read->arguments, "/Hidden");
}

TEST(ShortcutFileTexts, TheTargetKeepsItsAccentsInTheUnicodePath) {
    const std::string target = "C:\\Programmes \xC3\xA9t\xC3\xA9 \xD0\xAF\\Convalis.exe";
    std::vector<std::uint8_t> bytes = offscreen::EncodeShellLink(Link(target, ""));
    std::optional<offscreen::ShellLinkData> read = offscreen::DecodeShellLink(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->target, target);
    // The 8-bit path holds the code page's letters and '?' for the others.
    const std::string text = "C:\\Programmes \xE9t\xE9 ?\\Convalis.exe";
    const std::vector<std::uint8_t> ansi(text.begin(), text.end());
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), ansi.begin(), ansi.end()), bytes.end());
}

}  // namespace
