#include "rename/device_list_run.h"
#include "photo/defaults.h"

#include <algorithm>
#include <cstdlib>

#include "base/log.h"
#include "base/prompts.h"
#include "base/rich_text.h"
#include "devices/wpd.h"
#include "engine/engine.h"
#include "imaging/exif_access.h"
#include "masks/mask_data.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "rename/rename_list.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"

namespace lx {

namespace {

constexpr int kMaxDeviceDeletions = 1000;

// The display name: the original file name, else the object name (each with
// the format's extension when it has none), else "Unknown".
std::string DisplayName(const CRenameFileData& t) {
  if (t.FileNameReadable) return t.FileName + (t.FileNameExtNative ? "" : t.FileExt);
  if (t.ObjectNameReadable) return t.ObjectName + (t.ObjectNameExtNative ? "" : t.ObjectNameExt);
  return "Unknown";
}

// A date column read back by position ("dd-mm-yyyy hh-mm-ss").
TimeT DateFromColumn(const std::string& text) {
  auto field = [&](size_t at, size_t length) {
    return at < text.size() ? std::atoi(text.substr(at, length).c_str()) : 0;
  };
  auto t = MakeLocalTime(field(6, 4), field(3, 2), field(0, 2), field(11, 2), field(14, 2), field(17, 2));
  return t ? *t : 0;
}

}  // namespace

void AddDeviceRow(RenameListModel& list, const CRenameFileData& t) {
  const std::string display = DisplayName(t);
  if (!list.Engine().MatchSelectionFilter(display)) return;
  RenameListRow row;
  CRenameFileData& d = row.data;
  d.StateFlags = t.StateFlags;
  d.ObjectId = t.ObjectId;
  d.ObjectTime = t.ObjectTime;
  d.ObjectName = t.ObjectName;
  d.ObjectNameExtNative = t.ObjectNameExtNative;
  d.ObjectNameExt = t.ObjectNameExt;
  d.ObjectNameReadable = t.ObjectNameReadable;
  d.ObjectNameWriteable = t.ObjectNameWriteable;
  d.FileNameExtNative = t.FileNameExtNative;
  d.FileExt = t.FileExt;
  d.FileNameReadable = t.FileNameReadable;
  d.FileNameWriteable = t.FileNameWriteable;
  d.FileName = display;
  row.fileDateText = FormatDateText(t.ObjectTime);
  std::string currentName, newName;
  list.Mask().EvaluatePath(display, true, currentName, newName, list.RunCounter, true, t.ObjectTime, t.ObjectTime,
                           list.GetPrompts(), list.Keywords());
  row.exifDateText = kExifDateNotAvailable;
  d.NewName = newName;
  row.newNameText = newName;
  // The time-source bits are not kept: device rows never take the time colours.
  d.StateFlags |= RowListed;
  d.CounterValue = list.RunCounter;
  // Every row goes to the top: the list ends in the reverse of the device's order.
  list.Rows().insert(list.Rows().begin(), std::move(row));
}

int ReadDeviceFolder(RenameListModel& list, PortableDeviceBackend& backend, const std::string& sourcePath,
                     const std::string& renamePath) {
  CLorvexandrinEngine& engine = list.Engine();
  CWPD wpd(backend);
  list.ClearRows();
  list.reading = true;
  const int count = std::min<int>(engine.devicePathCount, static_cast<int>(engine.devicePath.size()));
  engine.browsePath.assign(engine.devicePath.begin(), engine.devicePath.begin() + count);
  if (count > 0 && wpd.OpenDevice(engine.currentDeviceId)) {
    wpd.BrowseObjects(kDeviceRootObject, count - 1, engine.browsePath,
                      [&](const CRenameFileData& row) { AddDeviceRow(list, row); });
    wpd.CloseDevice();
  } else {
    wpd.ReleaseDeviceInterfaces();
  }
  list.MarkDuplicateNames(sourcePath, renamePath);
  return list.RowCount();
}

int RecomputeDeviceRows(RenameListModel& list, const std::string& sourcePath, const std::string& renamePath) {
  for (int i = 0; i < list.RowCount(); ++i) {
    RenameListRow& row = list.Rows()[static_cast<size_t>(i)];
    const TimeT fileDate = DateFromColumn(row.fileDateText);
    const bool exifValid = row.exifDateText != kExifDateNotAvailable;
    const TimeT exifDate = exifValid ? DateFromColumn(row.exifDateText) : MaskDefaultExifDate();
    std::string currentName, newName;
    list.Mask().EvaluatePath(row.data.FileName, exifValid, currentName, newName, list.RunCounter, true, exifDate,
                             fileDate, list.GetPrompts(), list.Keywords());
    row.data.StateFlags |= RowListed;
    row.data.CounterValue = list.RunCounter;
    const PathParts parts = SplitPath(newName);
    row.data.NewName = parts.title + parts.ext;
    row.newNameText = row.data.NewName;
    row.comments.clear();
  }
  list.MarkDuplicateNames(sourcePath, renamePath);
  return list.RowCount();
}

int RenameDeviceRow(RenameListModel& list, PortableDeviceBackend& backend, int index, int renamedCount) {
  RenameListRow* row = list.Row(index);
  if (!row) return renamedCount;
  CLorvexandrinEngine& engine = list.Engine();
  const std::string oldName = row->data.FileName;
  const std::string newName = row->newNameText;
  CWPD wpd(backend);
  if (!wpd.RenameDeviceObject(engine.currentDeviceId, row->data, oldName, newName)) return renamedCount;
  row->data.FileName = newName;
  if (row->data.CounterValue != -1) {
    LogFormat("File '%s' Renamed as '%s' with Counter %ld ", oldName.c_str(), newName.c_str(),
              static_cast<long>(row->data.CounterValue));
    // Rows are listed bottom-up, so the last row renamed holds the lowest
    // value: the stored counter only ever grows, or names would repeat.
    SavePictureCounter(engine, row->data.CounterValue);
  } else {
    LogFormat("Portable Device File '%s\\%s' Renamed as '%s\\%s'", engine.sourcePath.c_str(), oldName.c_str(),
              engine.sourcePath.c_str(), newName.c_str());
  }
  row->data.StateFlags |= RowRenamed;
  return renamedCount + 1;
}

bool DeviceListRun(RenameListModel& list, int mode) {
  return DeviceListRun(list, mode, DefaultPortableDeviceBackend());
}

bool DeviceListRun(RenameListModel& list, int mode, PortableDeviceBackend& backend) {
  CLorvexandrinEngine& engine = list.Engine();
  if (list.stopWatch) list.stopWatch();
  const std::string sourcePath = engine.sourcePath;
  const std::string renamePath = engine.renamePath;
  const std::uint64_t t0 = TickCountMs();
  list.RunCounter = static_cast<int>(GetPictureCounter(engine.Settings()));
  if (mode == RunList) {
    LogFormat("Reading Directory '%s' with Selection Mask '%s' ...", sourcePath.c_str(),
              engine.Filter().Text().c_str());
    list.FileCount = list.ReReadFolder ? ReadDeviceFolder(list, backend, sourcePath, renamePath)
                                       : RecomputeDeviceRows(list, sourcePath, renamePath);
    list.SelectRow(0);
    const int items = list.RowCount();
    LogFormat("%d File%sFound in %d msec. ...", items, PluralS(items), static_cast<int>(TickCountMs() - t0));
    return true;
  }
  LogFormat("Starting File Renaming with Mask '%s'", list.MaskText().c_str());
  int renamed = 0;
  // The names computed when the rows were listed are the names written.
  for (int i = 0; i < list.RowCount(); ++i)
    if (mode == RunRenameAll || list.Rows()[static_cast<size_t>(i)].selected)
      renamed = RenameDeviceRow(list, backend, i, renamed);
  const int items = list.RowCount();
  LogFormat("%d File%sRenamed (out of %d File%s) in %d msec. using Mask %s ...", renamed, PluralS(renamed), items,
            PluralS(items), static_cast<int>(TickCountMs() - t0), list.MaskText().c_str());
  return true;
}

std::string BuildDeviceDeleteRequest(RenameListModel& list, const std::vector<int>& indices) {
  const CLorvexandrinEngine& engine = list.Engine();
  const size_t n = indices.size();
  std::string body = n == 1 ? std::string("{\\f1\\cb5\\cf5\\b Request to Delete File } ")
                            : StrFormat("{\\f1\\cb5\\cf5\\b Request to Delete %d Files } ", static_cast<int>(n));
  body += StrFormat("\\par\\par Mobile Friendly Name: {\\b %s} ", RtfEscape(engine.currentDeviceName).c_str());
  body += StrFormat("\\par\\par Mobile Device Id: {\\b %s} ", RtfEscape(engine.currentDeviceId).c_str());
  for (int index : indices) {
    const RenameListRow* row = list.Row(index);
    if (!row) continue;
    body += StrFormat("\\par\\par Mobile File Name: {\\b %s} ", RtfEscape(row->data.FileName).c_str());
    body += StrFormat("\\par\\par Mobile File Identifier: {\\b %s} ", RtfEscape(row->data.ObjectId).c_str());
  }
  body += StrFormat("\\par \\par {\\f1 \\b Please Confirm that you want to Delete %s} \\par\\par\\par}",
                    n == 1 ? "this File" : "these Files");
  return body;
}

bool DeleteSelectedDeviceObjects(RenameListModel& list, PortableDeviceBackend& backend) {
  const std::vector<int> selected = list.SelectedRows();
  if (selected.empty()) return false;
  RichTextRequest request;
  request.title = "Quorin Lorvexandrin File Delete Request";
  request.buttons = kButtonsOkCancel;
  request.body = BuildDeviceDeleteRequest(list, selected);
  if (list.GetPrompts().RichTextMessage(request) != kIdOk) return false;
  // Every selected row is listed in the request, but one deletion deletes at most 1000.
  std::vector<int> remembered(selected.begin(),
                              selected.begin() + std::min<size_t>(selected.size(), kMaxDeviceDeletions));
  for (auto it = remembered.rbegin(); it != remembered.rend(); ++it) {
    RenameListRow* row = list.Row(*it);
    if (!row) break;
    CWPD wpd(backend);
    if (wpd.DeleteDeviceObject(list.Engine().currentDeviceId, row->data)) list.DeleteRow(*it);
  }
  return true;
}

bool PrepareDevicePreview(RenameListModel& list, PortableDeviceBackend& backend, int index,
                          const std::string& localPath, std::string& displayPath) {
  RenameListRow* row = list.Row(index);
  if (!row) return false;
  displayPath = list.Engine().sourcePath + "/" + row->data.FileName;
  CWPD wpd(backend);
  return wpd.CopyObjectToFile(list.Engine().currentDeviceId, row->data, localPath);
}

std::string DeviceFileDataText(const CRenameFileData& row) {
  auto yesNo = [](bool b) { return b ? "Yes" : "No"; };
  std::string text = "Windows Portable Device File Attributes \n\n";
  text += StrFormat("Object Id: %s \n", row.ObjectId.c_str());
  LocalFields f = ToLocal(row.ObjectTime).value_or(LocalFields{});
  text += StrFormat("Object Time: %2.2d-%2.2d-%4.4d %2.2d-%2.2d-%2.2d \n\n", f.day, f.month, f.year, f.hour, f.minute,
                    f.second);
  text += "WPD_OBJECT_NAME Properties \n";
  text += StrFormat("    Object Name: %s \n", row.ObjectName.c_str());
  text += StrFormat("    Readable Object: %s \n", yesNo(row.ObjectNameReadable));
  text += StrFormat("    Writeable Object: %s \n", yesNo(row.ObjectNameWriteable));
  text += StrFormat("    Object Extention: %s (%s) \n\n", row.ObjectNameExt.c_str(),
                    row.ObjectNameExtNative ? "Native in Object Name" : "Not in Object Name");
  text += "WPD_OBJECT_ORIGINAL_FILE_NAME Properties \n";
  text += StrFormat("    Object Name: %s \n", row.FileName.c_str());
  text += StrFormat("    Readable Object: %s \n", yesNo(row.FileNameReadable));
  text += StrFormat("    Writeable Object: %s \n", yesNo(row.FileNameWriteable));
  text += StrFormat("    Object Extention: %s (%s) \n\n", row.FileExt.c_str(),
                    row.FileNameExtNative ? "Native in Object Name" : "Not in Object Name");
  text += StrFormat("Duplicate File Status: %s \n", (row.StateFlags & RowDuplicateRoot) ? "Duplicate Root File"
                                                    : (row.StateFlags & RowDuplicate)   ? "Duplicate File"
                                                                                        : "Unique File Name");
  return text;
}

}  // namespace lx

