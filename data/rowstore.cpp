#include "rowstore.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace data {
namespace {

enum Tag : uint8_t { TNull, TInt8, TInt16, TInt32, TInt64, TRealInt32, TReal, TText8, TText32, TBlob };

template <typename T> T load(const uint8_t* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <typename T> uint8_t* store(uint8_t* p, T v)
{
    std::memcpy(p, &v, sizeof v);
    return p + sizeof v;
}

} // namespace

// Bytes of the cell at p, tag included.
size_t RowStore::cellSize(const uint8_t* p)
{
    switch (p[0]) {
    case TNull: case TBlob: return 1;
    case TInt8: return 2;
    case TInt16: return 3;
    case TInt32: case TRealInt32: return 5;
    case TInt64: case TReal: return 9;
    case TText8: return 2 + p[1];
    case TText32: return 5 + load<uint32_t>(p + 1);
    }
    return 1;
}

namespace {

bool realFitsInt32(double d)
{
    return d >= -2147483648.0 && d <= 2147483647.0 && std::trunc(d) == d && !(d == 0 && std::signbit(d));
}

} // namespace

void RowStore::clear()
{
    m_blocks.clear();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_used = 0;
    m_blockSize = 0;
    m_allocated = 0;
}

uint8_t* RowStore::encode(uint8_t* p, const RawValue& v)
{
    switch (v.type) {
    case RawValue::Null: *p++ = TNull; return p;
    case RawValue::Blob: *p++ = TBlob; return p;
    case RawValue::Integer:
        if (v.i >= INT8_MIN && v.i <= INT8_MAX) { *p++ = TInt8; return store<int8_t>(p, int8_t(v.i)); }
        if (v.i >= INT16_MIN && v.i <= INT16_MAX) { *p++ = TInt16; return store<int16_t>(p, int16_t(v.i)); }
        if (v.i >= INT32_MIN && v.i <= INT32_MAX) { *p++ = TInt32; return store<int32_t>(p, int32_t(v.i)); }
        *p++ = TInt64; return store<int64_t>(p, v.i);
    case RawValue::Real:
        if (realFitsInt32(v.d)) { *p++ = TRealInt32; return store<int32_t>(p, int32_t(v.d)); }
        *p++ = TReal; return store<double>(p, v.d);
    case RawValue::Text:
        if (v.size < 256) { *p++ = TText8; *p++ = uint8_t(v.size); }
        else { *p++ = TText32; p = store<uint32_t>(p, uint32_t(v.size)); }
        if (v.size) std::memcpy(p, v.text, size_t(v.size));
        return p + v.size;
    }
    return p;
}

RowStore::Block::Block(size_t size)
{
    if (size != kMaxBlock) {
        m_data = static_cast<uint8_t*>(std::malloc(size));
        if (!m_data)
            throw std::bad_alloc();
        return;
    }
    // Faulting a large table in page by page costs more than reading it, so full-size blocks
    // sit on a 2 MiB boundary where the system can back them with one huge page. Mapped
    // directly, not through malloc, whose alignment would waste up to a block each time.
    void* raw = ::mmap(nullptr, 2 * kMaxBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kMaxBlock - 1) & ~uintptr_t(kMaxBlock - 1);
    if (aligned > start)
        ::munmap(raw, aligned - start);
    if (const uintptr_t tail = start + 2 * kMaxBlock - (aligned + kMaxBlock))
        ::munmap(reinterpret_cast<void*>(aligned + kMaxBlock), tail);
    m_data = reinterpret_cast<uint8_t*>(aligned);
    m_mapped = true;
    ::madvise(m_data, kMaxBlock, MADV_HUGEPAGE);
}

RowStore::Block::~Block()
{
    if (!m_data)
        return;
    if (m_mapped)
        ::munmap(m_data, kMaxBlock);
    else
        std::free(m_data);
}

uint8_t* RowStore::reserve(size_t bytes)
{
    if (m_blocks.empty() || m_used + bytes > m_blockSize) {
        // Blocks grow with the table up to 2 MiB.
        m_blockSize = std::min(kMaxBlock, std::max(kMinBlock, m_allocated));
        if (bytes > m_blockSize)
            m_blockSize = bytes + 1; // an oversized row gets a block of its own, from malloc
        m_blocks.emplace_back(m_blockSize);
        m_allocated += m_blockSize;
        m_used = 0;
    }
    uint8_t* p = m_blocks.back().get() + m_used;
    m_used += bytes;
    return p;
}

uint32_t RowStore::add(qint64 rowid, const RawValue* values, int count)
{
    // Reserve the most a row can take, then give back what encoding did not use.
    size_t upper = 0;
    for (int i = 0; i < count; ++i)
        upper += values[i].type == RawValue::Text ? 5 + size_t(values[i].size) : 9;
    uint8_t* start = reserve(upper);
    uint8_t* p = start;
    for (int i = 0; i < count; ++i)
        p = encode(p, values[i]);
    m_used -= upper - size_t(p - start);
    m_rows.push_back(Row{rowid, start});
    return uint32_t(m_rows.size() - 1);
}

namespace {
// Raw views of QVariant cells; texts are kept alive in utf8.
std::vector<RawValue> toRaw(const std::vector<QVariant>& values, std::vector<QByteArray>& utf8)
{
    std::vector<RawValue> raw(values.size());
    utf8.resize(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        RawValue& r = raw[i];
        switch (v.typeId()) {
        case QMetaType::UnknownType: r.type = RawValue::Null; break;
        case QMetaType::Double: r.type = RawValue::Real; r.d = v.toDouble(); break;
        case QMetaType::Int:
        case QMetaType::LongLong: r.type = RawValue::Integer; r.i = v.toLongLong(); break;
        default:
            utf8[i] = v.toString().toUtf8();
            r.type = RawValue::Text;
            r.text = utf8[i].constData();
            r.size = int(utf8[i].size());
        }
    }
    return raw;
}
} // namespace

uint32_t RowStore::add(qint64 rowid, const std::vector<QVariant>& values)
{
    std::vector<QByteArray> keep;
    const auto raw = toRaw(values, keep);
    return add(rowid, raw.data(), int(raw.size()));
}

void RowStore::replace(uint32_t index, const std::vector<QVariant>& values)
{
    // The old cells stay in their block; a replaced row is rare next to the rows read.
    const qint64 rowid = m_rows[index].rowid;
    const uint32_t added = add(rowid, values);
    m_rows[index] = m_rows[added];
    m_rows.pop_back();
}

RawValue RowStore::raw(const Row& row, int column)
{
    const uint8_t* p = row.data;
    for (int c = 0; c < column; ++c)
        p += cellSize(p);
    return decodeAt(p);
}

RawValue RowStore::decodeAt(const uint8_t* p)
{
    RawValue v;
    switch (p[0]) {
    case TNull: break;
    case TBlob: v.type = RawValue::Blob; break;
    case TInt8: v.type = RawValue::Integer; v.i = load<int8_t>(p + 1); break;
    case TInt16: v.type = RawValue::Integer; v.i = load<int16_t>(p + 1); break;
    case TInt32: v.type = RawValue::Integer; v.i = load<int32_t>(p + 1); break;
    case TInt64: v.type = RawValue::Integer; v.i = load<int64_t>(p + 1); break;
    case TRealInt32: v.type = RawValue::Real; v.d = load<int32_t>(p + 1); break;
    case TReal: v.type = RawValue::Real; v.d = load<double>(p + 1); break;
    case TText8: v.type = RawValue::Text; v.size = p[1]; v.text = reinterpret_cast<const char*>(p + 2); break;
    case TText32:
        v.type = RawValue::Text;
        v.size = int(load<uint32_t>(p + 1));
        v.text = reinterpret_cast<const char*>(p + 5);
        break;
    }
    return v;
}

namespace {
QVariant toVariant(const RawValue& v)
{
    switch (v.type) {
    case RawValue::Integer: return QVariant(qint64(v.i));
    case RawValue::Real: return QVariant(v.d);
    case RawValue::Text: return QVariant(QString::fromUtf8(v.text, v.size));
    default: return {};
    }
}
} // namespace

QVariant RowStore::cell(const Row& row, int column) { return toVariant(raw(row, column)); }

std::vector<QVariant> RowStore::cells(const Row& row, int count)
{
    std::vector<QVariant> out;
    out.reserve(size_t(count));
    const uint8_t* p = row.data;
    for (int c = 0; c < count; ++c) {
        Row one{row.rowid, p};
        out.push_back(toVariant(raw(one, 0)));
        p += cellSize(p);
    }
    return out;
}

size_t RowStore::memoryUsed() const
{
    return m_allocated + m_rows.capacity() * sizeof(Row);
}

} // namespace data
