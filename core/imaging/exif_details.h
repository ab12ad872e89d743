// The photo-details grid: the photo's Exif items grouped and put into words,
// followed by its IPTC datasets.
#pragma once

#include <string>
#include <vector>

#include "imaging/exif_access.h"
#include "imaging/property_grid.h"

namespace lx {

// Group titles, in display order (index 0 is group 1).
extern const char* const kDetailsGroupTitles[9];

// The group (2..8) and the row of one property item; false when the catalogue
// does not know its tag.
bool DescribePropertyItem(const PropertyItem& item, int& group, GridRow& row);

// The nine groups for a list of items; iptcPath names the file whose IPTC
// datasets fill group 9.
PropertyGrid BuildDetailsGrid(const std::vector<PropertyItem>& items, const std::string& iptcPath);

struct FileDetails {
  std::string fileName;    // name with extension
  std::string folderPath;  // folder with its trailing "/"
  bool gridBuilt = false;  // false: the photo could not be read; the log says why and the grid keeps its rows
  PropertyGrid grid;
};

// Opens the photo, builds its details grid; failures are logged.
FileDetails ShowFileDetails(const std::string& path);

}  // namespace lx
