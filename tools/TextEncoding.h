#pragma once

#include <string>
#include <string_view>

namespace ardenvo::tool {

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view text);

// Texts in house files are byte strings of whatever code page wrote them. A text that is valid
// UTF-8 passes through unchanged; any other text is read byte by byte as Windows-1252, the code
// page of the files written on Windows. The result is always valid UTF-8.
std::string toUtf8(std::string_view text);

} // namespace ardenvo::tool
