#include "list_table.h"

#include "iso_dates.h"
#include "platform/text.h"

namespace lx::cli {

Table ListTable(const RenameListModel& list) {
  Table table;
  table.columns = {
      {"Index", "index", false},
      {Trim(kListColumnHeadings[ColumnCurrentName]), "current_name"},
      {Trim(kListColumnHeadings[ColumnNewName]), "new_name"},
      {Trim(kListColumnHeadings[ColumnFileDate]), "file_date"},
      {Trim(kListColumnHeadings[ColumnExifDate]), "exif_date"},
      {Trim(kListColumnHeadings[ColumnComments]), "comments"},
      {"Path", "path", false},
      {"File Date ISO", "file_date_iso", false},
      {"Exif Date ISO", "exif_date_iso", false},
      {"Counter", "counter", false},
      {"Renamed", "renamed", false},
      {"Error", "error", false},
  };
  table.placeholder = list.PlaceholderLine();
  for (int i = 0; i < list.RowCount(); ++i) {
    const RenameListRow& row = list.Rows()[static_cast<size_t>(i)];
    const CRenameFileData& data = row.data;
    table.rows.push_back({
        static_cast<long long>(i),
        list.ColumnText(i, ColumnCurrentName),
        list.ColumnText(i, ColumnNewName),
        list.ColumnText(i, ColumnFileDate),
        list.ColumnText(i, ColumnExifDate),
        list.ColumnText(i, ColumnComments),
        data.FilePath,
        // The record's own time where the text shows it (exact in the hour a clock goes back).
        row.fileDateText == FormatDateText(data.FileDate) ? IsoLocalTime(data.FileDate)
                                                          : IsoFromDateText(row.fileDateText),
        data.ExifDateValid ? IsoLocalTime(data.ExifDate) : TableCell(nullptr),
        data.CounterValue >= 0 ? TableCell(static_cast<long long>(data.CounterValue)) : TableCell(nullptr),
        (data.StateFlags & RowRenamed) != 0,
        data.ErrorText.empty() ? TableCell(nullptr) : TableCell(data.ErrorText),
    });
  }
  return table;
}

}  // namespace lx::cli
