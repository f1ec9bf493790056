#include "recordnav.h"
#include "messagebox.h"

namespace controls {

void previousRecord(data::DataSet& dataSet)
{
    if (dataSet.bof())
        dataSet.first();
    else
        dataSet.prior();
}

void nextRecord(data::DataSet& dataSet)
{
    if (dataSet.eof())
        dataSet.last();
    else
        dataSet.next();
}

void searchKey(data::DataSet& dataSet, const QString& column, const QString& text)
{
    if (!dataSet.keySearch(column, text))
        showNotFound();
}

} // namespace controls
