#include "reminder/core/ReminderPorts.h"

namespace ardenvo {

std::string fillPlaceholders(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < args.size()) {
            out += args[static_cast<std::size_t>(next - '1')];
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

std::string SessionText::english() const {
    std::vector<std::string> texts;
    texts.reserve(args.size());
    for (const Arg& arg : args)
        texts.push_back(arg.text);
    return fillPlaceholders(source, texts);
}

} // namespace ardenvo
