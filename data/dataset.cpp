#include "dataset.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace data {
namespace {

// Text keys compare as UTF-8 bytes (code point order); numbers before texts, nulls first.
int compareRaw(const RawValue& a, const RawValue& b)
{
    auto rank = [](const RawValue& v) {
        switch (v.type) {
        case RawValue::Null: return 0;
        case RawValue::Integer:
        case RawValue::Real: return 1;
        case RawValue::Text: return 2;
        case RawValue::Blob: return 3;
        }
        return 3;
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        const double x = a.type == RawValue::Real ? a.d : double(a.i);
        const double y = b.type == RawValue::Real ? b.d : double(b.i);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ra == 2) {
        const int n = std::min(a.size, b.size);
        const int c = n ? std::memcmp(a.text, b.text, size_t(n)) : 0;
        if (c)
            return c < 0 ? -1 : 1;
        return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
    }
    return 0;
}

FieldKind kindOfDeclType(const QString& decl, bool autoIncrement, int* size)
{
    *size = 0;
    if (decl.contains(QLatin1String("CHAR")) || decl.contains(QLatin1String("TEXT"))
        || decl.contains(QLatin1String("CLOB")) || decl.contains(QLatin1String("STRING"))) {
        static const QRegularExpression re(QStringLiteral("\\((\\d+)\\)"));
        const auto m = re.match(decl);
        *size = m.hasMatch() ? m.captured(1).toInt() : 255;
        return FieldKind::WideText;
    }
    if (decl.contains(QLatin1String("DATE")) || decl.contains(QLatin1String("TIME")))
        return FieldKind::DateTime;
    if (decl.contains(QLatin1String("INT")))
        return autoIncrement ? FieldKind::AutoInc : FieldKind::Integer;
    if (decl.contains(QLatin1String("REAL")) || decl.contains(QLatin1String("FLOA")) || decl.contains(QLatin1String("DOUB"))
        || decl.contains(QLatin1String("NUM")) || decl.contains(QLatin1String("DEC")) || decl.contains(QLatin1String("CURR")))
        return FieldKind::Double;
    *size = 255;
    return FieldKind::WideText;
}

// Whether a stored value can be held by a field of the kind.
bool holds(FieldKind kind, const RawValue& v)
{
    if (v.type == RawValue::Null)
        return true;
    switch (kind) {
    case FieldKind::WideText: return v.type != RawValue::Blob;
    case FieldKind::Double: return v.type == RawValue::Integer || (v.type == RawValue::Real && std::isfinite(v.d));
    case FieldKind::Integer:
        if (v.type == RawValue::Integer)
            return v.i >= INT32_MIN && v.i <= INT32_MAX;
        return v.type == RawValue::Real && std::trunc(v.d) == v.d && v.d >= INT32_MIN && v.d <= INT32_MAX;
    case FieldKind::AutoInc: return v.type == RawValue::Integer;
    case FieldKind::DateTime:
        return v.type == RawValue::Text && isStoredDateTime(QByteArrayView(v.text, v.size));
    }
    return false;
}

bool isUtf8(const char* text, int size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const auto* end = p + size;
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        char32_t cp;
        if ((c & 0xE0) == 0xC0) { more = 1; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { more = 2; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { more = 3; cp = c & 0x07; }
        else return false;
        if (end - p <= more)
            return false;
        for (int k = 1; k <= more; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF do not round-trip.
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[more] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        p += more + 1;
    }
    return true;
}

QString rawText(const RawValue& v)
{
    switch (v.type) {
    case RawValue::Integer: return QString::number(v.i);
    case RawValue::Real: return formatDouble(v.d);
    case RawValue::Text: return QString::fromUtf8(v.text, v.size);
    case RawValue::Blob: return QStringLiteral("<binary>");
    default: return {};
    }
}

// The value of a field as the store keeps it.
QVariant toStored(FieldKind kind, const QVariant& v)
{
    if (!v.isValid())
        return {};
    switch (kind) {
    case FieldKind::DateTime: return toStoredDateTime(v.toDateTime());
    case FieldKind::Double: return v.toDouble();
    case FieldKind::Integer:
    case FieldKind::AutoInc: return v.toLongLong();
    case FieldKind::WideText: return v.toString();
    }
    return v;
}

class RowCollector : public ResultSink {
public:
    std::function<void(const std::vector<StoreColumn>&)> onColumns;
    std::function<void(qint64, const RawValue*)> onRow;
    void columns(const std::vector<StoreColumn>& c) override { onColumns(c); }
    void row(qint64 rowid, const RawValue* values) override { onRow(rowid, values); }
};

} // namespace

DataSet::DataSet(const QString& name, Kind kind) : m_name(name), m_kind(kind) {}

DataSet::~DataSet()
{
    if (m_master)
        std::erase(m_master->m_details, this);
    for (DataSet* d : m_details)
        d->m_master = nullptr;
}

void DataSet::setParameter(const QString& name, const QString& text)
{
    for (auto& p : m_params)
        if (p.first == name) {
            p.second = text;
            return;
        }
    m_params.emplace_back(name, text);
}

void DataSet::setIndexFieldNames(const QString& columns)
{
    m_indexFields = columns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

void DataSet::setMaster(DataSet* master, const QString& masterField, const QString& linkColumn)
{
    if (m_master)
        std::erase(m_master->m_details, this);
    m_master = master;
    m_masterField = masterField;
    m_linkColumn = linkColumn;
    if (master)
        master->m_details.push_back(this);
}

Field* DataSet::addField(const QString& name, FieldKind kind, int size)
{
    m_fields.push_back(std::make_unique<Field>(this, name, kind, size, false));
    m_fields.back()->m_index = int(m_fields.size() - 1);
    return m_fields.back().get();
}

Field* DataSet::addCalculatedField(const QString& name)
{
    m_fields.push_back(std::make_unique<Field>(this, name, FieldKind::Double, 0, true));
    m_fields.back()->m_index = int(m_fields.size() - 1);
    return m_fields.back().get();
}

int DataSet::addObserver(Observer observer)
{
    m_observers.emplace_back(m_nextObserver, std::move(observer));
    return m_nextObserver++;
}

void DataSet::removeObserver(int handle)
{
    std::erase_if(m_observers, [handle](const auto& o) { return o.first == handle; });
}

void DataSet::notify(DataEvent event, const Field* field)
{
    // By index: an observer may add or remove observers while it runs.
    for (size_t i = 0; i < m_observers.size(); ++i) {
        const int handle = m_observers[i].first;
        Observer copy = m_observers[i].second;
        copy(event, field);
        if (i < m_observers.size() && m_observers[i].first != handle)
            --i;
    }
}

bool DataSet::canModify() const { return isActive() && !m_readOnly; }

void DataSet::fail(const QString& message) const { throw DataError(m_name + QStringLiteral(": ") + message); }

void DataSet::requireActive() const
{
    if (!isActive())
        fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

Field* DataSet::findField(const QString& name) const
{
    for (const auto& f : m_fields)
        if (f->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field* DataSet::fieldByName(const QString& name) const
{
    Field* f = findField(name);
    if (!f)
        fail(QStringLiteral("Field '%1' not found").arg(name));
    return f;
}

// ---- open and close ----

void DataSet::setActive(bool active)
{
    if (active)
        open();
    else
        close();
}

void DataSet::open()
{
    if (isActive())
        return;
    try {
        m_store = openStore(m_connectionString);
        readTable(*m_store);
    } catch (...) {
        const bool dynamic = m_dynamicFields;
        close();
        if (dynamic)
            m_fields.clear();
        throw;
    }
    m_readOnly = m_store->isReadOnly() || m_kind == Kind::Query;
    applyOrder();
    m_state = DataSetState::Browse;
    m_modified = false;
    m_selection.reset();
    if (m_master && m_master->isActive() && !m_linkColumn.isEmpty())
        m_selection = linkKey();
    selectAll();
    notify(DataEvent::ActiveChanged);
    afterMasterChange();
}

void DataSet::readTable(StoreConnection& store)
{
    m_rows.clear();
    RowCollector sink;
    int columnCount = 0;
    sink.onColumns = [&](const std::vector<StoreColumn>& columns) {
        m_columns = columns;
        columnCount = int(columns.size());
        if (m_fields.empty()) {
            // No declared fields: one field per column, of the kind the store reports.
            m_dynamicFields = true;
            for (const auto& c : columns) {
                int size = 0;
                const FieldKind kind = kindOfDeclType(c.declType, c.autoIncrement, &size);
                addField(c.name, kind, size);
            }
        }
        m_fieldColumn.assign(m_fields.size(), -1);
        for (const auto& f : m_fields) {
            if (f->isCalculated())
                continue;
            int col = -1;
            for (int c = 0; c < columnCount; ++c)
                if (columns[size_t(c)].name.compare(f->fieldName(), Qt::CaseInsensitive) == 0) {
                    col = c;
                    break;
                }
            if (col < 0)
                fail(QStringLiteral("Field '%1' not found").arg(f->fieldName()));
            int size = 0;
            const StoreColumn& sc = columns[size_t(col)];
            const FieldKind actual = sc.declType.isEmpty()
                ? f->kind()
                : kindOfDeclType(sc.declType, sc.autoIncrement, &size);
            // An auto-increment column also serves a plain integer field.
            const bool fits = actual == f->kind() || (actual == FieldKind::AutoInc && f->kind() == FieldKind::Integer);
            if (!fits)
                fail(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                         .arg(f->fieldName(), kindName(f->kind()), kindName(actual)));
            m_fieldColumn[size_t(f->index())] = col;
        }
        m_columnField.assign(size_t(columnCount), -1);
        for (size_t i = 0; i < m_fieldColumn.size(); ++i)
            if (m_fieldColumn[i] >= 0)
                m_columnField[size_t(m_fieldColumn[i])] = int(i);
    };
    auto refuse = [&](qint64 rowid, const QString& column, const RawValue& value) {
        const QString where = m_table.isEmpty() ? m_name : QStringLiteral("資料表 %1").arg(m_table);
        throw DataError(QStringLiteral("%1 第 %2 筆資料（rowid %3）的欄位 %4 存有無法讀取的值「%5」，無法開啟；請先用資料庫工具修正這筆資料")
                            .arg(where).arg(m_rows.size() + 1).arg(rowid).arg(column, rawText(value)));
    };
    sink.onRow = [&](qint64 rowid, const RawValue* values) {
        for (size_t i = 0; i < m_fieldColumn.size(); ++i) {
            const int col = m_fieldColumn[i];
            if (col >= 0 && values[col].type != RawValue::Null && !holds(m_fields[i]->kind(), values[col]))
                refuse(rowid, m_fields[i]->fieldName(), values[col]);
        }
        // Every column is compared when the row is saved or deleted, so each must read back
        // exactly: binary data and text that is not UTF-8 would make the row unchangeable.
        for (int c = 0; c < columnCount; ++c)
            if (values[c].type == RawValue::Blob
                || (values[c].type == RawValue::Text && !isUtf8(values[c].text, values[c].size)))
                refuse(rowid, m_columns[size_t(c)].name, values[c]);
        m_rows.add(rowid, values, columnCount);
    };
    if (m_kind == Kind::Table)
        store.readTable(m_table, sink);
    else
        store.runQuery(m_sql, m_params, sink);
    if (m_fieldColumn.size() != m_fields.size())
        sink.onColumns(m_columns); // a query without rows still binds its fields
}

void DataSet::close()
{
    const bool wasActive = isActive();
    m_store.reset();
    m_state = DataSetState::Inactive;
    m_modified = false;
    m_bof = m_eof = false;
    m_rows.clear();
    m_order.clear();
    m_order.shrink_to_fit();
    setView({});
    m_viewPos.clear();
    m_viewPos.shrink_to_fit();
    m_searchView.clear();
    m_searchColumn = -1;
    m_selection.reset();
    m_pos = -1;
    m_current.clear();
    m_written.clear();
    m_columns.clear();
    m_fieldColumn.clear();
    m_columnField.clear();
    if (m_dynamicFields) {
        m_fields.clear();
        m_dynamicFields = false;
    }
    if (wasActive)
        notify(DataEvent::ActiveChanged);
}

int DataSet::columnOf(const QString& name) const
{
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(c);
    return -1;
}

void DataSet::applyOrder()
{
    m_order.clear();
    m_order.reserve(m_rows.size());
    for (uint32_t r = 0; r < m_rows.size(); ++r)
        m_order.push_back(r);
    m_orderColumns.clear();
    for (const QString& name : m_indexFields) {
        const int c = columnOf(name);
        if (c >= 0)
            m_orderColumns.push_back(c);
    }
    if (m_orderColumns.size() == 1)
        sortByColumn(m_order, m_orderColumns.front());
    else if (!m_orderColumns.empty())
        std::stable_sort(m_order.begin(), m_order.end(), [&](uint32_t a, uint32_t b) { return compareRows(a, b) < 0; });
}

void DataSet::sortByColumn(std::vector<uint32_t>& rows, int column) const
{
    // Keys are read once; their texts point into the row store, which never moves. Texts and
    // nulls (the usual keys) sort on an 8-byte prefix first; ties keep the rows' order.
    struct TextKey {
        uint64_t prefix;
        const char* text;
        uint32_t size;
        uint32_t rank; // 0 null, 1 text
        uint32_t seq;
        uint32_t row;
    };
    std::vector<TextKey> keys;
    keys.reserve(rows.size());
    for (uint32_t r : rows) {
        const RawValue v = RowStore::raw(m_rows.row(r), column);
        if (v.type != RawValue::Text && v.type != RawValue::Null) {
            keys.clear();
            break;
        }
        TextKey k{0, v.text, uint32_t(v.size), v.type == RawValue::Text ? 1u : 0u, uint32_t(keys.size()), r};
        for (int b = 0; b < 8; ++b)
            k.prefix = (k.prefix << 8) | (b < v.size ? uint8_t(v.text[b]) : 0);
        keys.push_back(k);
    }
    if (keys.size() == rows.size()) {
        std::sort(keys.begin(), keys.end(), [](const TextKey& a, const TextKey& b) {
            if (a.rank != b.rank)
                return a.rank < b.rank;
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            if (a.size > 8 || b.size > 8) {
                const int c = std::memcmp(a.text, b.text, std::min(a.size, b.size));
                if (c)
                    return c < 0;
            }
            if (a.size != b.size)
                return a.size < b.size;
            return a.seq < b.seq;
        });
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i] = keys[i].row;
        return;
    }
    std::vector<std::pair<RawValue, uint32_t>> keyed;
    keyed.reserve(rows.size());
    for (uint32_t r : rows)
        keyed.emplace_back(RowStore::raw(m_rows.row(r), column), r);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return compareRaw(a.first, b.first) < 0; });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
}

int DataSet::compareRows(uint32_t a, uint32_t b) const
{
    for (int c : m_orderColumns) {
        const int r = compareRaw(RowStore::raw(m_rows.row(a), c), RowStore::raw(m_rows.row(b), c));
        if (r)
            return r;
    }
    return 0;
}

// ---- presented rows ----

void DataSet::setView(std::vector<uint32_t> view)
{
    for (uint32_t r : m_view)
        if (r < m_viewPos.size())
            m_viewPos[r] = -1;
    m_view = std::move(view);
    if (m_viewPos.size() < m_rows.size())
        m_viewPos.resize(m_rows.size(), -1);
    for (size_t i = 0; i < m_view.size(); ++i)
        m_viewPos[m_view[i]] = int32_t(i);
}

void DataSet::renumberView(size_t from)
{
    if (m_viewPos.size() < m_rows.size())
        m_viewPos.resize(m_rows.size(), -1);
    for (size_t i = from; i < m_view.size(); ++i)
        m_viewPos[m_view[i]] = int32_t(i);
}

std::optional<QString> DataSet::linkKey() const
{
    const DataSet* m = m_master;
    if (!m || m->m_state == DataSetState::Insert || m->currentIndex() < 0)
        return std::nullopt;
    const Field* f = m->findField(m_masterField);
    if (!f || f->isNull())
        return std::nullopt;
    return f->value().toString();
}

// Presents the rows of the selection in force (every row when there is none).
void DataSet::selectAll()
{
    std::vector<uint32_t> view;
    const int linkCol = m_selection ? columnOf(m_linkColumn) : -1;
    if (!m_selection) {
        view = m_order;
    } else if (m_selection->has_value() && linkCol >= 0) {
        const QByteArray key = (**m_selection).toUtf8();
        RawValue k;
        k.type = RawValue::Text;
        k.text = key.constData();
        k.size = int(key.size());
        if (!m_orderColumns.empty() && m_orderColumns.front() == linkCol) {
            const auto lo = std::lower_bound(m_order.begin(), m_order.end(), 0, [&](uint32_t r, int) {
                return compareRaw(RowStore::raw(m_rows.row(r), linkCol), k) < 0;
            });
            for (auto it = lo; it != m_order.end() && compareRaw(RowStore::raw(m_rows.row(*it), linkCol), k) == 0; ++it)
                view.push_back(*it);
        } else {
            for (uint32_t r : m_order)
                if (compareRaw(RowStore::raw(m_rows.row(r), linkCol), k) == 0)
                    view.push_back(r);
        }
    }
    setView(std::move(view));
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    loadCurrent();
}

bool DataSet::reselect()
{
    if (!isActive() || !m_master)
        return false;
    settle();
    std::optional<std::optional<QString>> key;
    if (m_master->isActive())
        key = linkKey();
    if (key == m_selection)
        return false;
    m_selection = key;
    selectAll();
    notify(DataEvent::LayoutChanged);
    afterMasterChange();
    return true;
}

void DataSet::afterMasterChange()
{
    for (DataSet* d : m_details)
        d->reselect();
}

void DataSet::loadCurrent()
{
    m_current.assign(m_fields.size(), QVariant());
    m_written.assign(m_fields.size(), false);
    if (m_pos >= 0 && size_t(m_pos) < m_view.size()) {
        RowStore::forEachCell(m_rows.row(m_view[size_t(m_pos)]), int(m_columns.size()), [&](int col, const RawValue& v) {
            const int f = m_columnField[size_t(col)];
            if (f >= 0)
                m_current[size_t(f)] = fromRaw(m_fields[size_t(f)]->kind(), v);
        });
        runCalc();
    }
}

QVariant DataSet::fromRaw(FieldKind kind, const RawValue& v)
{
    switch (v.type) {
    case RawValue::Null:
    case RawValue::Blob: return {};
    case RawValue::Integer:
        if (kind == FieldKind::Double)
            return double(v.i);
        if (kind == FieldKind::WideText)
            return QString::number(v.i);
        return qint64(v.i);
    case RawValue::Real:
        if (kind == FieldKind::WideText)
            return formatDouble(v.d);
        if (kind == FieldKind::Integer || kind == FieldKind::AutoInc)
            return qint64(v.d);
        return v.d;
    case RawValue::Text:
        if (kind == FieldKind::DateTime) {
            const auto dt = fromStoredDateTime(QByteArrayView(v.text, v.size));
            return dt ? QVariant(*dt) : QVariant();
        }
        return QString::fromUtf8(v.text, v.size);
    }
    return {};
}

void DataSet::runCalc()
{
    if (!onCalcFields)
        return;
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->isCalculated())
            m_current[i] = QVariant();
    m_inCalc = true;
    try {
        onCalcFields(*this);
    } catch (...) {
        m_inCalc = false;
        throw;
    }
    m_inCalc = false;
}

int DataSet::presentedCount() const { return int(m_view.size()) + (m_state == DataSetState::Insert ? 1 : 0); }

int DataSet::currentIndex() const { return m_pos; }

QVariant DataSet::presentedValue(int row, const Field* field) const
{
    if (row == m_pos)
        return m_current.empty() ? QVariant() : m_current[size_t(field->index())];
    int v = row;
    if (m_state == DataSetState::Insert && row > m_pos)
        --v;
    if (v < 0 || size_t(v) >= m_view.size())
        return {};
    const int col = m_fieldColumn[size_t(field->index())];
    if (col < 0)
        return {};
    return fromRaw(field->kind(), RowStore::raw(m_rows.row(m_view[size_t(v)]), col));
}

// ---- moves ----

void DataSet::settle()
{
    requireActive();
    for (DataSet* d : m_details)
        if (d->isActive())
            d->settle();
    if (!isEditing())
        return;
    notify(DataEvent::UpdateRecord);
    if (m_modified)
        post();
    else
        cancel();
}

void DataSet::moved()
{
    loadCurrent();
    notify(DataEvent::RecordMoved);
    afterMasterChange();
}

void DataSet::first()
{
    requireActive();
    settle();
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    moved();
}

void DataSet::last()
{
    requireActive();
    settle();
    m_pos = int(m_view.size()) - 1;
    m_eof = true;
    m_bof = m_view.empty();
    moved();
}

void DataSet::next()
{
    requireActive();
    settle();
    if (m_eof)
        return;
    m_bof = false;
    if (m_pos + 1 < int(m_view.size())) {
        ++m_pos;
        moved();
    } else {
        m_eof = true;
    }
}

void DataSet::prior()
{
    requireActive();
    settle();
    if (m_bof)
        return;
    m_eof = false;
    if (m_pos > 0) {
        --m_pos;
        moved();
    } else {
        m_bof = true;
    }
}

void DataSet::moveTo(int row)
{
    requireActive();
    if (row == m_pos && isEditing())
        return;
    int v = row;
    if (m_state == DataSetState::Insert && row > m_pos)
        --v;
    if (v < 0 || size_t(v) >= m_view.size())
        return;
    const uint32_t target = m_view[size_t(v)];
    settle();
    const int pos = target < m_viewPos.size() ? m_viewPos[target] : -1;
    if (pos < 0 || pos == m_pos)
        return;
    m_pos = pos;
    m_bof = m_eof = false;
    moved();
}

// ---- key search ----

void DataSet::buildSearchView(int column)
{
    m_searchColumn = column;
    m_searchView.clear();
    for (uint32_t r = 0; r < m_rows.size(); ++r)
        if (m_rows.row(r).data)
            m_searchView.push_back(r);
    sortByColumn(m_searchView, column);
}

bool DataSet::keySearch(const QString& keyColumn, const QString& text)
{
    settle();
    try {
        const int column = columnOf(keyColumn);
        if (column < 0)
            return false;
        if (m_searchColumn != column)
            buildSearchView(column);
        const QByteArray key = text.toUtf8();
        RawValue k;
        k.type = RawValue::Text;
        k.text = key.constData();
        k.size = int(key.size());
        const auto it = std::lower_bound(m_searchView.begin(), m_searchView.end(), 0, [&](uint32_t r, int) {
            return compareRaw(RowStore::raw(m_rows.row(r), column), k) < 0;
        });
        if (it == m_searchView.end())
            return false;
        const RawValue hit = RowStore::raw(m_rows.row(*it), column);
        if (hit.type != RawValue::Text || hit.size < k.size || std::memcmp(hit.text, k.text, size_t(k.size)) != 0)
            return false;
        if (text.isEmpty() && hit.size != 0)
            return false;
        // A row held but not presented (another employee's pay record) counts as not found.
        const int pos = *it < m_viewPos.size() ? m_viewPos[*it] : -1;
        if (pos < 0)
            return false;
        m_pos = pos;
        m_bof = m_eof = false;
        moved();
        notify(DataEvent::CenterCurrent);
        return true;
    } catch (const DataError&) {
        return false;
    }
}

void DataSet::placeInSearchView(uint32_t rowIndex)
{
    if (m_searchColumn < 0)
        return;
    std::erase(m_searchView, rowIndex);
    if (!m_rows.row(rowIndex).data)
        return;
    const RawValue k = RowStore::raw(m_rows.row(rowIndex), m_searchColumn);
    const auto it = std::upper_bound(m_searchView.begin(), m_searchView.end(), 0, [&](int, uint32_t r) {
        return compareRaw(k, RowStore::raw(m_rows.row(r), m_searchColumn)) < 0;
    });
    m_searchView.insert(it, rowIndex);
}

void DataSet::placeInOrder(uint32_t rowIndex)
{
    if (m_orderColumns.empty()) {
        // Without an order a row keeps its place; a new one goes last.
        if (std::find(m_order.rbegin(), m_order.rend(), rowIndex) == m_order.rend())
            m_order.push_back(rowIndex);
        return;
    }
    std::erase(m_order, rowIndex);
    if (!m_rows.row(rowIndex).data)
        return;
    const auto it = std::upper_bound(m_order.begin(), m_order.end(), rowIndex,
                                     [&](uint32_t a, uint32_t b) { return compareRows(a, b) < 0; });
    m_order.insert(it, rowIndex);
}

// ---- editing ----

void DataSet::requireWritable() const
{
    if (m_readOnly)
        fail(QStringLiteral("Cannot modify a read-only dataset"));
}

void DataSet::append()
{
    requireActive();
    settle();
    requireWritable();
    startNewRow(int(m_view.size()));
}

void DataSet::insert()
{
    requireActive();
    settle();
    requireWritable();
    startNewRow(std::max(m_pos, 0));
}

void DataSet::startNewRow(int at)
{
    m_prevPos = m_pos;
    m_pos = at;
    m_state = DataSetState::Insert;
    m_current.assign(m_fields.size(), QVariant());
    m_written.assign(m_fields.size(), false);
    // Bound controls learn of the new row before anything is written into it.
    notify(DataEvent::LayoutChanged);
    notify(DataEvent::StateChanged);
    try {
        if (m_master && m_master->isActive() && !m_linkColumn.isEmpty()) {
            Field* link = findField(m_linkColumn);
            const Field* masterField = m_master->findField(m_masterField);
            if (link && masterField && m_master->currentIndex() >= 0)
                writeField(link, masterField->value());
        }
        if (onNewRecord)
            onNewRecord(*this);
    } catch (...) {
        m_state = DataSetState::Browse;
        m_pos = m_prevPos;
        m_modified = false;
        loadCurrent();
        notify(DataEvent::LayoutChanged);
        notify(DataEvent::StateChanged);
        throw;
    }
    m_modified = false;
    afterMasterChange();
}

void DataSet::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (m_view.empty()) {
        insert();
        return;
    }
    requireWritable();
    // Details settle first: a refused save there leaves this data set as it was.
    for (DataSet* d : m_details)
        if (d->isActive())
            d->settle();
    m_state = DataSetState::Edit;
    m_written.assign(m_fields.size(), false);
    m_modified = false;
    runCalc();
    notify(DataEvent::StateChanged);
    notify(DataEvent::RecordChanged);
    afterMasterChange();
}

void DataSet::writeField(Field* field, const QVariant& value)
{
    if (field->isCalculated()) {
        if (!m_inCalc)
            throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(field->displayName()));
        m_current[size_t(field->index())] = value.isValid() ? QVariant(value.toDouble()) : QVariant();
        return;
    }
    if (field->kind() == FieldKind::AutoInc)
        throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(field->displayName()));
    if (!isEditing())
        fail(QStringLiteral("Dataset not in edit or insert mode"));
    QVariant v;
    if (value.isValid()) {
        switch (field->kind()) {
        case FieldKind::Double: v = value.toDouble(); break;
        case FieldKind::Integer: v = value.toLongLong(); break;
        case FieldKind::DateTime: v = value.toDateTime(); break;
        case FieldKind::WideText: {
            const QString s = value.toString();
            v = field->size() > 0 && s.size() > field->size() ? s.left(field->size()) : s;
            break;
        }
        case FieldKind::AutoInc: break;
        }
    }
    // A detail that follows this field settles before the value changes, so a refused save
    // there leaves this row as it was.
    for (DataSet* d : m_details)
        if (d->isActive() && d->m_masterField.compare(field->fieldName(), Qt::CaseInsensitive) == 0)
            d->settle();
    const size_t i = size_t(field->index());
    m_current[i] = v;
    m_written[i] = true;
    m_modified = true;
    runCalc();
    notify(DataEvent::RecordChanged, field);
    for (const auto& f : m_fields)
        if (f->isCalculated())
            notify(DataEvent::RecordChanged, f.get());
    for (DataSet* d : m_details)
        if (d->m_masterField.compare(field->fieldName(), Qt::CaseInsensitive) == 0)
            d->reselect();
}

