#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ardenvo {

// The number a text starts with, read the same in every locale: leading white space, an optional
// sign, then the longest decimal number ("12abc" is 12, "12.5 EUR" is 12.5, "1e3" is 1000, "inf"
// and "nan" as spelled); 0 when the text does not start with a number. Too large a value gives
// plus or minus infinity and too small a one 0, as the C library's conversion does.
double leadingNumber(std::string_view text);

// The same number, or nothing when the text does not start with one ("", "abc", "-").
std::optional<double> leadingNumberIfAny(std::string_view text);

// A number as printf's "%f" prints it in the C locale: six decimals and a dot.
std::string formatFixed(double value);

} // namespace ardenvo
