#pragma once
// The two tables of pexlyacc.mdb: every column with its kind and size.
#include "fieldkind.h"
#include <QString>
#include <span>

namespace data {

struct ColumnDef {
    const char* name;
    FieldKind kind;
    int size; // characters, wide text only
};

std::span<const ColumnDef> userColumns();  // t_user, 10 columns
std::span<const ColumnDef> moneyColumns(); // m_money, 39 columns, in table order

// Declared column type the tool writes and the store reads back.
QString sqlType(const ColumnDef& column);
// CREATE TABLE statement for a table.
QString createTableSql(const QString& table, std::span<const ColumnDef> columns);

} // namespace data
