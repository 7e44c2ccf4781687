#include "shell/cp932.h"

#include "shell/utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace quillon::cp932 {
namespace {

#ifdef _WIN32

constexpr UINT kCodePage = 932;

// One CP932 character (one or two bytes) as a code point; nothing if it is unassigned.
class CharDecoder {
public:
    std::optional<char32_t> operator()(std::string_view bytes) {
        wchar_t w[2] = {};
        const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), w, 2);
        if (n != 1) return std::nullopt;  // the code page holds only single UTF-16 units
        return static_cast<char32_t>(w[0]);
    }
};

std::optional<std::string> Encode(std::string_view utf8) {
    if (utf8.empty()) return std::string();
    const int size = static_cast<int>(utf8.size());
    const int wn =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wn <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(wn), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wn);
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wn, nullptr, 0,
                                      nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wn, out.data(), n, nullptr,
                        &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

#else

// An iconv conversion descriptor, opened once per use and closed with its owner.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (Ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input from the initial state; nothing on an invalid or incomplete
    // sequence.
    std::optional<std::string> Convert(std::string_view in) {
        if (!Ok()) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t done = 0;
        // Convert everything, then one call without input to end any shift state.
        for (bool flushed = false; !flushed;) {
            char* dst = out.data() + done;
            size_t dstLeft = out.size() - done;
            const bool flushing = srcLeft == 0;
            const size_t r = flushing ? iconv(cd_, nullptr, nullptr, &dst, &dstLeft)
                                      : iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            done = out.size() - dstLeft;
            if (r == static_cast<size_t>(-1)) {
                if (errno != E2BIG) return std::nullopt;
                out.resize(out.size() * 2);
                continue;
            }
            flushed = flushing;
        }
        out.resize(done);
        return out;
    }

private:
    iconv_t cd_;
};

class CharDecoder {
public:
    CharDecoder() : cd_("UTF-32LE", "CP932") {}

    std::optional<char32_t> operator()(std::string_view bytes) {
        const auto out = cd_.Convert(bytes);
        if (!out || out->size() != 4) return std::nullopt;
        const auto u = [&](size_t i) {
            return static_cast<char32_t>(static_cast<unsigned char>((*out)[i]));
        };
        return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
    }

private:
    Iconv cd_;
};

std::optional<std::string> Encode(std::string_view utf8) {
    Iconv cd("CP932", "UTF-8");
    return cd.Convert(utf8);
}

#endif

}  // namespace

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

std::vector<Char> Decode(std::string_view bytes) {
    std::vector<Char> chars;
    chars.reserve(bytes.size());
    CharDecoder decode;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            // The code page's single bytes 0x00-0x7F are ASCII, backslash included.
            chars.push_back({i, 1, b});
            ++i;
            continue;
        }
        size_t len = 1;
        if (IsLeadByte(b)) {
            if (i + 1 >= bytes.size() || !IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
                chars.push_back({i, 1, kInvalid});
                ++i;
                continue;
            }
            len = 2;
        } else if (b < 0xA1 || b > 0xDF) {
            // 0x80, 0xA0 and 0xFD-0xFF are no characters of the code page. (Windows' own
            // table reads them as U+0080 and private-use characters, iconv refuses them: both
            // systems treat them as invalid here, alike.)
            chars.push_back({i, 1, kInvalid});
            ++i;
            continue;
        }
        chars.push_back({i, len, decode(bytes.substr(i, len)).value_or(kInvalid)});
        i += len;
    }
    return chars;
}

std::string ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (const Char& c : Decode(bytes)) out += utf8::Encode(c.code);
    return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
    auto bytes = Encode(utf8);
    // Accept only an exact form: a converter that maps a character to a look-alike ("¥" to a
    // backslash, "〜" to "～") would write something else than the text given.
    if (!bytes || ToUtf8(*bytes) != utf8) return std::nullopt;
    return bytes;
}

}  // namespace quillon::cp932
