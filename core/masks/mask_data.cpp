// The mask's element list: resetting and storing elements, and the program's
// one parsed mask. Parsing, evaluation, labels and name cleaning live in files
// of their own.
#include "masks/mask_data.h"

namespace lx {

const char* const kEmptyKeyword = "Empty Keyword";
const char* const kEmptyAbbreviation = "Empty";

CMaskData ActiveMask;

void CMaskAttr::Reset() { *this = CMaskAttr(); }

void CMaskData::Reset() {
  SpecCount = 0;
  for (auto& spec : Specs) spec.Reset();
}

bool CMaskData::SetSpec(int index, const std::string& text, int kind, int subType, int additionalData) {
  if (index < 0 || index >= kMaxMaskElements) return false;
  CMaskAttr& spec = Specs[static_cast<size_t>(index)];
  spec.SpecMask = text;
  spec.SpecType = kind;
  spec.SpecSubType = subType;
  spec.AdditionalData = additionalData;
  return true;
}

bool CMaskData::EnsureExtensionSpec() {
  for (int i = 0; i < SpecCount; ++i)
    if (Specs[static_cast<size_t>(i)].SpecType == SpecExtension) return true;
  if (!SetSpec(SpecCount, "%FE", SpecExtension, ExtUnchanged, 0)) return false;
  ++SpecCount;
  return true;
}

}  // namespace lx
