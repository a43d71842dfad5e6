#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// A sentence of Qt-free code with its variable parts kept apart, so that a window can show it in
// the user's language and a file or the command line gets it in English. `text` is marked with
// AV_TRANSLATE_NOOP under `context` and holds %1..%9 for `args` in order and %n for `count`.
struct Phrase {
    const char* context = "";
    const char* text = "";
    std::vector<std::string> args;
    int count = -1; // the number a plural form depends on; -1 for none
};

// Turns (context, text, count) into the text to fill: the translation in a window.
using PhraseTranslator = std::function<std::string(const char*, const char*, int)>;

// `format` with %1..%9 replaced by `args` and %n by `count`. Markers without an argument stay as
// they are; what the arguments hold is never looked at again, so a name holding "%2" stays so.
inline std::string fillPhrase(std::string_view format, const std::vector<std::string>& args,
                              int count = -1) {
    std::string out;
    out.reserve(format.size() + 16);
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < args.size()) {
                out += args[static_cast<std::size_t>(next - '1')];
                ++i;
                continue;
            }
            if (next == 'n' && count >= 0) {
                out += std::to_string(count);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// The phrase in `translate`'s language, or in English without one.
inline std::string phraseText(const Phrase& phrase, const PhraseTranslator& translate = {}) {
    if (!phrase.text)
        return {};
    const std::string format =
        translate ? translate(phrase.context, phrase.text, phrase.count) : phrase.text;
    return fillPhrase(format, phrase.args, phrase.count);
}

} // namespace ardenvo
