// CP932 conversion: splitting bytes into characters, decoding and exact encoding.
#include <gtest/gtest.h>

#include "shell/cp932.h"

namespace quillon::cp932 {
namespace {

struct SplitRow {
    const char* name;
    std::string bytes;
    std::vector<Char> chars;  // offset, length, code
};

void PrintTo(const SplitRow& row, std::ostream* os) {
    *os << row.name;
}

class Cp932Split : public ::testing::TestWithParam<SplitRow> {};

TEST_P(Cp932Split, CharactersAndCodes) {
    const auto chars = Decode(GetParam().bytes);
    ASSERT_EQ(chars.size(), GetParam().chars.size());
    for (size_t i = 0; i < chars.size(); ++i) {
        EXPECT_EQ(chars[i].offset, GetParam().chars[i].offset) << "character " << i;
        EXPECT_EQ(chars[i].length, GetParam().chars[i].length) << "character " << i;
        EXPECT_EQ(static_cast<uint32_t>(chars[i].code),
                  static_cast<uint32_t>(GetParam().chars[i].code))
            << "character " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Cp932Split,
    ::testing::Values(
        SplitRow{"Ascii",
                 "da=\\~",
                 {{0, 1, U'd'}, {1, 1, U'a'}, {2, 1, U'='}, {3, 1, U'\\'}, {4, 1, U'~'}}},
        // 電 is 0x93 'd', 卓 is 0x91 0xEC.
        SplitRow{
            "DenTakuIsTwoCharacters", "\x93\x64\x91\xEC", {{0, 2, U'\u96FB'}, {2, 2, U'\u5353'}}},
        // ゲ is 0x83 'Q': the Q belongs to the double-byte character.
        SplitRow{"TrailByteQIsNotAscii",
                 "\x83Quill",
                 {{0, 2, U'\u30B2'}, {2, 1, U'u'}, {3, 1, U'i'}, {4, 1, U'l'}, {5, 1, U'l'}}},
        SplitRow{"TrailByteBracket", "\x83[S", {{0, 2, U'\u30BC'}, {2, 1, U'S'}}},
        SplitRow{"TrailByteBackslash", "\x95\x5C\\", {{0, 2, U'\u8868'}, {2, 1, U'\\'}}},
        SplitRow{"HalfWidthKatakana", "\xB1\xDF", {{0, 1, U'\uFF71'}, {1, 1, U'\uFF9F'}}},
        // A lead byte never swallows a line break.
        SplitRow{"StrayLeadByteBeforeCrLf",
                 "\x93\r\n",
                 {{0, 1, kInvalid}, {1, 1, U'\r'}, {2, 1, U'\n'}}},
        SplitRow{"LeadByteAtEnd", "a\x93", {{0, 1, U'a'}, {1, 1, kInvalid}}},
        SplitRow{"UnassignedPairStaysOneCharacter", "\x85\x40x", {{0, 2, kInvalid}, {2, 1, U'x'}}},
        SplitRow{"UnusedSingleBytes",
                 "\x80\xA0\xFD",
                 {{0, 1, kInvalid}, {1, 1, kInvalid}, {2, 1, kInvalid}}},
        SplitRow{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodeRow {
    const char* name;
    std::string utf8;
    std::optional<std::string> bytes;
};

void PrintTo(const EncodeRow& row, std::ostream* os) {
    *os << row.name;
}

class Cp932Encode : public ::testing::TestWithParam<EncodeRow> {};

TEST_P(Cp932Encode, ExactBytesOrNothing) {
    EXPECT_EQ(FromUtf8(GetParam().utf8), GetParam().bytes);
    if (GetParam().bytes) {
        EXPECT_EQ(ToUtf8(*GetParam().bytes), GetParam().utf8);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Cp932Encode,
    ::testing::Values(EncodeRow{"CalculatorCaption", "電卓", std::string("\x93\x64\x91\xEC")},
                      EncodeRow{"QuillonCaption", "QUILLON", std::string("QUILLON")},
                      EncodeRow{"JapaneseFolder", "C:\\工具\\Quillon.exe",
                                std::string("C:\\\x8D\x48\x8B\xEF\\Quillon.exe")},
                      EncodeRow{"FullWidthTilde", "～", std::string("\x81\x60")},
                      EncodeRow{"NecCircledOne", "①", std::string("\x87\x40")},
                      EncodeRow{"Empty", "", std::string()},
                      // Look-alikes are refused rather than written as another character.
                      EncodeRow{"YenSignHasNoExactForm", "C:\\¥\\", std::nullopt},
                      EncodeRow{"WaveDashHasNoExactForm", "〜", std::nullopt},
                      EncodeRow{"AccentedLatin", "café", std::nullopt},
                      EncodeRow{"Emoji", "\xF0\x9F\x98\x80", std::nullopt},
                      EncodeRow{"InvalidUtf8", "\xFF", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932, ToUtf8MarksInvalidBytesAndKeepsTheRest) {
    EXPECT_EQ(ToUtf8("a\x80\x93\x64"), "a\xEF\xBF\xBD電");
}

}  // namespace
}  // namespace quillon::cp932
