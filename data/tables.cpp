#include "tables.h"
#include <QStringList>
#include <array>

namespace data {
namespace {

const std::array<ColumnDef, 10> kUser = {{
    {"u_sn", FieldKind::AutoInc, 0},
    {"u_name", FieldKind::WideText, 10},
    {"u_number", FieldKind::WideText, 10},
    {"u_title", FieldKind::WideText, 14},
    {"u_lv", FieldKind::WideText, 20},
    {"u_class", FieldKind::WideText, 20},
    {"u_indate", FieldKind::DateTime, 0},
    {"u_add1", FieldKind::Double, 0},
    {"u_add2", FieldKind::Double, 0},
    {"u_add3", FieldKind::Double, 0},
}};

const std::array<ColumnDef, 39> kMoney = {{
    {"m_date", FieldKind::DateTime, 0},
    {"m_number", FieldKind::WideText, 10},
    {"m_sn", FieldKind::WideText, 9},
    {"m_i1", FieldKind::Double, 0}, {"m_i2", FieldKind::Double, 0}, {"m_i3", FieldKind::Double, 0},
    {"m_i4", FieldKind::Double, 0}, {"m_i5", FieldKind::Double, 0}, {"m_i6", FieldKind::Double, 0},
    {"m_i7", FieldKind::Double, 0}, {"m_i8", FieldKind::Double, 0}, {"m_i9", FieldKind::Double, 0},
    {"m_u1", FieldKind::Double, 0}, {"m_u2", FieldKind::Double, 0}, {"m_u3", FieldKind::Double, 0},
    {"m_u4", FieldKind::Double, 0}, {"m_u5", FieldKind::Double, 0}, {"m_u6", FieldKind::Double, 0},
    {"m_u7", FieldKind::Double, 0}, {"m_u8", FieldKind::Double, 0}, {"m_u9", FieldKind::Double, 0},
    {"m_di1", FieldKind::Double, 0}, {"m_di2", FieldKind::Double, 0}, {"m_di3", FieldKind::Double, 0},
    {"m_di4", FieldKind::Double, 0}, {"m_di5", FieldKind::Double, 0}, {"m_di6", FieldKind::Double, 0},
    {"m_di7", FieldKind::Double, 0},
    {"m_du1", FieldKind::Double, 0}, {"m_du2", FieldKind::Double, 0}, {"m_du3", FieldKind::Double, 0},
    {"m_du4", FieldKind::Double, 0}, {"m_du5", FieldKind::Double, 0}, {"m_du6", FieldKind::Double, 0},
    {"m_du7", FieldKind::Double, 0},
    {"m_note", FieldKind::WideText, 50},
    {"m_day", FieldKind::Integer, 0},
    {"m_offday", FieldKind::Integer, 0},
    {"m_freeday", FieldKind::Integer, 0},
}};

} // namespace

std::span<const ColumnDef> userColumns() { return kUser; }
std::span<const ColumnDef> moneyColumns() { return kMoney; }

QString sqlType(const ColumnDef& column)
{
    switch (column.kind) {
    case FieldKind::WideText: return QStringLiteral("NVARCHAR(%1)").arg(column.size);
    case FieldKind::Double: return QStringLiteral("DOUBLE");
    case FieldKind::Integer: return QStringLiteral("INTEGER");
    case FieldKind::DateTime: return QStringLiteral("DATETIME");
    case FieldKind::AutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return {};
}

QString createTableSql(const QString& table, std::span<const ColumnDef> columns)
{
    QStringList parts;
    for (const auto& c : columns)
        parts << QStringLiteral("%1 %2").arg(QLatin1String(c.name), sqlType(c));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, parts.join(QStringLiteral(", ")));
}

} // namespace data
