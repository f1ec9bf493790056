#pragma once
// Compact in-memory copy of the rows a data set read: each row is a run of tagged cells
// in large blocks, so a table costs about what it costs in the database file.
#include "store.h"
#include <QVariant>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace data {

class RowStore {
public:
    struct Row {
        qint64 rowid = 0;
        const uint8_t* data = nullptr; // null for a deleted row
    };

    void clear();
    uint32_t add(qint64 rowid, const RawValue* values, int count);
    uint32_t add(qint64 rowid, const std::vector<QVariant>& values);
    void replace(uint32_t index, const std::vector<QVariant>& values);
    void erase(uint32_t index) { m_rows[index].data = nullptr; }
    const Row& row(uint32_t index) const { return m_rows[index]; }
    uint32_t size() const { return uint32_t(m_rows.size()); }

    // Stored value of one cell: null, qint64, double or QString.
    static QVariant cell(const Row& row, int column);
    // Every cell of a row.
    static std::vector<QVariant> cells(const Row& row, int count);
    // Raw access without building a QVariant, for sorting and key compares.
    static RawValue raw(const Row& row, int column);
    // Calls f(column, RawValue) for the first count cells, in one pass.
    template <typename F> static void forEachCell(const Row& row, int count, F f)
    {
        const uint8_t* p = row.data;
        for (int c = 0; c < count; ++c) {
            f(c, decodeAt(p));
            p += cellSize(p);
        }
    }

    size_t memoryUsed() const;

private:
    static RawValue decodeAt(const uint8_t* p);
    static size_t cellSize(const uint8_t* p);
    uint8_t* reserve(size_t bytes);
    static uint8_t* encode(uint8_t* out, const RawValue& v);

    // Small blocks come from malloc; full-size ones are mapped on their own, 2 MiB aligned.
    class Block {
    public:
        explicit Block(size_t size);
        ~Block();
        Block(Block&& other) noexcept : m_data(other.m_data), m_mapped(other.m_mapped) { other.m_data = nullptr; }
        Block(const Block&) = delete;
        Block& operator=(const Block&) = delete;
        Block& operator=(Block&&) = delete;
        uint8_t* get() const { return m_data; }

    private:
        uint8_t* m_data = nullptr;
        bool m_mapped = false;
    };
    static constexpr size_t kMinBlock = 64 * 1024;
    static constexpr size_t kMaxBlock = 2 * 1024 * 1024;
    std::vector<Block> m_blocks;
    size_t m_blockSize = 0; // size of the last block
    size_t m_used = 0;      // bytes used in the last block
    size_t m_allocated = 0;
    std::vector<Row> m_rows;
};

} // namespace data
