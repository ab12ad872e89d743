// What a click in the source folder tree means for the engine: whether the
// item lies on a portable device or in the file system, the device folder
// path, the display path and the item information text. The tree itself only
// hands over the display texts of the item and its parents.
#pragma once

#include <string>
#include <vector>

namespace lx {

class CLorvexandrinEngine;

// Display texts of a tree item and its parents: the item first, the root item last.
using ItemTexts = std::vector<std::string>;

// 2 when the item or one of its parents is named like a device of the
// engine's table (the first device name that matches, walking up), else 1.
// deviceIndex receives the table index of that device, or -1.
int GetSourceKind(const CLorvexandrinEngine& engine, const ItemTexts& texts, int* deviceIndex = nullptr);

// Fills the engine's device path from the item up to the device and makes
// "SourcePath" the device-relative path ("My Phone/Internal Storage/DCIM").
// levelsAboveDevice is the number of tree levels between the device node and
// the root, the root included. False (and nothing changed but the count) when
// the item is not deep enough to lie on a device.
bool BuildDevicePath(CLorvexandrinEngine& engine, const ItemTexts& texts, int levelsAboveDevice);

// "/My Phone/Internal Storage/DCIM/100APPLE" for a device item (kind 2), the
// folder path for a file-system item; "Unknown Path" when there is neither.
std::string GetItemDisplayPath(const CLorvexandrinEngine& engine, const ItemTexts& texts, int kind,
                               const std::string& folderPath);

// A file-system folder becomes the source: kind 1, the path with a trailing
// "/", and the rename type's default rename path.
void SelectFolderSource(CLorvexandrinEngine& engine, const std::string& folderPath);

// A device folder becomes the source (kind 2): current device, device path,
// source path and rename path. False when the path could not be built.
bool SelectDeviceSource(CLorvexandrinEngine& engine, const ItemTexts& texts, int levelsAboveDevice);

// The rich-text body of the item information box.
std::string BuildItemDataBody(const CLorvexandrinEngine& engine, const ItemTexts& texts, int kind,
                              const std::string& folderPath);

}  // namespace lx
