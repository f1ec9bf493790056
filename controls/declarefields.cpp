#include "declarefields.h"

#include "tables.h"

#include <stdexcept>

namespace controls {

namespace {
const data::ColumnDef* findColumn(const char* name)
{
    for (auto columns : {data::userColumns(), data::moneyColumns()})
        for (const data::ColumnDef& c : columns)
            if (qstrcmp(c.name, name) == 0)
                return &c;
    return nullptr;
}

data::Field* must(const data::DataSet& dataSet, const QString& name)
{
    data::Field* f = dataSet.findField(name);
    if (!f)
        throw std::logic_error(QStringLiteral("%1 declares no field %2").arg(dataSet.name(), name).toStdString());
    return f;
}
} // namespace

data::Field* declareColumn(data::DataSet& dataSet, const char* column)
{
    const data::ColumnDef* def = findColumn(column);
    if (!def)
        throw std::logic_error(std::string("no column ") + column);
    return dataSet.addField(QString::fromLatin1(def->name), def->kind, def->size);
}

void declareColumns(data::DataSet& dataSet, std::initializer_list<const char*> columns)
{
    for (const char* c : columns)
        declareColumn(dataSet, c);
}

void declareUserColumns(data::DataSet& dataSet)
{
    for (const data::ColumnDef& c : data::userColumns())
        dataSet.addField(QString::fromLatin1(c.name), c.kind, c.size);
}

void declareAmountColumns(data::DataSet& dataSet)
{
    for (int n = 1; n <= 9; ++n) {
        declareColumn(dataSet, QStringLiteral("m_i%1").arg(n).toLatin1().constData());
        declareColumn(dataSet, QStringLiteral("m_u%1").arg(n).toLatin1().constData());
    }
    for (int n = 1; n <= 7; ++n) {
        declareColumn(dataSet, QStringLiteral("m_di%1").arg(n).toLatin1().constData());
        declareColumn(dataSet, QStringLiteral("m_du%1").arg(n).toLatin1().constData());
    }
}

data::PayFields payFieldsOf(const data::DataSet& dataSet)
{
    data::PayFields f;
    for (int n = 1; n <= 9; ++n) {
        f.i[n - 1] = must(dataSet, QStringLiteral("m_i%1").arg(n));
        f.u[n - 1] = must(dataSet, QStringLiteral("m_u%1").arg(n));
    }
    for (int n = 1; n <= 7; ++n) {
        f.di[n - 1] = must(dataSet, QStringLiteral("m_di%1").arg(n));
        f.du[n - 1] = must(dataSet, QStringLiteral("m_du%1").arg(n));
    }
    f.i10 = must(dataSet, QStringLiteral("m_i10"));
    f.u10 = must(dataSet, QStringLiteral("m_u10"));
    f.di8 = must(dataSet, QStringLiteral("m_di8"));
    f.du8 = must(dataSet, QStringLiteral("m_du8"));
    f.in = must(dataSet, QStringLiteral("m_in"));
    f.um = must(dataSet, QStringLiteral("m_um"));
    f.km = must(dataSet, QStringLiteral("m_km"));
    return f;
}

} // namespace controls
