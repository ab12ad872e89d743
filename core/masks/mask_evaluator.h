// The one evaluator of a parsed mask: walks the elements once for a file and
// builds its new name. The list rows and the path-based callers differ only in
// the options they pass: when the picture counter moves, whether dialogs may be
// asked, and whether element texts are kept and reused.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "masks/mask_data.h"

namespace lx {

// When a name's picture counter moves on (once per name in both rules).
enum class CounterRule {
  IncreaseThenShow,  // the counter moves on first; every counter element shows the new value
  ShowThenIncrease,  // every counter element shows the value before; the counter then moves on
};

// The facts of one file that the elements read.
struct MaskFile {
  const std::string& path;
  const std::string& title;
  const std::string& ext;
  TimeT exifDate;
  bool exifDateValid;
  TimeT fileDate;
  const LocalFields* exifFields = nullptr;  // the camera's clock reading when the row has one
};

using ElementTexts = std::array<std::string, kMaxMaskElements>;

struct MaskEvaluation {
  CounterRule counterRule = CounterRule::ShowThenIncrease;
  // Dialogs (keyword picker, keyboard entry) may be asked; otherwise their
  // elements give a placeholder text.
  bool interactive = false;
  // Texts of the elements, kept per element; nullptr when the caller keeps none.
  ElementTexts* texts = nullptr;
  // With texts: false reuses the kept texts instead of computing the elements
  // again (the counter is always computed).
  bool recompute = true;
};

struct MaskResult {
  std::string newName;
  std::uint32_t timeFlags = 0;      // RowFileTimeUsed, RowExifTimeUsed
  std::optional<int> counterShown;  // the number the counter elements show, when there are any
};

// Evaluates mask for file. Adds a "%FE" element when the mask has none (the
// extension is appended after the elements when there is no room for it).
MaskResult EvaluateMask(CMaskData& mask, const MaskFile& file, const MaskEvaluation& how, int& counter,
                        Prompts& prompts, KeywordSource& keywords);

}  // namespace lx