std::vector<ColumnValue> DataSet::originalColumns(const RowStore::Row& row) const
{
    std::vector<ColumnValue> out;
    const auto cells = RowStore::cells(row, int(m_columns.size()));
    out.reserve(cells.size());
    for (size_t c = 0; c < cells.size(); ++c)
        out.push_back({m_columns[c].name, cells[c]});
    return out;
}

std::vector<ColumnValue> DataSet::writtenColumns() const
{
    std::vector<ColumnValue> out;
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_written[i] && m_fieldColumn[i] >= 0)
            out.push_back({m_columns[size_t(m_fieldColumn[i])].name, toStored(m_fields[i]->kind(), m_current[i])});
    return out;
}

void DataSet::post()
{
    if (isEditing())
        notify(DataEvent::UpdateRecord);
    if (!isEditing())
        fail(QStringLiteral("Dataset not in edit or insert mode"));
    for (DataSet* d : m_details)
        if (d->isActive())
            d->settle();
    const auto changed = writtenColumns();
    if (m_state == DataSetState::Insert) {
        const qint64 rowid = m_store->insertRow(m_table, changed);
        // Read the row back: the store fills the columns nobody wrote (u_sn among them).
        RowCollector sink;
        uint32_t added = UINT32_MAX;
        sink.onColumns = [](const std::vector<StoreColumn>&) {};
        sink.onRow = [&](qint64 id, const RawValue* values) { added = m_rows.add(id, values, int(m_columns.size())); };
        try {
            m_store->readRow(m_table, rowid, sink);
        } catch (const DataError&) {
            // The row is stored; keep what was written rather than leave it pending to be added twice.
        }
        if (added == UINT32_MAX) {
            std::vector<QVariant> cells(m_columns.size());
            for (const auto& c : changed)
                cells[size_t(columnOf(c.column))] = c.value;
            added = m_rows.add(rowid, cells);
        }
        // A detail whose master presents no row presents none, not even the row it just stored.
        const bool presentsNone = m_selection && !m_selection->has_value();
        if (presentsNone) {
            m_pos = -1;
        } else {
            m_view.insert(m_view.begin() + std::clamp(m_pos, 0, int(m_view.size())), added);
            renumberView(size_t(std::max(m_pos, 0)));
        }
        placeInOrder(added);
        placeInSearchView(added);
        m_state = DataSetState::Browse;
        m_modified = false;
        m_bof = m_eof = presentsNone;
        loadCurrent();
        notify(DataEvent::StateChanged);
        notify(DataEvent::LayoutChanged);
    } else {
        const uint32_t rowIndex = m_view[size_t(m_pos)];
        if (!changed.empty()) {
            const RowStore::Row& row = m_rows.row(rowIndex);
            auto original = originalColumns(row);
            m_store->updateRow(m_table, row.rowid, original, changed);
            std::vector<QVariant> cells;
            cells.reserve(original.size());
            for (auto& o : original)
                cells.push_back(std::move(o.value));
            for (const auto& c : changed)
                cells[size_t(columnOf(c.column))] = c.value;
            m_rows.replace(rowIndex, cells);
            placeInOrder(rowIndex);
            placeInSearchView(rowIndex);
        }
        m_state = DataSetState::Browse;
        m_modified = false;
        loadCurrent();
        notify(DataEvent::StateChanged);
        notify(DataEvent::RecordChanged);
    }
    afterMasterChange();
}

