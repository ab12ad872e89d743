// Puts a photo on the clipboard: the picture as stored in the file (no
// rotation), and the file itself as a URL so that file managers can paste it.
#pragma once

#include <string>

namespace lx::gui {

// False when the file cannot be decoded; the clipboard is then left as it was.
bool CopyImageToClipboard(const std::string& path);

}  // namespace lx::gui
