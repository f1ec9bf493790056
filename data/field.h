#pragma once
#include "fieldkind.h"
#include <QString>
#include <QVariant>

namespace data {

class DataSet;

// How a field shows in grids and edit boxes.
struct FieldDisplay {
    QString label;         // display label; empty means the field name
    int width = 0;         // display width in average characters; 0 means the default
    Qt::Alignment alignment = {}; // empty means the kind's default
    bool visible = true;
};

// A declared (persistent) field of a data set, bound to a column of the same name on open.
class Field {
public:
    Field(DataSet* dataSet, const QString& name, FieldKind kind, int size, bool calculated);

    const QString& fieldName() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    int size() const { return m_size; }
    bool isCalculated() const { return m_calculated; }
    DataSet* dataSet() const { return m_dataSet; }
    int index() const { return m_index; }

    FieldDisplay& display() { return m_display; }
    const FieldDisplay& display() const { return m_display; }
    // The display label where one is set, else the field name: the name used in messages.
    QString displayName() const;
    Qt::Alignment alignment() const;
    // Display width in characters, as a grid column uses it.
    int displayWidth() const;
    // Calculated fields, u_sn and every field of a read-only data set cannot change.
    bool isReadOnly() const;

    // Value of the current row; null when there is no current row.
    QVariant value() const;
    bool isNull() const { return !value().isValid(); }
    QString asString() const;  // display text; null gives the empty text
    double asFloat() const;    // null gives 0
    qint64 asInteger() const;  // null gives 0

    // Writes into the current row. Text is converted by the field kind.
    void setValue(const QVariant& value);
    void setAsString(const QString& text);
    void setAsFloat(double value);

private:
    friend class DataSet;
    DataSet* m_dataSet;
    QString m_name;
    FieldKind m_kind;
    int m_size;
    bool m_calculated;
    int m_index = -1;
    FieldDisplay m_display;
};

} // namespace data
