// The A-functions speak Windows-1252; SDL and FreeType speak Unicode.
#pragma once

#include <cstdint>
#include <string>

namespace luma {

char32_t codePointOf(unsigned char windows1252);
std::u32string decodeWindows1252(const std::string& text);
std::string windows1252ToUtf8(const std::string& text);
// Characters without a Windows-1252 byte are dropped.
std::string utf8ToWindows1252(const std::string& text);

} // namespace luma
