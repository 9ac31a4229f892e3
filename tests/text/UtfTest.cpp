#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text/Utf.h"

namespace vtr::text {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(UtfTest, WellFormedTextsRoundTrip) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"", u""},
        {"Left Key", u"Left Key"},
        {"\xC3\xA9", u"\u00E9"},                               // two bytes
        {"\xE5\xB7\xA6\xE9\x94\xAE", u"\u5DE6\u952E"},         // 左键, three bytes each
        {"\xF0\x9F\x98\x80", std::u16string{0xD83D, 0xDE00}},  // four bytes, a surrogate pair
        {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", std::u16string{0xFFFF, 0xDBFF, 0xDFFF}},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf16(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(ToUtf8(c.utf16), c.utf8) << c.utf8;
    }
}

TEST(UtfTest, IllFormedUtf8BecomesOneReplacementPerMaximalPart) {
    constexpr char16_t R = 0xFFFD;
    struct Case {
        const char* why;
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"mixed",
         "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
         {u'a', R, R, R, u'b', R, u'c', R, R, u'd'}},
        {"overlong two bytes", "\xC0\xAF", {R, R}},
        {"overlong three bytes", "\xE0\x80\xAF", {R, R, R}},
        {"encoded surrogate", "\xED\xA0\x80", {R, R, R}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
        {"lead byte never used", "\xFF\xFEx", {R, R, u'x'}},
        {"cut at the end", "x\xE5\xB7", {u'x', R}},
        {"cut four-byte form", "\xF0\x9F\x98", {R}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf16(c.utf8), c.utf16) << c.why;
    }
}

TEST(UtfTest, UnpairedSurrogatesBecomeReplacementCharacters) {
    struct Case {
        const char* why;
        std::u16string utf16;
        std::string utf8;
    };
    const Case cases[] = {
        {"high at the end", {u'a', 0xD83D}, "a" + kReplacement},
        {"lone low", {0xDE00, u'b'}, kReplacement + "b"},
        {"high before a non-surrogate", {0xD83D, u'c'}, kReplacement + "c"},
        {"pair in the wrong order", {0xDE00, 0xD83D}, kReplacement + kReplacement},
        {"two highs then a low", {0xD83D, 0xD83D, 0xDE00}, kReplacement + "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf8(c.utf16), c.utf8) << c.why;
    }
}

TEST(UtfTest, LittleEndianBytes) {
    struct Case {
        const char* why;
        std::vector<std::uint8_t> bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"empty", {}, ""},
        {"one byte", {0x41}, kReplacement},
        {"odd last byte", {0x41, 0x00, 0x42}, "A" + kReplacement},
        {"Chinese", {0xE6, 0x5D, 0x2E, 0x95}, "\xE5\xB7\xA6\xE9\x94\xAE"},
        {"pair", {0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
        {"pair cut off", {0x41, 0x00, 0x3D, 0xD8}, "A" + kReplacement},
        {"pair cut in its second half", {0x3D, 0xD8, 0x00}, kReplacement + kReplacement},
        {"byte-order mark kept",
         {0xFF, 0xFE, 0x41, 0x00},
         "\xEF\xBB\xBF"
         "A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16LeToUtf8(c.bytes), c.utf8) << c.why;
    }
}

}  // namespace
}  // namespace vtr::text
