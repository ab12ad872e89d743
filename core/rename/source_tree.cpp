#include "rename/source_tree.h"

#include <algorithm>

#include "base/rich_text.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/rename_path.h"

namespace lx {

int GetSourceKind(const CLorvexandrinEngine& engine, const ItemTexts& texts, int* deviceIndex) {
  if (deviceIndex) *deviceIndex = -1;
  const int count = std::min<int>(engine.deviceCount, static_cast<int>(engine.deviceNames.size()));
  // The root item is never a device, so the walk stops before it.
  for (size_t level = 0; level + 1 < texts.size(); ++level) {
    for (int i = 0; i < count; ++i) {
      if (texts[level] == engine.deviceNames[i]) {
        if (deviceIndex) *deviceIndex = i;
        return 2;
      }
    }
  }
  return 1;
}

bool BuildDevicePath(CLorvexandrinEngine& engine, const ItemTexts& texts, int levelsAboveDevice) {
  engine.devicePathCount = 0;
  std::vector<std::string> path(texts.begin(),
                                texts.begin() + std::min<size_t>(texts.size(), CLorvexandrinEngine::kMaxDevicePath));
  const int n = static_cast<int>(path.size());
  const int device = n - 1 - levelsAboveDevice;
  if (levelsAboveDevice < 0 || device < 0) return false;
  engine.currentDeviceName = path[device];
  std::string source = engine.currentDeviceName;
  for (int i = device - 1; i >= 0; --i) source += "/" + path[i];
  engine.sourcePath = source;
  path.resize(device + 1);
  path[device] = "DEVICE";
  engine.devicePath = path;
  engine.browsePath = path;
  engine.devicePathCount = device + 1;
  return true;
}

std::string GetItemDisplayPath(const CLorvexandrinEngine& engine, const ItemTexts& texts, int kind,
                               const std::string& folderPath) {
  std::string path = "Unknown Path";
  if (kind == 2) {
    if (texts.empty()) return path;
    path = "/" + texts[0];
    const int count = std::min<int>(engine.deviceCount, static_cast<int>(engine.deviceNames.size()));
    auto isDevice = [&](const std::string& text) {
      return std::find(engine.deviceNames.begin(), engine.deviceNames.begin() + count, text) !=
             engine.deviceNames.begin() + count;
    };
    if (isDevice(texts[0])) return path;
    for (size_t i = 1; i + 1 < texts.size(); ++i) {
      path = "/" + texts[i] + path;
      if (isDevice(texts[i])) break;
    }
    return path;
  }
  if (!folderPath.empty()) path = folderPath;
  return path;
}

void SelectFolderSource(CLorvexandrinEngine& engine, const std::string& folderPath) {
  engine.sourceKind = SourceKind::Folder;
  engine.sourcePath = WithTrailingSlash(folderPath);
  SetDefaultRenamePath(engine, engine.sourcePath);
}

bool SelectDeviceSource(CLorvexandrinEngine& engine, const ItemTexts& texts, int levelsAboveDevice) {
  engine.sourceKind = SourceKind::Device;
  int index = -1;
  GetSourceKind(engine, texts, &index);
  if (index >= 0) {
    engine.currentDeviceName = engine.deviceNames[index];
    engine.currentDeviceId = index < static_cast<int>(engine.deviceIds.size()) ? engine.deviceIds[index] : "";
  }
  if (!BuildDevicePath(engine, texts, levelsAboveDevice)) return false;
  SetDefaultRenamePath(engine, engine.sourcePath);
  return true;
}

std::string BuildItemDataBody(const CLorvexandrinEngine& engine, const ItemTexts& texts, int kind,
                              const std::string& folderPath) {
  const std::string name = texts.empty() ? std::string() : texts[0];
  // Names and paths are escaped so that a "{" or "\" in a folder name cannot break the body.
  std::string body = "{\\f1\\cb5\\cf5\\b Device Data Display } ";
  body += StrFormat("\\par\\par Object Name: {\\b %s} ", RtfEscape(name).c_str());
  body += StrFormat("\\par\\par Drive Type: {\\b %s} ", kind == 2 ? "Portable Drive" : "Standard Windows Drive");
  body += StrFormat("\\par\\par Drive Path: {\\b %s} ",
                    RtfEscape(GetItemDisplayPath(engine, texts, kind, folderPath)).c_str());
  body += StrFormat("\\par\\par Portable Drive Count: {\\b %d} ", engine.deviceCount);
  const int count = std::min<int>(engine.deviceCount, static_cast<int>(engine.deviceNames.size()));
  for (int i = 0; i < count; ++i)
    body += StrFormat("\\par \\t Portable Drive Name: {\\b %s} ", RtfEscape(engine.deviceNames[i]).c_str());
  body += "\\par \\par {\\f1 \\b   } \\par}";
  return body;
}

}  // namespace lx
