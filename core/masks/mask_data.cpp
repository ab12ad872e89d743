#include "masks/mask_data.h"

#include <locale.h>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/prompts.h"
#include "base/version.h"
#include "masks/keyword_source.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lx {

const char* const kEmptyKeyword = "Empty Keyword";
const char* const kEmptyAbbreviation = "Empty";
const char* const kForbiddenNameCharacters = "\\/:*?\"<>|";

CMaskData ActiveMask;

namespace {

constexpr const char* kTimeLetters = "yYbBmaAdHIMS";
constexpr const char* kUnable = " ... Unable to Apply Renaming Mask !!!";

bool IsTimeLetter(char c) { return c != '\0' && std::strchr(kTimeLetters, c) != nullptr; }

std::string ParseError(const char* what, const std::string& found) { return std::string(what) + found + kUnable; }

// Number of bytes of the first `count` characters of a UTF-8 text, so that
// %Lx / %Rx never cut a multi-byte character in two.
size_t Utf8PrefixBytes(const std::string& text, size_t count) {
  size_t pos = 0;
  for (size_t n = 0; n < count && pos < text.size(); ++n) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

size_t Utf8Length(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string LeftChars(const std::string& text, int count) {
  return text.substr(0, Utf8PrefixBytes(text, static_cast<size_t>(count)));
}

std::string RightChars(const std::string& text, int count) {
  size_t length = Utf8Length(text);
  if (length <= static_cast<size_t>(count)) return text;
  return text.substr(Utf8PrefixBytes(text, length - static_cast<size_t>(count)));
}

std::string CounterText(int value, int digits) {
  if (digits < 1) digits = 1;
  if (digits > 15) digits = 15;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
  return buffer;
}

void Increase(int& counter) {
  if (counter < INT_MAX) ++counter;
}

struct FileFacts {
  const std::string& path;
  const std::string& title;
  const std::string& ext;
  TimeT exifDate;
  bool exifDateValid;
  TimeT fileDate;
  const LocalFields* exifFields;  // the camera's clock reading when the row has one
};

// Computes one element other than the picture counter. Returns false when the
// user cancelled a dialog: the element then adds nothing and its stored text stays.
bool ComputeElement(CMaskAttr& spec, const FileFacts& file, bool interactive, Prompts& prompts, KeywordSource& keywords,
                    std::string& piece, std::string& elementText, std::uint32_t& flags) {
  switch (spec.SpecType) {
    case SpecStraightText:
      piece = elementText = spec.SpecMask;
      return true;
    case SpecTime: {
      TimeT when;
      if (spec.SpecSubType == TimeFileOnly || (spec.SpecSubType == TimeExifOrFile && !file.exifDateValid)) {
        when = file.fileDate;
        flags |= RowFileTimeUsed;
      } else {
        when = file.exifDateValid ? file.exifDate : MaskDefaultExifDate();
        flags |= RowExifTimeUsed;
        if (file.exifDateValid && file.exifFields) {
          piece = elementText = FormatMaskTime(spec.SpecMask, *file.exifFields);
          return true;
        }
      }
      piece = elementText = FormatMaskTime(spec.SpecMask, when);
      return true;
    }
    case SpecLeftOfName:
      piece = elementText = LeftChars(file.title, spec.AdditionalData);
      return true;
    case SpecRightOfName:
      piece = elementText = RightChars(file.title, spec.AdditionalData);
      return true;
    case SpecCompleteName:
      piece = elementText = file.title;
      return true;
    case SpecExtension:
      if (spec.SpecSubType == ExtUpper)
        piece = ToUpperAscii(file.ext);
      else if (spec.SpecSubType == ExtLower)
        piece = ToLowerAscii(file.ext);
      else
        piece = file.ext;
      elementText = piece;
      return true;
    case SpecUserKeyword:
    case SpecUserKeywordAbbr: {
      const bool abbr = spec.SpecType == SpecUserKeywordAbbr;
      const char* empty = abbr ? kEmptyAbbreviation : kEmptyKeyword;
      if (!interactive) {
        piece = elementText = abbr ? "Keyword Abbr. Selected by User" : "Keyword Selected by User";
        return true;
      }
      if (!spec.KeepUserValue) {
        KeywordChoice choice;
        if (!prompts.SelectKeyword(file.path, false, choice)) return false;
        spec.UserValue = abbr ? choice.abbreviation : choice.keyword;
        spec.KeepUserValue = choice.applyToAll;
      }
      elementText = spec.UserValue;
      piece = spec.UserValue == empty ? std::string() : spec.UserValue;
      return true;
    }
    case SpecKeyboardEntry: {
      if (!interactive) {
        piece = elementText = "Keyboard Data Typed In by User";
        return true;
      }
      if (!spec.KeepUserValue) {
        TypedTextChoice choice;
        if (!prompts.TypeKeyboardEntry(file.path, false, choice)) return false;
        spec.UserValue = choice.text;
        spec.KeepUserValue = choice.applyToAll;
      }
      piece = elementText = spec.UserValue;
      return true;
    }
    case SpecDbKeyword:
    case SpecDbKeywordAbbr: {
      const bool abbr = spec.SpecType == SpecDbKeywordAbbr;
      spec.UserValue = abbr ? keywords.KeywordAbbreviation(spec.AdditionalData) : keywords.Keyword(spec.AdditionalData);
      elementText = spec.UserValue;
      piece = spec.UserValue == (abbr ? kEmptyAbbreviation : kEmptyKeyword) ? std::string() : spec.UserValue;
      return true;
    }
    default:
      piece.clear();
      elementText.clear();
      return true;
  }
}

locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

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

bool CMaskData::EnsureExtensionSpec() {
  for (int i = 0; i < SpecCount; ++i)
    if (Specs[static_cast<size_t>(i)].SpecType == SpecExtension) return true;
  if (!SetSpec(SpecCount, "%FE", SpecExtension, ExtUnchanged, 0)) return false;
  ++SpecCount;
  return true;
}

std::uint32_t CMaskData::EvaluateRow(CRenameFileData& row, int& counter, bool maskChanged, int /*unused*/,
                                     Prompts& prompts, KeywordSource& keywords) {
  if (maskChanged) row.StateFlags = 0;
  row.NewName.clear();
  // A full mask without an extension element has no room for "%FE": the
  // extension is then added after the elements so that no name loses it.
  const bool extensionInMask = EnsureExtensionSpec();
  bool counted = false;
  const bool clockReading = row.ExifDateValid && row.ExifSource != ExifDateSource::None;
  const FileFacts file{row.FilePath,
                       row.FileTitle,
                       row.FileExt,
                       row.ExifDate,
                       row.ExifDateValid,
                       row.FileDate,
                       clockReading ? &row.ExifFields : nullptr};
  const int count = SpecCount < kMaxMaskElements ? SpecCount : kMaxMaskElements;
  for (int i = 0; i < count; ++i) {
    CMaskAttr& spec = Specs[static_cast<size_t>(i)];
    std::string& elementText = row.ElementTexts[static_cast<size_t>(i)];
    if (spec.SpecType == SpecPictureCounter) {
      if (!counted) {
        Increase(counter);
        counted = true;
      }
      elementText = CounterText(counter, spec.AdditionalData);
      row.CounterValue = counter;
      row.NewName += elementText;
      continue;
    }
    if (!maskChanged) {
      row.NewName += elementText;
      continue;
    }
    std::string piece;
    std::string text = elementText;
    if (ComputeElement(spec, file, true, prompts, keywords, piece, text, row.StateFlags)) elementText = text;
    row.NewName += piece;
  }
  if (!extensionInMask) row.NewName += row.FileExt;
  row.StateFlags |= RowListed;
  return row.StateFlags;
}

int CMaskData::EvaluatePath(const std::string& path, bool exifDateValid, std::string& currentName, std::string& newName,
                            int& counter, bool interactive, TimeT exifDate, TimeT fileDate, Prompts& prompts,
                            KeywordSource& keywords) {
  const PathParts parts = SplitPath(path);
  currentName = parts.title + parts.ext;
  newName.clear();
  const bool extensionInMask = EnsureExtensionSpec();
  std::uint32_t flags = 0;
  // Every counter element of one name shows the same number; the counter
  // moves on once per name.
  const int shown = counter;
  bool counted = false;
  const FileFacts file{path, parts.title, parts.ext, exifDate, exifDateValid, fileDate, nullptr};
  const int count = SpecCount < kMaxMaskElements ? SpecCount : kMaxMaskElements;
  for (int i = 0; i < count; ++i) {
    CMaskAttr& spec = Specs[static_cast<size_t>(i)];
    if (spec.SpecType == SpecPictureCounter) {
      newName += CounterText(shown, spec.AdditionalData);
      if (!counted) {
        Increase(counter);
        counted = true;
      }
      continue;
    }
    std::string piece, text;
    ComputeElement(spec, file, interactive, prompts, keywords, piece, text, flags);
    newName += piece;
  }
  if (!extensionInMask) newName += parts.ext;
  return static_cast<int>(flags & (RowFileTimeUsed | RowExifTimeUsed));
}

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

std::string FormatMaskTime(const std::string& format, TimeT time) {
  time_t value = static_cast<time_t>(time);
  if (static_cast<TimeT>(value) != time) return {};
  std::tm tm{};
  if (!localtime_r(&value, &tm)) return {};
  char buffer[128];
  size_t n = strftime_l(buffer, sizeof buffer, format.c_str(), &tm, CLocale());
  return std::string(buffer, n);
}

std::string FormatMaskTime(const std::string& format, const LocalFields& fields) {
  std::tm tm{};
  tm.tm_year = fields.year - 1900;
  tm.tm_mon = fields.month - 1;
  tm.tm_mday = fields.day;
  tm.tm_hour = fields.hour;
  tm.tm_min = fields.minute;
  tm.tm_sec = fields.second;
  tm.tm_wday = fields.weekday;
  tm.tm_isdst = -1;
  char buffer[128];
  size_t n = strftime_l(buffer, sizeof buffer, format.c_str(), &tm, CLocale());
  return std::string(buffer, n);
}

TimeT MaskDefaultExifDate() {
  auto t = MakeLocalTime(2000, 1, 1, 0, 0, 0);
  return t ? *t : 946684800;
}

bool RemoveInvalidCharacters(std::string& text, const std::string& forbidden, const std::string& fieldName,
                             Prompts* prompts, size_t* firstPosition) {
  const size_t first = text.find_first_of(forbidden);
  if (first == std::string::npos) return true;
  if (prompts) {
    prompts->Beep();
    prompts->ShowMessage(
        StrFormat("The following characters are not allowed in %s: %s \n\n", fieldName.c_str(), forbidden.c_str()) +
            "Invalid character(s) will be removed now ....",
        kAppTitle);
  }
  // The forbidden characters are ASCII, which never occurs inside a UTF-8
  // multi-byte sequence, so removing bytes keeps every other character whole.
  std::string cleaned;
  cleaned.reserve(text.size());
  for (char c : text)
    if (forbidden.find(c) == std::string::npos) cleaned += c;
  text = std::move(cleaned);
  if (firstPosition) *firstPosition = first;
  return false;
}

}  // namespace lx
