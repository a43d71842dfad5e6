#pragma once

#include "labels/core/LabelText.h"
#include "model/CBrenvikaDoc.h"

#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// A label's code is kept on its object as this attribute of this category, so the search finds
// the box by the code written on it.
inline constexpr std::string_view kLabelCategory = "Label";
inline constexpr std::string_view kCodeAttribute = "Code";

// "AV-0012" for 12.
std::string labelCode(int number);

// The code stored on the object, empty when it has none.
std::string storedCode(const CHouseObject& object);

// One code per subject (empty for a room): the stored one when the object has one that no object
// earlier in the house bears too (codes compare without regard to case), else the first free
// "AV-0001", "AV-0002", ... in the order of `subjects`. Only the house decides, so the same house
// gives the same codes every time. The house is not changed.
std::vector<std::string> planLabelCodes(const CBrenvikaDoc& doc,
                                        const std::vector<LabelSubject>& subjects);

// Stores each code on its object where it is not there yet (adding the category "Label" when the
// object has none); returns how many objects changed.
std::size_t storeLabelCodes(const std::vector<LabelSubject>& subjects,
                            const std::vector<std::string>& codes);

} // namespace ardenvo
