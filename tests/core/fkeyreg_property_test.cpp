// Generated function-key files: every byte outside the changed entry survives an edit.
//
// The generator builds files from pieces and remembers where each entry's value lies, so the
// expected result comes from the layout, not from the editor's own search. Values mix ASCII,
// random double-byte characters and double-byte characters whose trail byte is an ASCII
// letter or bracket ("電" = 0x93 'd', "ゲ" = 0x83 'Q', "ゼ" = 0x83 '['), so that a search on
// raw bytes would find entries, headers and names where there are none.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "fkeyreg/fkey_file.h"
#include "shell/cp932.h"

namespace quillon::fkeyreg {
namespace {

struct GeneratedEntry {
    size_t valueBegin = 0, valueEnd = 0;  // byte range of the value
    bool empty = true;
    bool namesQuillon = false;
    bool ended = true;
};

struct GeneratedFile {
    std::string bytes;
    std::array<GeneratedEntry, kEntries> entries;
};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    GeneratedFile File() {
        GeneratedFile f;
        std::string& b = f.bytes;
        // Sections before the header may hold their own entries and disguised headers.
        for (int s = Pick(0, 2); s > 0; --s) {
            b += "[" + Word() + "]\r\n";
            for (int i = Pick(0, 4); i > 0; --i) b += OtherLine(true);
        }
        b += "[SuppPath]\r\n";
        std::array<int, kEntries> order{};
        for (int i = 0; i < kEntries; ++i) order[static_cast<size_t>(i)] = i;
        std::shuffle(order.begin(), order.end(), rng_);
        const bool trailer = Pick(0, 1) == 1;
        for (size_t n = 0; n < order.size(); ++n) {
            if (Pick(0, 3) == 0) b += OtherLine(false);  // comments inside the section
            const int i = order[n];
            GeneratedEntry& e = f.entries[static_cast<size_t>(i)];
            b += "data" + std::to_string(i + 1) + "=";
            e.valueBegin = b.size();
            const int kind = Pick(0, 9);
            if (kind >= 3) {
                b += Text(Pick(1, 10));
                e.empty = false;
            }
            if (kind >= 7) {
                b += "\\Quillon.exe";
                e.namesQuillon = true;
            }
            e.valueEnd = b.size();
            b += "\r\n";
        }
        // Sections after it may use the same entry names.
        if (trailer) {
            b += "[" + Word() + "]\r\n";
            for (int i = Pick(1, 3); i > 0; --i) b += OtherLine(true);
        }
        // Sometimes the file ends without a line break.
        if (Pick(0, 2) == 0) {
            b.resize(b.size() - 2);
            if (!trailer)
                for (auto& e : f.entries)
                    if (e.valueEnd == b.size()) e.ended = false;
        }
        return f;
    }

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // ASCII without 'd', 'Q' and '[': plain text never spells an entry, the key or a header.
    std::string Word() {
        static const std::string letters =
            "abcefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPRSTUVWXYZ0123456789_";
        std::string w;
        for (int i = Pick(1, 6); i > 0; --i)
            w += letters[static_cast<size_t>(Pick(0, static_cast<int>(letters.size()) - 1))];
        return w;
    }

    std::string DoubleByte() {
        switch (Pick(0, 5)) {
            case 0:
                return "\x93"
                       "d";  // 電
            case 1:
                return "\x83Q";  // ゲ
            case 2:
                return "\x83[";  // ゼ
            default: {
                const int lead = Pick(0, 1) ? Pick(0x81, 0x9F) : Pick(0xE0, 0xFC);
                int trail = Pick(0x40, 0xFB);
                if (trail >= 0x7F) ++trail;  // 0x7F is no trail byte
                return {static_cast<char>(lead), static_cast<char>(trail)};
            }
        }
    }

    std::string Text(int atoms) {
        std::string t;
        for (int i = 0; i < atoms; ++i) {
            switch (Pick(0, 4)) {
                case 0:
                    t += Word();
                    break;
                case 1:
                    t += "\\";
                    break;
                case 2:
                    t += static_cast<char>(Pick(0xA1, 0xDF));
                    break;  // half-width kana
                default:
                    t += DoubleByte();
                    break;
            }
        }
        return t;
    }

    std::string OtherLine(bool mayUseEntryNames) {
        switch (Pick(0, 4)) {
            case 0:
                if (mayUseEntryNames)
                    return "data" + std::to_string(Pick(1, 8)) + "=" + Text(Pick(0, 3)) + "\r\n";
                [[fallthrough]];
            case 1:
                return ";\x93"
                       "ata" +
                       std::to_string(Pick(1, 8)) + "=\r\n";  // reads 電ata1=
            case 2:
                return "\x83[SuppPath]\r\n";  // reads ゼSuppPath]
            case 3:
                return "x=\x83Quillon\r\n";  // reads ゲuillon
            default:
                return Word() + "=" + Text(Pick(0, 4)) + "\r\n";
        }
    }

