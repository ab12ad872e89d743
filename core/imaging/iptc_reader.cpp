#include "imaging/iptc_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <libiptcdata/iptc-data.h>
#include <libiptcdata/iptc-dataset.h>
#include <libiptcdata/iptc-tag.h>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/text.h"

namespace lx {

bool IsJpegFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  unsigned char head[3] = {0, 0, 0};
  ssize_t got = ::read(fd, head, sizeof head);
  ::close(fd);
  return got == 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

std::optional<std::vector<GridRow>> ReadIptcRows(const std::string& path) {
  if (!IsJpegFile(path)) return std::nullopt;  // the library only parses JPEG files
  std::unique_ptr<IptcData, void (*)(IptcData*)> data(iptc_data_new_from_jpeg(path.c_str()), iptc_data_unref);
  if (!data || data->count == 0) return std::nullopt;
  std::vector<GridRow> rows;
  rows.reserve(data->count);
  for (unsigned int i = 0; i < data->count; ++i) {
    IptcDataSet* dataset = data->datasets[i];
    if (!dataset) continue;
    // Record and dataset numbers are file bytes: a damaged file can hold
    // numbers that no enumerator names, so read them as plain numbers.
    unsigned int record = 0, tag = 0;
    static_assert(sizeof record == sizeof dataset->record && sizeof tag == sizeof dataset->tag);
    std::memcpy(&record, &dataset->record, sizeof record);
    std::memcpy(&tag, &dataset->tag, sizeof tag);
    const char* title = nullptr;
    const char* description = nullptr;
    if (record <= IPTC_RECORD_POSTOBJ_DATA && tag <= 0xFF) {
      title = iptc_tag_get_title(static_cast<IptcRecord>(record), static_cast<IptcTag>(tag));
      description = iptc_tag_get_description(static_cast<IptcRecord>(record), static_cast<IptcTag>(tag));
    }
    char buffer[2048] = {0};
    const char* value = iptc_dataset_get_as_str(dataset, buffer, sizeof buffer);
    GridRow row;
    row.name = title ? title : "";
    row.value = value ? value : "";
    row.description = StrFormat("Specifies the MetaData '%s' (%2d:%03d): %s", row.name.c_str(),
                                static_cast<int>(record), static_cast<int>(tag), description ? description : "");
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace lx
