#pragma once

#include <string>
#include <string_view>

namespace ardenvo {

// Texts of a house are byte strings: UTF-8 as typed in this program, or Windows-1252 from files
// written on older systems. Both helpers read each valid UTF-8 sequence as its character and any
// other byte as the Windows-1252 character of that byte, so no text is ever rejected.

// The text as UTF-8, every byte that is not valid UTF-8 read as Windows-1252.
std::string toUtf8(std::string_view text);

// The text as UTF-8 with every letter replaced by its simple case folding (in effect lower case),
// so that two texts that differ only in letter case fold to the same bytes. Covered: ASCII,
// Latin-1 Supplement, Latin Extended-A, Greek and Coptic (basic letters, accented capitals, final
// sigma) and Cyrillic with its supplement; other characters are kept as they are.
std::string foldCase(std::string_view text);
// The same into `out` (replacing its content), which keeps its storage for the next text.
void foldCaseInto(std::string_view text, std::string& out);

// The simple case folding of one code point over the ranges above.
char32_t foldCodePoint(char32_t c);

} // namespace ardenvo
