#pragma once
// The data set engine: a table or query read whole into memory on open, with a current
// row, a state, declared fields, hooks, master/detail link and key search.
// Every post and delete goes to the store at once; nothing is re-read while open.
#include "errors.h"
#include "field.h"
#include "rowstore.h"
#include "store.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace data {

enum class DataSetState { Inactive, Browse, Edit, Insert };

// What a data set tells the controls bound to it.
enum class DataEvent {
    ActiveChanged,  // opened or closed
    LayoutChanged,  // the presented rows changed (re-selection, post of a new row, delete, cancel of a new row)
    RecordMoved,    // another presented row is current
    RecordChanged,  // values of the current row changed (field = the field written, or null for all)
    StateChanged,   // browse / edit / insert
    UpdateRecord,   // bound boxes must write their pending text now (may throw)
    CenterCurrent,  // a key search hit: show the current row in the middle line
};

class DataSet {
public:
    enum class Kind { Table, Query };
    using Hook = std::function<void(DataSet&)>;
    using Observer = std::function<void(DataEvent, const Field*)>;

    DataSet(const QString& name, Kind kind);
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    const QString& name() const { return m_name; }
    Kind kind() const { return m_kind; }

    // Design-time settings.
    void setConnectionString(const QString& s) { m_connectionString = s; }
    const QString& connectionString() const { return m_connectionString; }
    void setTableName(const QString& t) { m_table = t; }
    const QString& tableName() const { return m_table; }
    void setSql(const QString& sql) { m_sql = sql; }
    const QString& sql() const { return m_sql; }
    // Parameters are named in the SQL as ":name" and always bound as text.
    void setParameter(const QString& name, const QString& text);
    void setIndexFieldNames(const QString& columns);
    // This data set becomes the detail of master: it presents the rows whose linkColumn
    // equals masterField of the master's current row.
    void setMaster(DataSet* master, const QString& masterField, const QString& linkColumn);
    Field* addField(const QString& name, FieldKind kind, int size = 0);
    Field* addCalculatedField(const QString& name);
    Hook onCalcFields;
    Hook onNewRecord;

    // Observers, for data sources; returns a handle for removeObserver.
    int addObserver(Observer observer);
    void removeObserver(int handle);

    // Status.
    bool isActive() const { return m_state != DataSetState::Inactive; }
    DataSetState state() const { return m_state; }
    bool isModified() const { return m_modified; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const { return presentedCount() == 0; }
    bool canModify() const;
    bool isEditing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }

    // Operations.
    void open();
    void close();
    void setActive(bool active);
    void settle();
    void first();
    void last();
    void next();
    void prior();
    bool keySearch(const QString& keyColumn, const QString& text);
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();

    // Fields.
    const std::vector<std::unique_ptr<Field>>& fields() const { return m_fields; }
    Field* findField(const QString& name) const;
    Field* fieldByName(const QString& name) const; // throws "Field '%s' not found"

    // Presented rows, for grids. In insert state the new row counts, at its place.
    int presentedCount() const;
    int currentIndex() const; // -1 with no current row
    QVariant presentedValue(int row, const Field* field) const;
    // Moves to a presented row (a grid click); settles first.
    void moveTo(int row);

    // For the benchmark: bytes held for the rows.
    size_t memoryUsed() const;

private:
    friend class Field;

    [[noreturn]] void fail(const QString& message) const;
    void requireActive() const;
    void requireWritable() const;
    void notify(DataEvent event, const Field* field = nullptr);
    void readTable(StoreConnection& store);
    int columnOf(const QString& name) const;
    void applyOrder();
    int compareRows(uint32_t a, uint32_t b) const;
    void sortByColumn(std::vector<uint32_t>& rows, int column) const;
    void setView(std::vector<uint32_t> view);
    void renumberView(size_t from);
    void selectAll();
    bool reselect();
    std::optional<QString> linkKey() const;
    void afterMasterChange();
    void loadCurrent();
    static QVariant fromRaw(FieldKind kind, const RawValue& stored);
    void runCalc();
    void moved();
    void startNewRow(int at);
    void writeField(Field* field, const QVariant& value);
    std::vector<ColumnValue> originalColumns(const RowStore::Row& row) const;
    std::vector<ColumnValue> writtenColumns() const;
    void buildSearchView(int column);
    void placeInOrder(uint32_t rowIndex);
    void placeInSearchView(uint32_t rowIndex);

    QString m_name;
    Kind m_kind;
    QString m_connectionString;
    QString m_table;
    QString m_sql;
    std::vector<std::pair<QString, QString>> m_params;
    QStringList m_indexFields;
    DataSet* m_master = nullptr;
    QString m_masterField;
    QString m_linkColumn;
    std::vector<DataSet*> m_details;
    std::vector<std::unique_ptr<Field>> m_fields;
    bool m_dynamicFields = false;     // fields made from the result's columns on open
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;

    // Open state.
    std::unique_ptr<StoreConnection> m_store;
    bool m_readOnly = false;
    DataSetState m_state = DataSetState::Inactive;
    bool m_modified = false;
    bool m_bof = false;
    bool m_eof = false;
    bool m_inCalc = false;
    std::vector<StoreColumn> m_columns;
    std::vector<int> m_fieldColumn;   // field index -> store column, -1 for calculated
    std::vector<int> m_columnField;   // store column -> field index, -1 when no field reads it
    std::vector<int> m_orderColumns;  // store columns of IndexFieldNames
    RowStore m_rows;                  // every row read, by row index
    std::vector<uint32_t> m_order;    // row indices in IndexFieldNames order (or store order)
    std::vector<uint32_t> m_view;     // presented rows
    std::vector<int32_t> m_viewPos;   // row index -> position in m_view, -1 when not presented
    std::optional<std::optional<QString>> m_selection; // link value in force (detail only)
    int m_searchColumn = -1;
    std::vector<uint32_t> m_searchView; // row indices sorted by the search column
    int m_pos = -1;                   // current position in m_view; the new row's place in insert state
    int m_prevPos = -1;               // current position before a new row began
    std::vector<QVariant> m_current;  // values of the current row, calculated fields included
    std::vector<bool> m_written;      // fields written since the row began or editing started
};

} // namespace data
