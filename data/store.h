#pragma once
// The narrow interface between the data sets and the database behind them.
// One StoreConnection per open data set; no transaction is held, every write is at once.
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace data {

// A value as the store holds it, borrowed for the duration of a callback.
struct RawValue {
    enum Type : unsigned char { Null, Integer, Real, Text, Blob } type = Null;
    qint64 i = 0;
    double d = 0;
    const char* text = nullptr; // UTF-8, not terminated
    int size = 0;
};

struct StoreColumn {
    QString name;
    QString declType; // as declared in the table, upper case ("NVARCHAR(10)", "DOUBLE", ...)
    bool autoIncrement = false;
};

class ResultSink {
public:
    virtual ~ResultSink() = default;
    virtual void columns(const std::vector<StoreColumn>& columns) = 0;
    // values has one entry per column; rowid is 0 for query results.
    virtual void row(qint64 rowid, const RawValue* values) = 0;
};

// Stored column values: null (invalid QVariant), qint64, double or QString.
struct ColumnValue {
    QString column;
    QVariant value;
};

class StoreConnection {
public:
    virtual ~StoreConnection() = default;
    virtual bool isReadOnly() const = 0;
    virtual const QString& fileName() const = 0;
    // Every column of a table, each row with its rowid.
    virtual void readTable(const QString& table, ResultSink& sink) = 0;
    // One row of a table by rowid, columns as readTable gives them; no row calls nothing.
    virtual void readRow(const QString& table, qint64 rowid, ResultSink& sink) = 0;
    // A query with named text parameters (":name").
    virtual void runQuery(const QString& sql, const std::vector<std::pair<QString, QString>>& params,
                          ResultSink& sink) = 0;
    // Adds a row; returns its rowid.
    virtual qint64 insertRow(const QString& table, const std::vector<ColumnValue>& values) = 0;
    // Writes changed into the row, provided it still holds original (every column as read):
    // a row changed or deleted by another connection since it was read is refused.
    virtual void updateRow(const QString& table, qint64 rowid, const std::vector<ColumnValue>& original,
                           const std::vector<ColumnValue>& changed) = 0;
    virtual void deleteRow(const QString& table, qint64 rowid, const std::vector<ColumnValue>& original) = 0;
};

// Opens the file named by the connection string's Data Source. Never creates a file.
std::unique_ptr<StoreConnection> openStore(const QString& connectionString);

} // namespace data