void DataSet::cancel()
{
    if (!isEditing())
        return;
    for (DataSet* d : m_details)
        if (d->isActive())
            d->settle();
    const bool wasInsert = m_state == DataSetState::Insert;
    m_state = DataSetState::Browse;
    m_modified = false;
    if (wasInsert) {
        m_pos = m_view.empty() ? -1 : std::clamp(m_prevPos, 0, int(m_view.size()) - 1);
        if (m_view.empty())
            m_bof = m_eof = true;
    }
    loadCurrent();
    notify(DataEvent::StateChanged);
    notify(wasInsert ? DataEvent::LayoutChanged : DataEvent::RecordChanged);
    afterMasterChange();
}

void DataSet::remove()
{
    requireActive();
    for (DataSet* d : m_details)
        if (d->isActive())
            d->settle();
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (m_view.empty())
        fail(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const uint32_t rowIndex = m_view[size_t(m_pos)];
    const RowStore::Row& row = m_rows.row(rowIndex);
    m_store->deleteRow(m_table, row.rowid, originalColumns(row));
    m_rows.erase(rowIndex);
    m_view.erase(m_view.begin() + m_pos);
    m_viewPos[rowIndex] = -1;
    renumberView(size_t(m_pos));
    std::erase(m_order, rowIndex);
    std::erase(m_searchView, rowIndex);
    const bool wasEdit = m_state == DataSetState::Edit;
    m_state = DataSetState::Browse;
    m_modified = false;
    if (m_pos >= int(m_view.size()))
        m_pos = int(m_view.size()) - 1;
    m_bof = m_eof = m_view.empty();
    loadCurrent();
    if (wasEdit)
        notify(DataEvent::StateChanged);
    notify(DataEvent::LayoutChanged);
    afterMasterChange();
}

size_t DataSet::memoryUsed() const
{
    return m_rows.memoryUsed() + (m_order.capacity() + m_view.capacity() + m_searchView.capacity()) * sizeof(uint32_t)
        + m_viewPos.capacity() * sizeof(int32_t);
}

} // namespace data
