#include "search/engine/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ardenvo {

std::optional<double> leadingNumberIfAny(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // from_chars takes no '+' and no second sign, which matches the C conversion's grammar.
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        return std::nullopt;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::invalid_argument)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the exponent's sign.
        bool negativeExponent = false;
        for (const char* p = first; p < end; ++p) {
            if ((*p == 'e' || *p == 'E') && p + 1 < end && p[1] == '-')
                negativeExponent = true;
        }
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

double leadingNumber(std::string_view text) {
    return leadingNumberIfAny(text).value_or(0.0);
}

std::string formatFixed(double value) {
    // Room for the largest double in fixed notation: 309 digits, sign, dot, six decimals.
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return "0.000000";
    return std::string(buffer, end);
}

} // namespace ardenvo
