// The viewer texts of a mask element, as the mask viewer and the CLI list them.
#include "masks/mask_labels.h"

#include "masks/mask_data.h"
#include "platform/text.h"

namespace lx {

std::string SpecTypeName(int kind) {
  switch (kind) {
    case SpecUndefined:
      return "Undefined Specification";
    case SpecStraightText:
      return "Straight Text";
    case SpecTime:
      return "Time Mask";
    case SpecLeftOfName:
      return "Left of Original File Name";
    case SpecRightOfName:
      return "Right of Original File Name";
    case SpecCompleteName:
      return "Complete Original File Name";
    case SpecExtension:
      return "File Extention processing";
    case SpecUserKeyword:
      return "Keyword from user-Entry";
    case SpecUserKeywordAbbr:
      return "Keyword Abbreviation from user-Entry";
    case SpecDbKeyword:
      return "Keyword from Lorvexandrin Database";
    case SpecDbKeywordAbbr:
      return "Keyword Abbreviation from Lorvexandrin Database";
    case SpecPictureCounter:
      return "Picture Counter";
    case SpecKeyboardEntry:
      return "Keyboard Entry";
    default:
      return "Unknown Type !!! ";
  }
}

std::string SpecSubTypeLabel(int kind, int subType) {
  if (kind == SpecTime) {
    switch (subType) {
      case TimeExifOrFile:
        return "Exif Time (if available) or Windows File Time";
      case TimeFileOnly:
        return "Windows File Time";
      case TimeExifOnly:
        return "Exif Time (if available)";
      default:
        break;
    }
  } else if (kind == SpecExtension) {
    switch (subType) {
      case ExtUnchanged:
        return "Standard Extention - No Change";
      case ExtUpper:
        return "Turn Extention Upper case";
      case ExtLower:
        return "Turn Extention Lower case";
      default:
        break;
    }
  }
  return "Not Appplicable";
}

std::string AdditionalDataLabel(int kind, int additionalData) {
  if (additionalData <= 0) return {};
  switch (kind) {
    case SpecLeftOfName:
      return StrFormat("Number of Character from Start: %d", additionalData);
    case SpecRightOfName:
      return StrFormat("Number of Character from End: %d", additionalData);
    case SpecDbKeyword:
    case SpecDbKeywordAbbr:
      return StrFormat("Keyword Index in Database: %d", additionalData);
    case SpecPictureCounter:
      return StrFormat("Length of Picture Counter String: %d", additionalData);
    default:
      return StrFormat("%d", additionalData);
  }
}

std::string BlankRuleText(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of(' ') != std::string::npos) return text;
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) shown += "SP";
  return shown;
}

}  // namespace lx
