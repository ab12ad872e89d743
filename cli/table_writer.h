// Prints a Table: TAB-separated records with escaped fields (and the headings
// with --header), or with --json one JSON document, an array of objects keyed
// by the columns' snake_case keys, texts carried as they are.
#pragma once

#include <ostream>

#include "arguments.h"
#include "table.h"

namespace lx::cli {

// --header and --json of a command's arguments.
TableOutput ReadTableOutput(const ArgList& args);

void WriteTable(std::ostream& out, const Table& table, const TableOutput& output);

// The JSON document alone (an array of objects).
std::string TableJson(const Table& table);

}  // namespace lx::cli
