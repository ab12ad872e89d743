#include "rename/rename_outline.h"

#include "base/rich_text.h"
#include "platform/text.h"
#include "rename/rename_path.h"

namespace lx {

std::string BuildRenameOutlineBody(const RenameOutline& o) {
  std::string body = "{\\f1\\cb1\\cf2\\b Quorin Lorvexandrin - Outline of Rename Operations } \\par\\par \\fs18 ";
  body += StrFormat("\\par Number of Files in Source Folder: {\\b %d }", o.fileCount);
  body += StrFormat("\\par \\par Number of Files Renamed: {\\b %d }", o.renamedCount);
  body += StrFormat("\\par \\par Renaming Mask: {\\b %s }", RtfEscape(o.mask).c_str());
  body += StrFormat("\\par \\par Rename Type: {\\b %s }", RenameTypeOutlineText(o.renameType).c_str());
  body += StrFormat("\\par \\par Source Path: {\\b %s }", RtfEscape(o.sourcePath).c_str());
  body += StrFormat("\\par \\par Rename Path: {\\b %s }", RtfEscape(o.renamePath).c_str());
  body += StrFormat("\\par \\par Time to Rename: {\\b %lld ms }", o.elapsedMs);
  body += "\\par }";
  return body;
}

}  // namespace lx
