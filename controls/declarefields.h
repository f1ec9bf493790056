#pragma once
// Declares persistent fields on a data set by column name, with the kinds and sizes of
// the table definitions, so each screen lists only the names in its own order.
#include "dataset.h"
#include "paytotals.h"

#include <initializer_list>

namespace controls {

// Declares one field for a column of t_user or m_money; an unknown name is a design fault.
data::Field* declareColumn(data::DataSet& dataSet, const char* column);
void declareColumns(data::DataSet& dataSet, std::initializer_list<const char*> columns);
// The t_user columns in table order.
void declareUserColumns(data::DataSet& dataSet);
// m_i1, m_u1, ... m_i9, m_u9, then m_di1, m_du1, ... m_di7, m_du7.
void declareAmountColumns(data::DataSet& dataSet);
// The pay total fields of a data set that declares every amount and the seven totals.
data::PayFields payFieldsOf(const data::DataSet& dataSet);

} // namespace controls
