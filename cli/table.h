// The one table model of the command line: named columns and rows of cells.
// Every command that prints records fills a Table, and WriteTable prints it
// either as TAB-separated records or as one JSON document, so both outputs
// always hold the same rows.
#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace lx::cli {

struct TableColumn {
  std::string heading;  // the --header text of the TAB output
  std::string key;      // the JSON key, snake_case, stable
  bool inText = true;   // false: the column is given in JSON only
};

// A cell: nothing (JSON null, an empty field), a text, a whole number or a yes/no.
using TableCell = std::variant<std::nullptr_t, std::string, long long, bool>;

struct Table {
  std::vector<TableColumn> columns;
  std::vector<std::vector<TableCell>> rows;  // one cell per column, in column order
  // A single line shown instead of rows (the zip source); JSON then gives no rows.
  std::string placeholder;
};

struct TableOutput {
  bool header = false;  // --header: the headings first (TAB output only)
  bool json = false;    // --json: one JSON document instead of TAB records
};

}  // namespace lx::cli
