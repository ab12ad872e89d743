#include "engine/window_placement.h"

#include <sstream>

namespace lx {

namespace {
constexpr long long kLargestSide = 100000;
}

std::string EncodeWindowPlacement(const WindowPlacement& p) {
  std::ostringstream out;
  out << p.flags << ' ' << p.showState << ' ' << p.minX << ' ' << p.minY << ' ' << p.maxX << ' ' << p.maxY << ' '
      << p.left << ' ' << p.top << ' ' << p.right << ' ' << p.bottom;
  return out.str();
}

std::optional<WindowPlacement> DecodeWindowPlacement(const std::string& text) {
  std::istringstream in(text);
  long long values[10];
  for (long long& v : values)
    if (!(in >> v)) return std::nullopt;
  std::string rest;
  if (in >> rest) return std::nullopt;
  for (long long v : values)
    if (v < -kLargestSide * 10 || v > kLargestSide * 10) return std::nullopt;
  const long long left = values[6], top = values[7], right = values[8], bottom = values[9];
  if (right <= left || bottom <= top || right - left > kLargestSide || bottom - top > kLargestSide) return std::nullopt;
  WindowPlacement p;
  p.flags = static_cast<int>(values[0]);
  p.showState = static_cast<int>(values[1]);
  p.minX = static_cast<int>(values[2]);
  p.minY = static_cast<int>(values[3]);
  p.maxX = static_cast<int>(values[4]);
  p.maxY = static_cast<int>(values[5]);
  p.left = static_cast<int>(left);
  p.top = static_cast<int>(top);
  p.right = static_cast<int>(right);
  p.bottom = static_cast<int>(bottom);
  return p;
}

}  // namespace lx
