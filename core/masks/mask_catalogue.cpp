#include "masks/mask_catalogue.h"
#include "photo/defaults.h"

#include "masks/mask_data.h"

namespace lx {

namespace {
constexpr const char* kSameScope = "    ''";
}

std::vector<MaskCatalogueRow> MaskCatalogue(TimeT now) {
  std::vector<MaskCatalogueRow> rows = {
      {"File Name Mask", "%F", "Complete File Name", "Copy of Complete File Name"},
      {kSameScope, "%Lx", "Left of the File Name (x: Char Number from 1 to 9)", "Left Part of the File Name"},
      {kSameScope, "%Rx", "Right of the File Name (x: Char Number from 1 to 9)", "Right Part of the File Name"},
      {"Keyboard Entry", "%KI", "Keyboard Entry", "Data Must be Typed in Manually"},
      {"Keyword", "%K", "Keyword Entry", "Keyword must be selected Manually"},
      {kSameScope, "%KA", "Keyword Abbreviation Entry", "Keyword Abbreviation must be selected Manually"},
      {kSameScope, "%Kx", "Keyword Entry from Database (X: 1 to 999)", "Keyword is Retrieved from Database"},
      {kSameScope, "%KAx", "Keyword Abbreviation Entry from Database (X: 1 to 999)",
       "Keyword Abbreviation is Retrieved from Database"},
      {"Picture Counter", "%C", "Picture Counter", "Counter with 8 digits (padded with 0) - Equivalent to %C8"},
      {kSameScope, "%Cx", "Picture Counter", "Counter with x digits (padded with 0) with x from 1 to F (F=15)"},
      {"Date and Time Mask", "%DT3", "Standard Renaming Mask of Lorvexandrin 4.0 - Equal to %Y-%m-%d %H-%M-%S",
       FormatMaskTime(kStandardMask, now)},
      {kSameScope, "%DT2", "Standard Renaming Mask of Lorvexandrin 2.0 - Equal to %d-%b-%Y-%H-%M-%S",
       FormatMaskTime("%d-%b-%Y-%H-%M-%S", now)},
      {kSameScope, "%DT1", "Base ISO 8601 Standard Mask - Equal to %Y%m%dT%H%M%S",
       FormatMaskTime("%Y%m%dT%H%M%S", now)},
      {kSameScope, "%DTE", "Extended ISO 8601 Standard Mask - Equal to %Y-%b-%dT%H.%M.%S",
       FormatMaskTime("%Y-%b-%dT%H.%M.%S", now)},
  };

  struct Letter {
    char letter;
    const char* scope;  // nullptr: same group as the letter before
    const char* base;
  };
  static const Letter letters[] = {
      {'y', "Year Mask", "Year without Century (as a two-digits number)"},
      {'Y', nullptr, "Year with Century (as a four-digits number)"},
      {'b', "Month Mask", "Abbreviated Month Name (as a three-letters string)"},
      {'B', nullptr, "Complete Month Name (according to Local Settings)"},
      {'m', nullptr, "Month (as a two-digits number)"},
      {'a', "Day Mask", "Abbreviated WeekDay Name (as a three-letter string)"},
      {'A', nullptr, "Complete WeekDay Name (according to Local Settings)"},
      {'d', nullptr, "Day of Month (as a two-digits number)"},
      {'H', "Hour Mask", "Hour in 24-Hour Format (as a two-digits number - 00 to 23)"},
      {'I', nullptr, "Hour in 12-Hour Format (as a two-digits number - 01 to 12)"},
      {'M', "Minute Mask", "Minute (as a two-digits number - 00 to 59)"},
      {'S', "Second Mask", "Second (as a two-digits number - 00 to 59)"},
  };
  for (const Letter& l : letters) {
    const std::string plain = std::string("%") + l.letter;
    const std::string sample = FormatMaskTime(plain, now);
    const std::string base = l.base;
    rows.push_back(
        {l.scope ? l.scope : kSameScope, plain, base + " using Exif Data (or File Data if Not Available)", sample});
    rows.push_back({kSameScope, std::string("%E") + l.letter,
                    base + " using Exif Data (or 01-Jan-2000 if Not Available)", sample});
    rows.push_back({kSameScope, std::string("%W") + l.letter,
                    base + (l.letter == 'y' ? " using File Data (if Available)" : " using File Data"), sample});
  }

  rows.push_back(
      {"File Extension", "%FE", "File Extention Left Unchanged", "Added Automatically if Not Present in Mask"});
  rows.push_back({kSameScope, "%FEU", "File Extention as UpperCase", " "});
  rows.push_back({kSameScope, "%FEL", "File Extention as LowerCase", "  "});
  return rows;
}

}  // namespace lx
