#include "field.h"
#include "dataset.h"

namespace data {

Field::Field(DataSet* dataSet, const QString& name, FieldKind kind, int size, bool calculated)
    : m_dataSet(dataSet), m_name(name), m_kind(kind), m_size(size), m_calculated(calculated)
{
}

QString Field::displayName() const { return m_display.label.isEmpty() ? m_name : m_display.label; }

Qt::Alignment Field::alignment() const
{
    if (m_display.alignment)
        return m_display.alignment;
    return m_kind == FieldKind::WideText || m_kind == FieldKind::DateTime ? Qt::AlignLeft : Qt::AlignRight;
}

int Field::displayWidth() const
{
    if (m_display.width > 0)
        return m_display.width;
    switch (m_kind) {
    case FieldKind::WideText: return m_size > 0 ? m_size : 20;
    case FieldKind::DateTime: return 18;
    default: return 10;
    }
}

bool Field::isReadOnly() const
{
    return m_calculated || m_kind == FieldKind::AutoInc || !m_dataSet->canModify();
}

QVariant Field::value() const
{
    const auto& cur = m_dataSet->m_current;
    if (m_dataSet->m_pos < 0 && !m_dataSet->isEditing())
        return {};
    return m_index >= 0 && size_t(m_index) < cur.size() ? cur[size_t(m_index)] : QVariant();
}

QString Field::asString() const { return displayText(m_kind, value()); }

double Field::asFloat() const
{
    const QVariant v = value();
    return v.isValid() ? v.toDouble() : 0.0;
}

qint64 Field::asInteger() const
{
    const QVariant v = value();
    return v.isValid() ? v.toLongLong() : 0;
}

void Field::setValue(const QVariant& value) { m_dataSet->writeField(this, value); }

void Field::setAsString(const QString& text)
{
    if (m_kind == FieldKind::AutoInc || (m_calculated && !m_dataSet->m_inCalc))
        throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(displayName()));
    const FieldKind kind = m_calculated ? FieldKind::Double : m_kind;
    m_dataSet->writeField(this, valueFromText(kind, m_size, text, displayName()));
}

void Field::setAsFloat(double value) { m_dataSet->writeField(this, value); }

} // namespace data
