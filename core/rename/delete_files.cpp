#include "rename/delete_files.h"

#include "base/log.h"
#include "base/prompts.h"
#include "base/rich_text.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "platform/trash.h"
#include "rename/rename_list.h"
#include "storage/settings_store.h"

namespace lx {

std::string BuildDeleteRequest(const std::vector<std::string>& fileNames, const std::string& sourcePath, bool toTrash) {
  const size_t n = fileNames.size();
  std::string body = n == 1 ? std::string("{\\f1\\cb5\\cf5\\b Request to Delete File } ")
                            : StrFormat("{\\f1\\cb5\\cf5\\b Request to Delete %d Files } ", static_cast<int>(n));
  for (const auto& name : fileNames) body += StrFormat("\\par\\par File Name: {\\b %s} ", RtfEscape(name).c_str());
  body += StrFormat("\\par\\par File Path: {\\b %s} ", RtfEscape(sourcePath).c_str());
  if (toTrash)
    body += StrFormat("\\par\\par The %s moved to the Trash, from where the file manager can restore %s. ",
                      n == 1 ? "File is" : "Files are", n == 1 ? "it" : "them");
  body += StrFormat("\\par \\par {\\f1 \\b Please Confirm that you want to Delete %s} \\par\\par\\par}",
                    n == 1 ? "this File" : "these Files");
  return body;
}

bool DeleteListedFile(RenameListModel& list, int index, bool toTrash) {
  RenameListRow* row = list.Row(index);
  if (!row) return false;
  const std::string path = row->data.FilePath;
  const std::string name = row->data.FileName;
  const auto t0 = TickCountUs();
  std::string reason;
  int error = toTrash ? MoveToTrash(path, reason) : DeleteFile(path);
  const auto elapsed = TickCountUs() - t0;
  LogFormat("Request to Delete File %s ", path.c_str());
  if (error == 0 && toTrash)
    LogFormat("File %s Moved to the Trash in %d \xC2\xB5sec. ", name.c_str(), static_cast<int>(elapsed));
  else if (error == 0)
    LogFormat("File %s Deleted Successfully in %d \xC2\xB5sec. ", name.c_str(), static_cast<int>(elapsed));
  else if (!reason.empty())
    LogFormat("Error Moving File %s to the Trash - %s", name.c_str(), reason.c_str());
  else
    LogFormat("Error Deleting File %s%s", name.c_str(), FormatSystemError(error).c_str());
  list.DeleteRow(index);
  return error == 0;
}

bool DeleteSelectedFiles(RenameListModel& list, bool permanent) {
  const std::vector<int> selected = list.SelectedRows();
  if (selected.empty()) return false;
  std::vector<std::string> names;
  for (int index : selected) names.push_back(list.Row(index)->data.FileName);

  RichTextRequest request;
  request.title = "Quorin Lorvexandrin File Delete Request";
  request.buttons = kButtonsOkCancel;
  const bool toTrash = !permanent && list.Engine().Settings().GetNumber(setting::kDeleteToTrash) != 0;
  request.body = BuildDeleteRequest(names, list.Engine().sourcePath, toTrash);
  if (list.GetPrompts().RichTextMessage(request) != kIdOk) return false;

  if (list.stopWatch) list.stopWatch();
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) DeleteListedFile(list, *it, toTrash);
  if (list.startWatch) list.startWatch();
  return true;
}

}  // namespace lx
