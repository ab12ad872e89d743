#include "table_writer.h"

#include <nlohmann/json.hpp>

#include "field_escape.h"

namespace lx::cli {

namespace {

std::string CellText(const TableCell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return EscapeField(*text);
  if (const auto* number = std::get_if<long long>(&cell)) return std::to_string(*number);
  if (const auto* flag = std::get_if<bool>(&cell)) return *flag ? "1" : "0";
  return {};
}

nlohmann::ordered_json CellJson(const TableCell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (const auto* number = std::get_if<long long>(&cell)) return *number;
  if (const auto* flag = std::get_if<bool>(&cell)) return *flag;
  return nullptr;
}

void WriteRecord(std::ostream& out, const std::vector<std::string>& fields) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out << '\t';
    out << fields[i];
  }
  out << '\n';
}

}  // namespace

TableOutput ReadTableOutput(const ArgList& args) { return TableOutput{args.Flag("header"), args.Flag("json")}; }

std::string TableJson(const Table& table) {
  nlohmann::ordered_json document = nlohmann::ordered_json::array();
  if (table.placeholder.empty()) {
    for (const auto& row : table.rows) {
      nlohmann::ordered_json object = nlohmann::ordered_json::object();
      for (size_t i = 0; i < table.columns.size(); ++i)
        object[table.columns[i].key] = i < row.size() ? CellJson(row[i]) : nlohmann::ordered_json(nullptr);
      document.push_back(std::move(object));
    }
  }
  // A name that is not valid UTF-8 cannot be carried as it is: its bad bytes become U+FFFD.
  return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void WriteTable(std::ostream& out, const Table& table, const TableOutput& output) {
  if (output.json) {
    out << TableJson(table) << '\n';
    out.flush();
    return;
  }
  if (output.header) {
    std::vector<std::string> headings;
    for (const auto& column : table.columns)
      if (column.inText) headings.push_back(EscapeField(column.heading));
    WriteRecord(out, headings);
  }
  if (!table.placeholder.empty()) {
    WriteRecord(out, {EscapeField(table.placeholder)});
  } else {
    for (const auto& row : table.rows) {
      std::vector<std::string> fields;
      for (size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].inText) fields.push_back(i < row.size() ? CellText(row[i]) : std::string());
      WriteRecord(out, fields);
    }
  }
  out.flush();
}

}  // namespace lx::cli
