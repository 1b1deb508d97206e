#include "text.h"

#include <algorithm>
#include <cstdint>

namespace veskplan::mdb {

std::u16string utf16FromUtf8(std::string_view utf8) {
    std::u16string out;
    std::size_t i = 0;
    const auto fail = [&] { throw WriteError("malformed UTF-8 in \"" + std::string(utf8) + "\""); };
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        } else {
            fail();
        }
        if (utf8.size() - i <= static_cast<std::size_t>(extra)) {
            fail();  // cut off in the middle of a character
        }
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                fail();
            }
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            fail();
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += 1 + extra;
    }
    return out;
}

Bytes utf16le(const std::u16string& text) {
    Bytes out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return out;
}

Bytes encodeText(const std::u16string& text, bool allowCompression) {
    // A zero byte switches a reader between the one-byte and two-byte modes, so U+0000 and
    // anything above U+00FF keep a value in plain UTF-16. Two characters or fewer gain nothing.
    const bool oneByteEach = std::all_of(text.begin(), text.end(),
                                         [](char16_t unit) { return unit != 0 && unit <= 0xFF; });
    if (!allowCompression || !oneByteEach || text.size() <= 2) {
        return utf16le(text);
    }
    Bytes out{0xFF, 0xFE};
    for (const char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit));
    }
    return out;
}

}  // namespace veskplan::mdb
