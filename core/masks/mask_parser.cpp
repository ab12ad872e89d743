// The mask parser: turns a mask text into the element list of a CMaskData,
// expanding the "%DT" abbreviations and stopping at the first error with the
// message the user sees.
#include <climits>
#include <cstring>

#include "base/prompts.h"
#include "base/version.h"
#include "masks/mask_data.h"
#include "platform/text.h"

namespace lx {

namespace {

constexpr const char* kTimeLetters = "yYbBmaAdHIMS";
constexpr const char* kUnable = " ... Unable to Apply Renaming Mask !!!";

bool IsTimeLetter(char c) { return c != '\0' && std::strchr(kTimeLetters, c) != nullptr; }

std::string ParseError(const char* what, const std::string& found) { return std::string(what) + found + kUnable; }

}  // namespace

bool CMaskData::ParseMask(const std::string& mask, std::string& message, int reportMode, Prompts* prompts) {
  Reset();
  message.clear();

  auto fail = [&](std::string text) {
    message = std::move(text);
    if (prompts) {
      prompts->Beep();
      if (reportMode == ReportBox) prompts->ShowWarning(message, kAppTitle);
    }
    return false;
  };

  std::string m = mask;
  if (m.find("%DT") != std::string::npos) {
    static const char* const presets[][2] = {{"%DT3", "%Y-%m-%d %H-%M-%S"},
                                             {"%DT2", "%d-%b-%Y-%H-%M-%S"},
                                             {"%DT1", "%Y%m%dT%H%M%S"},
                                             {"%DTE", "%Y-%b-%dT%H.%M.%S"}};
    bool expanded = false;
    for (const auto& preset : presets) {
      size_t at = m.find(preset[0]);
      if (at != std::string::npos) {
        m.replace(at, 4, preset[1]);
        expanded = true;
        break;
      }
    }
    if (!expanded) return fail(ParseError("Unfinished Abbreviated Date and Time Mask Found: ", mask));
  }

  const size_t len = m.size();
  if (len == 0) return fail(ParseError("Unfinished Mask Found: ", m));

  // Stores the next element; a mask never holds more than the fixed number of elements.
  auto add = [&](const std::string& text, int kind, int subType, int data) {
    if (!SetSpec(SpecCount, text, kind, subType, data)) return false;
    ++SpecCount;
    return true;
  };
  auto tooMany = [&]() {
    return fail(
        StrFormat("Too Many Specifications in Mask (Maximum %d): %s%s", kMaxMaskElements, mask.c_str(), kUnable));
  };

  size_t pos = 0;
  while (pos < len) {
    size_t pct = m.find('%', pos);
    if (pct == std::string::npos) {
      if (!add(m.substr(pos), SpecStraightText, 0, 0)) return tooMany();
      return true;
    }
    if (pct > pos && !add(m.substr(pos, pct - pos), SpecStraightText, 0, 0)) return tooMany();
    if (pct == len - 1) return fail(ParseError("Unfinished Mask Found: ", m));

    const char letter = m[pct + 1];
    const char third = pct + 2 < len ? m[pct + 2] : '\0';
    size_t consumed = 0;
    bool stored = true;

    if (letter == 'E' || letter == 'W') {
      if (!IsTimeLetter(third))
        return fail(ParseError(
            letter == 'E' ? "Invalid Exif Date and Time Mask Found: " : "Invalid File Date and Time mask Found: ",
            m.substr(pct, 3)));
      stored = add(std::string("%") + third, SpecTime, letter == 'E' ? TimeExifOnly : TimeFileOnly, 0);
      consumed = 3;
    } else if (IsTimeLetter(letter)) {
      stored = add(m.substr(pct, 2), SpecTime, TimeExifOrFile, 0);
      consumed = 2;
    } else if (letter == 'L' || letter == 'R') {
      const bool left = letter == 'L';
      if (pct + 2 == len)
        return fail(ParseError(left ? "Unfinished Left File Mask Found: " : "Unfinished Right File Mask Found: ",
                               m.substr(pct, 2)));
      if (third == '0')
        return fail(
            ParseError(left ? "Invalid Left File Mask Length Found: " : "Invalid Right File Mask Length Found: ",
                       m.substr(pct, 3)));
      if (third < '1' || third > '9')
        return fail(ParseError(left ? "Missing Left File Mask Length: " : "Missing Right File Mask Length: ",
                               m.substr(pct, 3)));
      stored = add(m.substr(pct, 3), left ? SpecLeftOfName : SpecRightOfName, 0, third - '0');
      consumed = 3;
    } else if (letter == 'F') {
      const std::string four = ToUpperAscii(m.substr(pct, 4));
      if (four == "%FEU") {
        stored = add("%FEU", SpecExtension, ExtUpper, 0);
        consumed = 4;
      } else if (four == "%FEL") {
        stored = add("%FEL", SpecExtension, ExtLower, 0);
        consumed = 4;
      } else if (four.substr(0, 3) == "%FE") {
        stored = add("%FE", SpecExtension, ExtUnchanged, 0);
        consumed = 3;
      } else {
        stored = add("%F", SpecCompleteName, 0, 0);
        consumed = 2;
      }
    } else if (letter == 'C') {
      int digits = 0;
      if (third >= '1' && third <= '9') digits = third - '0';
      if (third >= 'A' && third <= 'F') digits = third - 'A' + 10;
      if (digits > 0) {
        stored = add(m.substr(pct, 3), SpecPictureCounter, 0, digits);
        consumed = 3;
      } else {
        stored = add("%C", SpecPictureCounter, 0, 8);
        if (stored)
          Specs[static_cast<size_t>(SpecCount - 1)].SpecError =
              "Invalid Length for Picture Counter !!!  Reset to Default Value (8)";
        consumed = 2;
      }
    } else if (letter == 'K') {
      if (third == 'I') {
        stored = add("%KI", SpecKeyboardEntry, 0, 0);
        consumed = 3;
      } else {
        size_t q = pct + 2;
        const bool abbr = q < len && m[q] == 'A';
        if (abbr) ++q;
        size_t digitsStart = q;
        long long number = 0;
        while (q < len && m[q] >= '0' && m[q] <= '9') {
          // Absurdly long indices saturate; no keyword has such an id anyway.
          if (number < INT_MAX) number = number * 10 + (m[q] - '0');
          ++q;
        }
        if (number > INT_MAX) number = INT_MAX;
        const std::string text = abbr ? "%KA" : "%K";
        if (q > digitsStart)
          stored = add(text, abbr ? SpecDbKeywordAbbr : SpecDbKeyword, 0, static_cast<int>(number));
        else
          stored = add(text, abbr ? SpecUserKeywordAbbr : SpecUserKeyword, 0, 0);
        consumed = q - pct;
      }
    } else {
      return fail(ParseError("Invalid Mask Letter Found: ", m.substr(pct, 2)));
    }
    if (!stored) return tooMany();
    pos = pct + consumed;
  }
  return true;
}

}  // namespace lx
