// The renaming mask: straight text and "%" format elements, parsed into
// at most 50 elements (mask_parser.cpp), and evaluated per file into a new
// name (mask_evaluator.cpp). Labels and name cleaning have headers of their own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "photo/rename_file_data.h"
#include "platform/times.h"

namespace lx {

class Prompts;
class KeywordSource;

// Element kinds.
enum SpecKind : int {
  SpecUndefined = 0,
  SpecStraightText = 1,
  SpecTime = 2,
  SpecLeftOfName = 3,
  SpecRightOfName = 4,
  SpecCompleteName = 5,
  SpecExtension = 6,
  SpecUserKeyword = 7,
  SpecUserKeywordAbbr = 8,
  SpecDbKeyword = 9,
  SpecDbKeywordAbbr = 10,
  SpecPictureCounter = 11,
  SpecKeyboardEntry = 12,
};

// Time source of a SpecTime element.
enum TimeSource : int { TimeExifOrFile = 1, TimeFileOnly = 2, TimeExifOnly = 3 };

// Extension processing of a SpecExtension element.
enum ExtensionCase : int { ExtUnchanged = 1, ExtUpper = 2, ExtLower = 3 };

// How ParseMask reports an error besides its message.
enum ReportMode : int { ReportQuiet = 0, ReportBox = 1 };

struct CMaskAttr {
  std::string SpecMask;  // the straight text, or the format element in its normalised form
  int SpecType = SpecUndefined;
  int SpecSubType = 0;         // TimeSource or ExtensionCase, else 0
  int AdditionalData = 0;      // character count, keyword index or counter digits
  bool KeepUserValue = false;  // reuse UserValue for the remaining files of the run
  std::string UserValue;       // keyword or typed text chosen, or keyword read for %Kx
  std::string SpecError;       // remark shown beside the element

  void Reset();
};

// The fixed texts of the keyword table's empty entry: they add nothing to a name.
extern const char* const kEmptyKeyword;       // "Empty Keyword"
extern const char* const kEmptyAbbreviation;  // "Empty"

class CMaskData {
 public:
  std::array<CMaskAttr, kMaxMaskElements> Specs{};
  int SpecCount = 0;

  // Rebuilds the element list; false on the first error with the message set.
  // Every error beeps through prompts (when given); ReportBox also shows the
  // message in a warning box.
  bool ParseMask(const std::string& mask, std::string& message, int reportMode, Prompts* prompts = nullptr);

  // Stores an element at index; false (nothing stored) when index is out of range.
  bool SetSpec(int index, const std::string& text, int kind, int subType, int additionalData);

  // Appends a "%FE" element when the mask has no extension element. False when
  // there is no room for it (the mask already has 50 elements).
  bool EnsureExtensionSpec();

  // The new name of a list row; returns the row's StateFlags. The counter
  // moves on first and the row shows the new value; without maskChanged the
  // row's kept element texts are reused. The fourth argument is unused (callers pass 1).
  std::uint32_t EvaluateRow(CRenameFileData& row, int& counter, bool maskChanged, int unused, Prompts& prompts,
                            KeywordSource& keywords);

  // The new name of a file given by path and times; returns the time bits
  // (RowFileTimeUsed, RowExifTimeUsed). The name shows the counter's value
  // before it moves on.
  int EvaluatePath(const std::string& path, bool exifDateValid, std::string& currentName, std::string& newName,
                   int& counter, bool interactive, TimeT exifDate, TimeT fileDate, Prompts& prompts,
                   KeywordSource& keywords);

 private:
  void Reset();
};

// The program's one parsed mask.
extern CMaskData ActiveMask;

// strftime of a local time in the "C" locale, whatever the process locale is;
// empty when the time cannot be converted or the result exceeds 127 bytes.
std::string FormatMaskTime(const std::string& format, TimeT time);
// The same of a clock reading taken as it stands (a photo's date taken).
std::string FormatMaskTime(const std::string& format, const LocalFields& fields);

// 2000-01-01 00:00:00 local: the date used when a photo has no valid Exif date.
TimeT MaskDefaultExifDate();

}  // namespace lx
