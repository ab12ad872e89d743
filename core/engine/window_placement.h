// The main window's placement as the "WindowPlacement" setting keeps it: ten
// numbers (flags, show state, minimised and maximised positions, then the
// normal rectangle as left, top, right, bottom), and their checks on reading.
#pragma once

#include <optional>
#include <string>

namespace lx {

struct WindowPlacement {
  int flags = 0;
  int showState = 1;  // 1 normal, 2 minimised, 3 maximised
  int minX = -1, minY = -1, maxX = -1, maxY = -1;
  int left = 0, top = 0, right = 0, bottom = 0;

  bool Maximised() const { return showState == 3; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

std::string EncodeWindowPlacement(const WindowPlacement& placement);

// Nothing for a text that is not exactly ten numbers, or whose rectangle is
// empty, inverted or larger than any screen.
std::optional<WindowPlacement> DecodeWindowPlacement(const std::string& text);

}  // namespace lx
