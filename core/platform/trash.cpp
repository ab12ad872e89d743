#include "platform/trash.h"

#include <gio/gio.h>

#include <cerrno>

namespace lx {

int MoveToTrash(const std::string& path, std::string& message) {
  message.clear();
  GFile* file = g_file_new_for_path(path.c_str());
  GError* error = nullptr;
  const gboolean moved = g_file_trash(file, nullptr, &error);
  g_object_unref(file);
  if (moved) return 0;
  int code = EIO;
  if (error) {
    message = error->message;
    if (error->domain == G_IO_ERROR) {
      switch (error->code) {
        case G_IO_ERROR_NOT_FOUND:
          code = ENOENT;
          break;
        case G_IO_ERROR_PERMISSION_DENIED:
          code = EACCES;
          break;
        case G_IO_ERROR_NOT_SUPPORTED:
          code = ENOTSUP;
          break;
        default:
          break;
      }
    }
    g_error_free(error);
  }
  return code;
}

}  // namespace lx
