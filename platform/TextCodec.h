#pragma once

#include "model/TextEncoding.h"

#include <QString>

#include <string>
#include <string_view>

namespace ardenvo {

// Texts are kept as bytes. Valid UTF-8 shows as is; anything else (files written on other
// systems) is read as Windows-1252 so it shows readable characters instead of replacement marks.
QString displayText(std::string_view bytes);
// What the user typed, as stored bytes (UTF-8).
std::string storedText(const QString& text);

} // namespace ardenvo