    std::mt19937 rng_;
};

constexpr int kFiles = 400;
// A folder with "ゲ" (0x83 'Q') in it, so the written value itself holds a disguised Q.
std::string Value() {
    return "D:\\工具\\ゲーム\\Quillon.exe";
}

void ExpectOnlyValueChanged(const std::string& before, const Edit& edit, const GeneratedEntry& e,
                            const std::string& newValue) {
    ASSERT_TRUE(edit.Changed());
    ASSERT_GE(edit.bytes.size(), e.valueBegin);
    EXPECT_EQ(edit.bytes.substr(0, e.valueBegin), before.substr(0, e.valueBegin))
        << "bytes before the value";
    const size_t tail = before.size() - e.valueEnd;
    ASSERT_GE(edit.bytes.size(), tail);
    EXPECT_EQ(edit.bytes.substr(edit.bytes.size() - tail), before.substr(e.valueEnd))
        << "bytes after the value";
    EXPECT_EQ(edit.bytes.size(), e.valueBegin + newValue.size() + tail);
    EXPECT_EQ(edit.bytes.substr(e.valueBegin, newValue.size()), newValue);
}

TEST(FkeyFileProperty, RegisterChangesOnlyTheFirstFreeEntry) {
    const auto encodedValue = cp932::FromUtf8(Value());
    ASSERT_TRUE(encodedValue.has_value());
    const std::string& encoded = *encodedValue;
    for (unsigned seed = 1; seed <= kFiles; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const GeneratedFile f = Generator(seed).File();
        const Edit edit = Register(f.bytes, "[SuppPath]", Value());
        int expected = 0;
        for (int i = 0; i < kEntries && !expected; ++i)
            if (f.entries[static_cast<size_t>(i)].empty) expected = i + 1;
        if (!expected) {
            EXPECT_EQ(edit.outcome, Outcome::NoFreeEntry);
            EXPECT_EQ(edit.bytes, f.bytes);
            continue;
        }
        const GeneratedEntry& e = f.entries[static_cast<size_t>(expected - 1)];
        EXPECT_EQ(edit.entry, expected);
        if (!e.ended) {
            EXPECT_EQ(edit.outcome, Outcome::EntryNotEnded);
            EXPECT_EQ(edit.bytes, f.bytes);
            continue;
        }
        ExpectOnlyValueChanged(f.bytes, edit, e, encoded);
        // Removing what was just registered gives the file back, when nothing before it
        // named the program.
        bool namedBefore = false;
        for (int i = 0; i < expected - 1; ++i)
            namedBefore |= f.entries[static_cast<size_t>(i)].namesQuillon;
        if (!namedBefore) {
            const Edit back = Remove(edit.bytes, "[SuppPath]", "Quillon");
            EXPECT_EQ(back.entry, expected);
            EXPECT_EQ(back.bytes, f.bytes);
        }
    }
}

TEST(FkeyFileProperty, RemoveBlanksOnlyTheFirstEntryNamingTheProgram) {
    for (unsigned seed = 1; seed <= kFiles; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const GeneratedFile f = Generator(seed).File();
        const Edit edit = Remove(f.bytes, "[SuppPath]", "Quillon");
        int expected = 0;
        for (int i = 0; i < kEntries && !expected; ++i)
            if (f.entries[static_cast<size_t>(i)].namesQuillon) expected = i + 1;
        if (!expected) {
            EXPECT_EQ(edit.outcome, Outcome::NotNamed);
            EXPECT_EQ(edit.bytes, f.bytes);
            continue;
        }
        const GeneratedEntry& e = f.entries[static_cast<size_t>(expected - 1)];
        EXPECT_EQ(edit.entry, expected);
        if (!e.ended) {
            EXPECT_EQ(edit.outcome, Outcome::EntryNotEnded);
            EXPECT_EQ(edit.bytes, f.bytes);
            continue;
        }
        ExpectOnlyValueChanged(f.bytes, edit, e, "");
    }
}

TEST(FkeyFileProperty, RegisteredTestSeesOnlyRealNames) {
    for (unsigned seed = 1; seed <= kFiles; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const GeneratedFile f = Generator(seed).File();
        bool named = false;
        for (const auto& e : f.entries) named |= e.namesQuillon;
        // Disguised names ("ゲuillon") elsewhere in the file must not count.
        EXPECT_EQ(Contains(f.bytes, "Quillon"), named);
    }
}

}  // namespace
}  // namespace quillon::fkeyreg
