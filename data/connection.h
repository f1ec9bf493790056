#pragma once
#include <QString>

namespace data {

// The one connection string every data set carries.
inline const QString kConnectionString = QStringLiteral(
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=pexlyacc.mdb;Persist Security Info=False");

// The value of "Data Source" in a connection string (empty when it has none).
QString dataSourceOf(const QString& connectionString);

} // namespace data
