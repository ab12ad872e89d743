// The viewer texts of a mask element: its type name, the label of its sub-type
// and of its additional data, and blanks made visible.
#pragma once

#include <string>

namespace lx {

std::string SpecTypeName(int kind);
std::string SpecSubTypeLabel(int kind, int subType);
std::string AdditionalDataLabel(int kind, int additionalData);  // empty when additionalData is 0
// A text made only of 1 to 5 blanks is shown as "SP" per blank; anything else unchanged.
std::string BlankRuleText(const std::string& text);

}  // namespace lx
