// The rename list of a folder on a camera or phone: its rows are the folder's
// picture objects, the mask gives their new names, and a rename writes the new
// name into the object. No thumbnails, no Exif reading, no copies, no file
// times, no folder watch and no outline for devices. Column 0 of a device row
// (its FileName) is the object's display name.
#pragma once

#include <string>
#include <vector>

#include "devices/portable_device_backend.h"

namespace lx {

class RenameListModel;
struct CRenameFileData;

// Lists (mode 0) or renames (modes 1 and 2) the pictures of the current device folder.
bool DeviceListRun(RenameListModel& list, int mode);
bool DeviceListRun(RenameListModel& list, int mode, PortableDeviceBackend& backend);

// Mode 0 with re-reading: the folder's pictures, newest enumerated on top; returns the row count.
int ReadDeviceFolder(RenameListModel& list, PortableDeviceBackend& backend, const std::string& sourcePath,
                     const std::string& renamePath);
// The row callback of the folder read.
void AddDeviceRow(RenameListModel& list, const CRenameFileData& templateRow);
// Mode 0 without re-reading (a mask change): new names from the shown texts; returns the row count.
int RecomputeDeviceRows(RenameListModel& list, const std::string& sourcePath, const std::string& renamePath);
// Renames one row's object; returns renamedCount, plus one when the row was renamed.
int RenameDeviceRow(RenameListModel& list, PortableDeviceBackend& backend, int index, int renamedCount);

// The request text of a device deletion, for the given rows (all listed).
std::string BuildDeviceDeleteRequest(RenameListModel& list, const std::vector<int>& indices);
// Deletes the selected rows' objects after the confirmation (at most the first
// 1000 of them); false when nothing was asked or the request was declined.
bool DeleteSelectedDeviceObjects(RenameListModel& list, PortableDeviceBackend& backend);

// Copies a row's picture to localPath for the preview; displayPath is its place on the device.
bool PrepareDevicePreview(RenameListModel& list, PortableDeviceBackend& backend, int index,
                          const std::string& localPath, std::string& displayPath);
// The text of the "View Portable File Data" box.
std::string DeviceFileDataText(const CRenameFileData& row);

}  // namespace lx

namespace lx {

class CLorvexandrinEngine;

// Makes a device folder the source, as a click in the folder tree does:
// spec is "FRIENDLY NAME/FOLDER/..." (only the name: the device itself).
// Enumerates the devices into the engine's table, then sets the current
// device, the device path and the display path ("SourcePath"). False with
// the message set when the device is not connected or spec is empty.
bool SelectDeviceFolder(CLorvexandrinEngine& engine, PortableDeviceBackend& backend, const std::string& spec,
                        std::string& message);

}  // namespace lx
