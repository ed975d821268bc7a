#include "text/codepage.h"

namespace luma {

namespace {

// 0x80-0x9F; 0 where the code page has no character.
const char16_t windowsExtras[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int windowsByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (windowsExtras[i] && windowsExtras[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

char32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return windowsExtras[byte - 0x80] ? windowsExtras[byte - 0x80] : U'?';
    return byte;
}

std::u32string decodeWindows1252(const std::string& text) {
    std::u32string out;
    for (unsigned char byte : text)
        out += codePointOf(byte);
    return out;
}

std::string windows1252ToUtf8(const std::string& text) {
    std::string out;
    for (unsigned char byte : text)
        appendUtf8(out, codePointOf(byte));
    return out;
}

std::string utf8ToWindows1252(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80         ? 0
                    : (lead >> 5) == 6  ? 1
                    : (lead >> 4) == 14 ? 2
                    : (lead >> 3) == 30 ? 3
                                        : -1;
        if (extra < 0 || i + extra >= text.size()) {
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            c = (c << 6) | (next & 0x3F);
        }
        i += valid ? extra + 1 : 1;
        int byte = valid ? windowsByteOf(c) : -1;
        if (byte >= 0)
            out += static_cast<char>(byte);
    }
    return out;
}

} // namespace luma
