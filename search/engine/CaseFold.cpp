#include "search/engine/CaseFold.h"

#include "model/TextEncoding.h"

#include <array>
#include <cstdint>

namespace ardenvo {
namespace {

// Reads one character at `pos` and advances `pos` past it.
char32_t nextChar(std::string_view text, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        extra = 1;
        c = b0 & 0x1F;
        minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        extra = 2;
        c = b0 & 0x0F;
        minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        extra = 3;
        c = b0 & 0x07;
        minimum = 0x10000;
    }
    if (extra > 0 && pos + static_cast<std::size_t>(extra) < text.size()) {
        bool valid = true;
        for (int i = 1; valid && i <= extra; ++i) {
            const auto b = static_cast<unsigned char>(text[pos + i]);
            valid = (b & 0xC0) == 0x80;
            c = (c << 6) | (b & 0x3F);
        }
        // Overlong forms and surrogates are not UTF-8 either.
        if (valid && c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF)) {
            pos += static_cast<std::size_t>(extra) + 1;
            return c;
        }
    }
    ++pos;
    return windows1252CodePoint(b0);
}

// Upper case at even code points, lower case at the odd one after it.
constexpr bool evenPair(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last && (c - first) % 2 == 0;
}

template <typename Map> void convertInto(std::string_view text, std::string& out, Map map) {
    // Most texts are ASCII throughout: those are mapped byte by byte straight into place.
    out.resize(text.size());
    char* const into = out.data();
    std::size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        const auto b = static_cast<unsigned char>(text[pos]);
        if (b >= 0x80)
            break;
        into[pos] = static_cast<char>(map(b));
    }
    if (pos == text.size())
        return;
    out.resize(pos);
    while (pos < text.size()) {
        const auto b = static_cast<unsigned char>(text[pos]);
        if (b < 0x80) { // the common case, without decoding
            out.push_back(static_cast<char>(map(b)));
            ++pos;
            continue;
        }
        appendUtf8(out, map(nextChar(text, pos)));
    }
}

} // namespace

char32_t foldCodePoint(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    if (c < 0x100) {
        if (c == 0xB5)
            return 0x3BC; // micro sign folds to Greek mu
        if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
            return c + 0x20;
        return c;
    }
    if (c < 0x180) {
        if (c == 0x130)
            return 'i'; // capital I with dot: its letter without the dot
        if (c == 0x178)
            return 0xFF;
        if (c == 0x17F)
            return 's'; // long s
        if (evenPair(c, 0x100, 0x12F) || evenPair(c, 0x132, 0x137) || evenPair(c, 0x14A, 0x177))
            return c + 1;
        if (c >= 0x139 && c <= 0x148 && (c - 0x139) % 2 == 0)
            return c + 1;
        if (c >= 0x179 && c <= 0x17E && (c - 0x179) % 2 == 0)
            return c + 1;
        return c;
    }
    if (c >= 0x370 && c < 0x400) {
        if (c == 0x386)
            return 0x3AC;
        if (c >= 0x388 && c <= 0x38A)
            return c + 37;
        if (c == 0x38C)
            return 0x3CC;
        if (c == 0x38E || c == 0x38F)
            return c + 63;
        if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
            return c + 0x20;
        if (c == 0x3C2)
            return 0x3C3; // final sigma
        if (evenPair(c, 0x3D8, 0x3EF))
            return c + 1;
        return c;
    }
    if (c >= 0x400 && c < 0x530) {
        if (c < 0x410)
            return c + 0x50;
        if (c < 0x430)
            return c + 0x20;
        if (evenPair(c, 0x460, 0x481) || evenPair(c, 0x48A, 0x4BF) || evenPair(c, 0x4D0, 0x52F))
            return c + 1;
        if (c == 0x4C0)
            return 0x4CF;
        if (c >= 0x4C1 && c <= 0x4CE && (c - 0x4C1) % 2 == 0)
            return c + 1;
        return c;
    }
    return c;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    convertInto(text, out, [](char32_t c) { return c; });
    return out;
}

std::string foldCase(std::string_view text) {
    std::string out;
    foldCaseInto(text, out);
    return out;
}

void foldCaseInto(std::string_view text, std::string& out) {
    // ASCII letters folded in place, without a call per byte: this runs for every name searched.
    convertInto(text, out, [](char32_t c) {
        return c < 0x80 ? c + (c - U'A' < 26u ? 0x20 : 0) : foldCodePoint(c);
    });
}

} // namespace ardenvo
