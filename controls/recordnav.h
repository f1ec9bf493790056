#pragma once
// The record conventions both record screens share: "<" and ">" that stay put at the ends,
// and the key search that says "找不到編號" on a miss.
#include "dataset.h"

namespace controls {

// First when the beginning flag is set, else the previous row.
void previousRecord(data::DataSet& dataSet);
// Last when the end flag is set, else the next row.
void nextRecord(data::DataSet& dataSet);
// Key search on the column with the text exactly as typed; a miss shows the not-found box.
void searchKey(data::DataSet& dataSet, const QString& column, const QString& text);

} // namespace controls
