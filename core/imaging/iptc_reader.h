// IPTC-NAA datasets of a JPEG (the Photoshop resource block) as grid rows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "imaging/property_grid.h"

namespace lx {

// True when the file starts with a JPEG signature; the file's content decides,
// not its name (photo.jpeg is a JPEG, a PNG renamed x.jpg is not).
bool IsJpegFile(const std::string& path);

// One row per dataset in file order: the tag's title, the value as text, and
// "Specifies the MetaData '%s' (%2d:%03d): %s". nullopt when the file holds no
// IPTC data.
std::optional<std::vector<GridRow>> ReadIptcRows(const std::string& path);

}  // namespace lx