namespace lx {

bool SelectDeviceFolder(CLorvexandrinEngine& engine, PortableDeviceBackend& backend, const std::string& spec,
                        std::string& message) {
  std::vector<std::string> pieces;
  for (const std::string& piece : Split(spec, '/'))
    if (!piece.empty()) pieces.push_back(piece);
  if (pieces.empty()) {
    message = "No Portable Device Given !!!";
    return false;
  }
  CWPD wpd(backend);
  engine.deviceCount = wpd.GetPortableDevices(engine);
  int found = -1;
  for (int i = 0; i < engine.deviceCount && found < 0; ++i)
    if (engine.deviceNames[static_cast<size_t>(i)] == pieces[0]) found = i;
  if (found < 0) {
    message = StrFormat("Portable Device '%s' Not Found !!!", pieces[0].c_str());
    return false;
  }
  const std::vector<std::string> folders(pieces.begin() + 1, pieces.end());
  if (folders.size() + 1 > static_cast<size_t>(CLorvexandrinEngine::kMaxDevicePath)) {
    message = StrFormat("Portable Device Path Too Deep (More Than %d Levels) !!!", CLorvexandrinEngine::kMaxDevicePath);
    return false;
  }
  engine.currentDeviceName = pieces[0];
  engine.currentDeviceId = engine.deviceIds[static_cast<size_t>(found)];
  engine.devicePath = BuildDevicePath(folders);
  engine.devicePathCount = static_cast<int>(engine.devicePath.size());
  engine.sourceKind = SourceKind::Device;
  std::string display = pieces[0];
  for (const std::string& folder : folders) display += "/" + folder;
  engine.sourcePath = display;
  engine.renamePath = display;
  return true;
}

}  // namespace lx
