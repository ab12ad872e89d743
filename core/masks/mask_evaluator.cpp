// The one evaluator of a parsed mask, the two ways of calling it (list rows
// and paths), and the time formatting its time elements use.
#include "masks/mask_evaluator.h"

#include <locale.h>

#include <climits>
#include <cstdio>
#include <ctime>

#include "base/prompts.h"
#include "masks/keyword_source.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lx {

namespace {

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

// Computes one element other than the picture counter. Returns false when the
// user cancelled a dialog: the element then adds nothing and its stored text stays.
bool ComputeElement(CMaskAttr& spec, const MaskFile& file, bool interactive, Prompts& prompts, KeywordSource& keywords,
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
          // Formatted from the fields as the camera wrote them: a round trip
          // through the local time would shift a time in a daylight-saving gap.
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

MaskResult EvaluateMask(CMaskData& mask, const MaskFile& file, const MaskEvaluation& how, int& counter,
                        Prompts& prompts, KeywordSource& keywords) {
  MaskResult result;
  // A full mask without an extension element has no room for "%FE": the
  // extension is then added after the elements so that no name loses it.
  const bool extensionInMask = mask.EnsureExtensionSpec();
  const int before = counter;
  bool counted = false;
  const int count = mask.SpecCount < kMaxMaskElements ? mask.SpecCount : kMaxMaskElements;
  for (int i = 0; i < count; ++i) {
    CMaskAttr& spec = mask.Specs[static_cast<size_t>(i)];
    std::string* kept = how.texts ? &(*how.texts)[static_cast<size_t>(i)] : nullptr;
    if (spec.SpecType == SpecPictureCounter) {
      // The counter moves on once per name, whatever the number of counter elements.
      if (!counted) {
        Increase(counter);
        counted = true;
      }
      const int shown = how.counterRule == CounterRule::IncreaseThenShow ? counter : before;
      const std::string text = CounterText(shown, spec.AdditionalData);
      if (kept) *kept = text;
      result.counterShown = shown;
      result.newName += text;
      continue;
    }
    if (kept && !how.recompute) {
      result.newName += *kept;
      continue;
    }
    std::string piece;
    std::string text = kept ? *kept : std::string();
    // A cancelled dialog adds nothing, and the kept text stays.
    if (ComputeElement(spec, file, how.interactive, prompts, keywords, piece, text, result.timeFlags) && kept)
      *kept = text;
    result.newName += piece;
  }
  if (!extensionInMask) result.newName += file.ext;
  return result;
}

std::uint32_t CMaskData::EvaluateRow(CRenameFileData& row, int& counter, bool maskChanged, int /*unused*/,
                                     Prompts& prompts, KeywordSource& keywords) {
  if (maskChanged) row.StateFlags = 0;
  const bool clockReading = row.ExifDateValid && row.ExifSource != ExifDateSource::None;
  const MaskFile file{row.FilePath,
                      row.FileTitle,
                      row.FileExt,
                      row.ExifDate,
                      row.ExifDateValid,
                      row.FileDate,
                      clockReading ? &row.ExifFields : nullptr};
  MaskEvaluation how;
  how.counterRule = CounterRule::IncreaseThenShow;
  how.interactive = true;
  how.texts = &row.ElementTexts;
  how.recompute = maskChanged;
  MaskResult result = EvaluateMask(*this, file, how, counter, prompts, keywords);
  row.NewName = std::move(result.newName);
  if (result.counterShown) row.CounterValue = *result.counterShown;
  row.StateFlags |= result.timeFlags | RowListed;
  return row.StateFlags;
}

int CMaskData::EvaluatePath(const std::string& path, bool exifDateValid, std::string& currentName, std::string& newName,
                            int& counter, bool interactive, TimeT exifDate, TimeT fileDate, Prompts& prompts,
                            KeywordSource& keywords) {
  const PathParts parts = SplitPath(path);
  currentName = parts.title + parts.ext;
  const MaskFile file{path, parts.title, parts.ext, exifDate, exifDateValid, fileDate};
  MaskEvaluation how;
  how.counterRule = CounterRule::ShowThenIncrease;
  how.interactive = interactive;
  MaskResult result = EvaluateMask(*this, file, how, counter, prompts, keywords);
  newName = std::move(result.newName);
  return static_cast<int>(result.timeFlags & (RowFileTimeUsed | RowExifTimeUsed));
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
  const std::tm tm = TmOfFields(fields);
  char buffer[128];
  size_t n = strftime_l(buffer, sizeof buffer, format.c_str(), &tm, CLocale());
  return std::string(buffer, n);
}

TimeT MaskDefaultExifDate() {
  auto t = MakeLocalTime(2000, 1, 1, 0, 0, 0);
  return t ? *t : 946684800;
}

}  // namespace lx
