#include "search/engine/ObjectMatch.h"

#include "search/engine/CaseFold.h"
#include "search/engine/NumberText.h"

namespace ardenvo {
namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

ObjectMatch::ObjectMatch(const SearchCriteria& criteria)
    : m_criteria(criteria), m_names(foldCase(criteria.nameText)),
      m_notes(foldCase(criteria.notesText)), m_field(foldCase(criteria.fieldText)),
      m_value(foldCase(criteria.valueText)), m_valueNumber(leadingNumber(criteria.valueText)) {}

bool ObjectMatch::byText(std::string_view name, std::string_view notes) {
    return (m_criteria.byName && contains(name, m_names)) ||
           (m_criteria.byNotes && contains(notes, m_notes));
}

bool ObjectMatch::contains(std::string_view text, const std::string& foldedNeedle) {
    if (foldedNeedle.empty())
        return true;
    foldCaseInto(text, m_buffer);
    return m_buffer.find(foldedNeedle) != std::string::npos;
}

bool ObjectMatch::testField(std::string_view value) {
    if (!m_criteria.byValue)
        return true;
    bool matched = false;
    const Comparison c = m_criteria.comparison;
    if (!comparesWithValue(c)) {
        // A value holding no number counts for none of the statistics, so an empty field
        // neither lowers the average nor becomes the minimum. A sum or average lists every
        // object with the field; a maximum or minimum lists only the values that set one.
        const std::optional<double> found = leadingNumberIfAny(value);
        if (!found)
            return c == Comparison::Sum || c == Comparison::Average;
        const double number = *found;
        if (m_firstValue) {
            m_firstValue = false;
            m_accumulator = number;
            m_count = 1;
            matched = true;
        } else if (c == Comparison::Maximum) {
            if (number > m_accumulator) {
                m_accumulator = number;
                matched = true;
            }
        } else if (c == Comparison::Minimum) {
            if (number < m_accumulator) {
                m_accumulator = number;
                matched = true;
            }
        } else {
            m_accumulator += number;
            m_count += 1;
            matched = true;
        }
        return matched;
    }
    switch (c) {
    case Comparison::Contains:
        return contains(value, m_value);
    case Comparison::BeginsWith:
        foldCaseInto(value, m_buffer);
        return m_buffer.compare(0, m_value.size(), m_value) == 0;
    case Comparison::EndsWith:
        foldCaseInto(value, m_buffer);
        return endsWith(m_buffer, m_value);
    case Comparison::GreaterThan:
        return leadingNumber(value) > m_valueNumber;
    case Comparison::LessThan:
        return leadingNumber(value) < m_valueNumber;
    default:
        return false;
    }
}

} // namespace ardenvo
