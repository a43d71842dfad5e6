#pragma once

#include <string>
#include <string_view>

namespace ardenvo {

// Texts of a house are byte strings: UTF-8 as typed in Ardenvo, or Windows-1252 from files written
// on older systems. These are the one place that knows both encodings.

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The character a Windows-1252 byte stands for. The five bytes the code page leaves undefined map
// to the C1 control of the same value, so that no byte is lost.
char32_t windows1252CodePoint(unsigned char byte);

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// Every byte read as Windows-1252.
std::string windows1252ToUtf8(std::string_view bytes);

// How a control character that must not reach a terminal or a page as itself is shown in listings
// and reports: each byte as "\x1b". Writes the four characters at `into` and returns their end.
inline char* writeByteEscape(char* into, unsigned char byte) {
    constexpr char kDigits[] = "0123456789abcdef";
    into[0] = '\\';
    into[1] = 'x';
    into[2] = kDigits[byte >> 4];
    into[3] = kDigits[byte & 15];
    return into + 4;
}

// Valid UTF-8 as it is; any other text read byte by byte as Windows-1252. Always valid UTF-8.
std::string readableUtf8(std::string_view bytes);

} // namespace ardenvo
