#pragma once

#include "support/ScriptedPrompter.h"

#include <string>
#include <vector>

namespace ardenvo::test {

// The reminder window's boxes as its tests read them.
inline std::vector<std::string> shownTexts(const ScriptedPrompter& prompter,
                                           ScriptedPrompter::Kind kind, Prompter::Icon icon,
                                           bool withTitle = false) {
    std::vector<std::string> found;
    for (const auto& shown : prompter.shown)
        if (shown.kind == kind && shown.icon == icon)
            found.push_back(
                ((withTitle ? shown.title + ": " : QString()) + shown.text).toStdString());
    return found;
}
// The Yes/No questions, in the order asked.
inline std::vector<std::string> questionsOf(const ScriptedPrompter& prompter) {
    return shownTexts(prompter, ScriptedPrompter::Kind::YesNo, Prompter::Icon::Warning);
}
// The error messages, as "Title: text".
inline std::vector<std::string> errorsOf(const ScriptedPrompter& prompter) {
    return shownTexts(prompter, ScriptedPrompter::Kind::Message, Prompter::Icon::Stop, true);
}
inline std::vector<std::string> infosOf(const ScriptedPrompter& prompter) {
    return shownTexts(prompter, ScriptedPrompter::Kind::Message, Prompter::Icon::Information);
}

} // namespace ardenvo::test
